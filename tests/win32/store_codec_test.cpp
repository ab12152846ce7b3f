#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/error.h"
#include "core/text.h"
#include "settings/codec.h"
#include "settings/file_store.h"

namespace quevor {
namespace {

namespace fs = std::filesystem;

std::wstring fromAscii(const std::string& text) { return {text.begin(), text.end()}; }

// The runtime's remove_all loses its way in folders beyond MAX_PATH; this one uses the
// long form throughout.
void removeTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = folder + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(child);
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

class Win32StoreTest : public ::testing::Test {
protected:
    fs::path folder;
    fs::path file;
    std::unique_ptr<FileStore> store = makeSystemFileStore();

    void SetUp() override {
        // The long form, so that the deep folders of the long-path test can be removed too.
        folder = L"\\\\?\\" + fs::absolute(fs::temp_directory_path()).native() +
                 L"quevor-store-" +
                 fromAscii(::testing::UnitTest::GetInstance()->current_test_info()->name());
        removeTree(folder.native());
        fs::create_directories(folder);
        file = folder / "setting.ini";
    }
    void TearDown() override {
        removeTree(folder.native());
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
    }
    std::string content() const {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void put(const std::string& bytes) const {
        std::ofstream(file, std::ios::binary) << bytes;
    }
};

TEST_F(Win32StoreTest, ReplaceWritesExactBytesOverTheOldFileAndLeavesNoTemporaryFile) {
    put("old content that is longer than the new one");
    const std::string bytes("CL:0\r\n\0\xff\x1a end\r\n", 14);
    store->replace(file.u16string(), bytes);
    EXPECT_EQ(content(), bytes);
    EXPECT_EQ(store->read(file.u16string()), bytes);
    EXPECT_EQ(entries(), 1u);
    store->replace(file.u16string(), "");
    EXPECT_EQ(store->read(file.u16string()), "");
}

TEST_F(Win32StoreTest, WhatCannotBeReadOrWrittenIsReportedAndKept) {
    try {
        (void)store->read(file.u16string());
        FAIL() << "read of a missing file succeeded";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("File not found: ", 0), 0u) << e.what();
    }
    EXPECT_THROW(store->replace((folder / "gone" / "setting.ini").u16string(), "x"), RuntimeError);
    EXPECT_EQ(entries(), 0u);

    put("keep me");  // read-only
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_THROW(store->replace(file.u16string(), "new"), RuntimeError);
    EXPECT_EQ(content(), "keep me");
    EXPECT_EQ(entries(), 1u);

    const fs::path inPlace = folder / "folder.ini";  // a folder where the file should be
    fs::create_directories(inPlace);
    EXPECT_THROW((void)store->read(inPlace.u16string()), RuntimeError);
    EXPECT_THROW(store->replace(inPlace.u16string(), "x"), RuntimeError);
    EXPECT_TRUE(fs::is_directory(inPlace));
}

TEST_F(Win32StoreTest, LongPathsBeyondMaxPathWork) {
    fs::path deep = folder;
    while (deep.native().size() < 300) deep /= std::wstring(40, L'd');
    const fs::path longFile = deep / "setting.ini";
    fs::create_directories(deep);
    store->replace(longFile.u16string(), "CL:0");
    EXPECT_EQ(store->read(longFile.u16string()), "CL:0");
}

// The program's own codec is the system ANSI code page, whatever the machine uses; no code page
// writes a look-alike (best fit) for a character it cannot hold, and unknown names are errors.
TEST(Win32CodecTest, RoundTripsWhatTheCodePageHoldsAndRefusesTheRest) {
    const auto system = makeSystemCodec("");
    EXPECT_EQ(system->name(), "CP" + std::to_string(GetACP()));
    const std::u16string path = u"C:\\Program Files\\Tools\\edit.exe";
    EXPECT_EQ(system->decode(system->encode(path)), path);
    EXPECT_THROW((void)system->encode(u"C:\\\u00e9\u30c4\u0416\u4e2d\u2603.exe"), RuntimeError);
    const struct {
        const char* codePage;
        std::u16string text;
        bool holds;
    } rows[] = {{"CP1252", u"C:\\\u0100.exe", false}, {"CP1252", u"C:\\\u221e.exe", false},
                {"CP1252", u"C:\\\xff0e.exe", false}, {"CP932", u"C:\\\u00e9.exe", false},
                {"CP932", u"\U0001F600", false},      {"CP1252", u"C:\\caf\u00e9.exe", true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.codePage) + " " + toUtf8(row.text));
        EXPECT_EQ(makeSystemCodec(row.codePage)->canEncode(row.text), row.holds);
    }
    EXPECT_THROW((void)makeSystemCodec("CP932")->decode("Path1:\x81\x20.exe"), RuntimeError);
    EXPECT_THROW((void)makeSystemCodec("CP932")->decode("\x81"), RuntimeError);
    for (const char* name : {"CP", "CP99999", "CP1x", "UTF-8", "932"}) {
        EXPECT_THROW((void)makeSystemCodec(name), RuntimeError) << name;
    }
}

}  // namespace
}  // namespace quevor
