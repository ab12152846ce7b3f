#include <gtest/gtest.h>

#include "core/error.h"
#include "settings/file_store.h"
#include "support/temp_folder.h"

namespace quevor::testing {
namespace {

namespace fs = std::filesystem;

std::u16string u16(const fs::path& path) { return path.u16string(); }

class FileStoreTest : public ::testing::Test {
protected:
    TempFolder folder;
    const fs::path file = folder / "setting.ini";
    std::unique_ptr<FileStore> store = makeSystemFileStore();
};

TEST_F(FileStoreTest, ReplaceWritesExactBytesAndKeepsThePermissions) {
    const std::string content("CL:0\r\n\0\xff end", 11);
    store->replace(u16(file), content);
    const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read;
    fs::permissions(file, perms);
    store->replace(u16(file), content + "more");
    EXPECT_EQ(store->read(u16(file)), content + "more");
    EXPECT_EQ(fs::status(file).permissions(), perms);
    EXPECT_EQ(folder.entries(), 1u);
}

TEST_F(FileStoreTest, WhatCannotBeReadOrWrittenIsReportedAndKept) {
    try {
        (void)store->read(u16(file));
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(std::string(e.what()), "File not found: " + file.string());
    }
    EXPECT_EQ(folder.entries(), 0u);
    EXPECT_THROW(store->replace(u16(folder / "gone/setting.ini"), "x"), RuntimeError);

    store->replace(u16(file), "old");
    fs::permissions(file, fs::perms::owner_read);
    try {
        store->replace(u16(file), "new");
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(std::string(e.what()), "Permission denied: " + file.string());
    }
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(store->replace(u16(file), "new"), RuntimeError);
    EXPECT_EQ(store->read(u16(file)), "old");
    EXPECT_EQ(folder.entries(), 1u);
}

// A process killed in the middle of a replace leaves its temporary file; the next replace clears
// such leftovers and nothing else.
TEST_F(FileStoreTest, AReplaceTakesAwayTemporaryFilesThatAKilledProcessLeft) {
    const std::pair<const char*, bool> rows[] = {  // name, whether it stays
        {".setting.ini.123.tmp", false}, {".setting.ini.4294967295.tmp", false}, {".setting.ini.x.tmp", true},
        {".setting.ini..tmp", true},     {".other.ini.1.tmp", true},             {"setting.ini.bak", true}};
    for (const auto& [name, stays] : rows) folder.write(name, "left");
    store->replace(u16(file), "new");
    for (const auto& [name, stays] : rows) EXPECT_EQ(fs::exists(folder / name), stays) << name;
}

}  // namespace
}  // namespace quevor::testing
