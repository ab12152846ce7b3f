#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "core/error.h"
#include "settings/file_store.h"
#include "support/said.h"
#include "support/temp_folder.h"

namespace quevor::testing {
namespace {

namespace fs = std::filesystem;

class FileStoreTest : public ::testing::Test {
  protected:
    TempFolder folder;
    const fs::path file = folder / "setting.ini";
    std::unique_ptr<FileStore> store = makeSystemFileStore();

    // The message the store stops with.
    std::string error(const std::function<void()>& action) {
        try {
            action();
        } catch (const RuntimeError& e) {
            return e.what();
        }
        return "no error";
    }
};

// A link stays a link: the file it leads to, in another folder, gets exactly the new bytes and
// keeps its permissions, and the temporary files replaces ended midway left beside it go (which
// names count as such is for the replace's own test).
TEST_F(FileStoreTest, ReplaceThroughALinkWritesExactBytesKeepsPermissionsAndClearsLeftovers) {
    const std::string content("CL:0\r\n\0\xff end", 11);
    const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read;
    const fs::path real = folder / "real" / "setting.ini";
    fs::create_directories(real.parent_path());
    std::ofstream(real) << "old";
    std::ofstream(real.parent_path() / ".setting.ini.7.tmp") << "left";
    fs::create_symlink(real, file);
    fs::permissions(real, perms);
    store->replace(file.u16string(), content);
    EXPECT_EQ(store->read(file.u16string()), content);
    EXPECT_EQ(fs::status(real).permissions(), perms);
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(std::distance(fs::directory_iterator(real.parent_path()), {}), 1);
}

TEST_F(FileStoreTest, WhatCannotBeReadOrWrittenIsReportedAndKept) {
    EXPECT_EQ(error([&] { (void)store->read(file.u16string()); }),
              said(Message::fileNotFound, {file.string()}));
    EXPECT_EQ(folder.entries(), 0u);
    EXPECT_FALSE(store->exists(file.u16string()));

    store->replace(file.u16string(), "old");
    EXPECT_TRUE(store->exists(file.u16string()));
    // Any other failure is named in the system's words.
    const fs::path inFile = file / "setting.ini";
    EXPECT_EQ(error([&] { store->replace(inFile.u16string(), "x"); }),
              said(Message::cannotWrite, {inFile.string(), "Not a directory"}));
    fs::permissions(file, fs::perms::owner_read);
    EXPECT_EQ(error([&] { store->replace(file.u16string(), "new"); }),
              said(Message::accessDenied, {file.string()}));
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(store->replace(file.u16string(), "new"), RuntimeError);
    EXPECT_EQ(store->read(file.u16string()), "old");
    EXPECT_EQ(folder.entries(), 1u);
}

}  // namespace
}  // namespace quevor::testing
