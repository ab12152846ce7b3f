#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "core/error.h"
#include "settings/file_store.h"

namespace quevor {
namespace {

namespace fs = std::filesystem;

class FileStoreTest : public ::testing::Test {
protected:
    fs::path folder;
    fs::path file;
    std::unique_ptr<FileStore> store = makeSystemFileStore();

    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("quevor-store-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                  "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        file = folder / "setting.ini";
    }
    void TearDown() override {
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(folder);
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
    }
};

TEST_F(FileStoreTest, ReplaceWritesExactBytesAndLeavesNoTemporaryFile) {
    const std::string content("CL:0\r\n\0\xff end", 11);
    store->replace(file.u16string(), content);
    store->replace(file.u16string(), content + "more");
    EXPECT_EQ(store->read(file.u16string()), content + "more");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(FileStoreTest, ReadingAMissingFileFailsAndCreatesNothing) {
    EXPECT_THROW((void)store->read(file.u16string()), RuntimeError);
    EXPECT_EQ(entries(), 0u);
}

TEST_F(FileStoreTest, ReadOnlyFileOrFolderIsRefusedAndKept) {
    store->replace(file.u16string(), "old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    try {
        store->replace(file.u16string(), "new");
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(std::string(e.what()), "Permission denied: " + file.string());
    }
    EXPECT_EQ(store->read(file.u16string()), "old");

    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(store->replace(file.u16string(), "new"), RuntimeError);
    EXPECT_EQ(store->read(file.u16string()), "old");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(FileStoreTest, KeepsTheFilesPermissions) {
    store->replace(file.u16string(), "a");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    store->replace(file.u16string(), "b");
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
}

// A process killed in the middle of a replace leaves its temporary file; the next replace clears
// such leftovers and nothing else.
TEST_F(FileStoreTest, AReplaceTakesAwayTemporaryFilesThatAKilledProcessLeft) {
    for (const char* name : {".setting.ini.123.tmp", ".setting.ini.4294967295.tmp", ".setting.ini.x.tmp",
                             ".other.ini.1.tmp", "setting.ini.bak"}) {
        std::ofstream(folder / name) << "left";
    }
    store->replace(file.u16string(), "new");
    EXPECT_EQ(store->read(file.u16string()), "new");
    EXPECT_FALSE(fs::exists(folder / ".setting.ini.123.tmp"));
    EXPECT_FALSE(fs::exists(folder / ".setting.ini.4294967295.tmp"));
    EXPECT_TRUE(fs::exists(folder / ".setting.ini.x.tmp"));
    EXPECT_TRUE(fs::exists(folder / ".other.ini.1.tmp"));
    EXPECT_TRUE(fs::exists(folder / "setting.ini.bak"));
}

TEST_F(FileStoreTest, AFolderThatIsGoneIsReported) {
    EXPECT_THROW(store->replace((folder / "gone" / "setting.ini").u16string(), "x"), RuntimeError);
}

}  // namespace
}  // namespace quevor
