// The Windows file store, its long paths and the codec on the real system calls under Wine. The
// replace it shares with the POSIX store (temporary names, discard, leftovers) has its own test.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

#include "core/error.h"
#include "core/text.h"
#include "platform/win32/handles.h"
#include "platform/win32/long_path.h"
#include "settings/codec.h"
#include "settings/file_store.h"
#include "support/said.h"
#include "support/temp_folder.h"

namespace quevor::testing {
namespace {

namespace fs = std::filesystem;

class Win32StoreTest : public ::testing::Test {
  protected:
    TempFolder folder;
    const fs::path file = folder / "setting.ini";
    std::unique_ptr<FileStore> store = makeSystemFileStore();

    // The message the store stops with, "" when it does not.
    static std::string error(const std::function<void()>& action) {
        try {
            action();
        } catch (const RuntimeError& e) {
            return e.what();
        }
        return "";
    }
};

// The replaced file keeps the old one's attributes: a hidden settings file stays hidden.
TEST_F(Win32StoreTest,
       ReplaceWritesExactBytesOverTheOldFileKeepsItsAttributesAndLeavesNoTemporaryFile) {
    folder.write("setting.ini", "old content that is longer than the new one");
    const DWORD hidden = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), hidden));
    const std::string bytes("CL:0\r\n\0\xff\x1a end\r\n", 14);
    store->replace(file.u16string(), bytes);
    EXPECT_EQ(GetFileAttributesW(file.c_str()) & hidden, hidden);
    EXPECT_EQ(folder.read("setting.ini"), bytes);
    EXPECT_EQ(store->read(file.u16string()), bytes);
    EXPECT_EQ(folder.entries(), 1u);
    store->replace(file.u16string(), "");
    EXPECT_EQ(store->read(file.u16string()), "");
}

// Only a full path takes the extended form; the system makes a path full before that.
TEST(LongPathTest, FullPathsTakeTheExtendedForm) {
    // clang-format off
    const struct { const wchar_t* path; const wchar_t* extended; } rows[] = {
        {LR"(C:\Tools\setting.ini)", LR"(\\?\C:\Tools\setting.ini)"},
        {LR"(d:\)", LR"(\\?\d:\)"},
        {LR"(\\server\share\bar\setting.ini)", LR"(\\?\UNC\server\share\bar\setting.ini)"},
        {LR"(\\?\UNC\server\share\setting.ini)", LR"(\\?\UNC\server\share\setting.ini)"},
        {LR"(\\.\pipe\name)", LR"(\\.\pipe\name)"},
        // Not full: the prefix would stop the system from completing them.
        {LR"(setting.ini)", LR"(setting.ini)"},
        {LR"(\Tools\setting.ini)", LR"(\Tools\setting.ini)"},
        {LR"(C:/Tools/setting.ini)", LR"(C:/Tools/setting.ini)"},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << fs::path(row.path).string());
        EXPECT_EQ(win32::extendedPath(row.path), row.extended);
    }
    const std::wstring here = fs::current_path().native();
    const std::wstring folder = here.back() == L'\\' ? here : here + L"\\";
    EXPECT_EQ(win32::extendedFullPath(u"sub/../setting.ini"),
              win32::extendedPath(folder + L"setting.ini"));
    EXPECT_EQ(win32::extendedFullPath(uR"(\\?\C:\a\..\b)"), LR"(\\?\C:\a\..\b)");
}

// The folders are removed by hand: the runtime's remove_all loses its way beyond MAX_PATH.
TEST_F(Win32StoreTest, LongPathsBeyondMaxPathWork) {
    std::vector<fs::path> chain{L"\\\\?\\" + fs::absolute(folder.path()).native()};
    while (chain.back().native().size() < 300) {
        chain.push_back(chain.back() / std::wstring(40, L'd'));
    }
    fs::create_directories(chain.back());
    const fs::path deep = chain.back() / "setting.ini";
    store->replace(deep.u16string(), "CL:0");
    EXPECT_EQ(store->read(deep.u16string()), "CL:0");
    DeleteFileW(deep.c_str());
    for (auto p = chain.rbegin(); p != chain.rend(); ++p) RemoveDirectoryW(p->c_str());
}

// Another program's handle on the file, as scanners and sync clients hold one for moments: one
// that shares nothing refuses reads too, one that shares reading and writing only the rename.
// The store waits a moment for it; a file held longer is reported in use and keeps its bytes.
TEST_F(Win32StoreTest, AFileHeldForAMomentIsWaitedForAndOneHeldLongerIsInUse) {
    const struct {
        bool replace;
        DWORD share;
        bool letGoSoon, inUse;
    } rows[] = {{false, 0, true, false},
                {false, 0, false, true},
                {true, 0, true, false},
                {true, FILE_SHARE_READ | FILE_SHARE_WRITE, false, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << (row.replace ? "replace" : "read") << ", sharing "
                                          << row.share << (row.letGoSoon ? ", let go soon" : ""));
        folder.write("setting.ini", "old");
        win32::UniqueHandle held = win32::fileHandle(
            CreateFileW(file.c_str(), GENERIC_READ, row.share, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        std::thread holder([&] {
            if (!row.letGoSoon) return;
            Sleep(500);
            held.reset();
        });
        const std::string outcome = error([&] {
            row.replace ? store->replace(file.u16string(), "new")
                        : (void)store->read(file.u16string());
        });
        holder.join();
        held.reset();
        EXPECT_EQ(outcome, row.inUse ? said(Message::fileInUse, {file.string()}) : "");
        EXPECT_EQ(folder.read("setting.ini"), row.replace && !row.inUse ? "new" : "old");
        EXPECT_EQ(folder.entries(), 1u);
    }
}

TEST_F(Win32StoreTest, WhatCannotBeReadOrWrittenIsReportedAndKept) {
    EXPECT_EQ(error([&] { (void)store->read(file.u16string()); }),
              said(Message::fileNotFound, {file.string()}));
    EXPECT_THROW(store->replace((folder / "gone" / "setting.ini").u16string(), "x"), RuntimeError);
    EXPECT_EQ(folder.entries(), 0u);

    folder.write("setting.ini", "keep me");  // read-only
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(error([&] { store->replace(file.u16string(), "new"); }),
              said(Message::accessDenied, {file.string()}));
    EXPECT_EQ(folder.read("setting.ini"), "keep me");
    EXPECT_EQ(folder.entries(), 1u);
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);

    const fs::path inPlace = folder / "folder.ini";  // a folder where the file should be
    fs::create_directories(inPlace);
    EXPECT_THROW((void)store->read(inPlace.u16string()), RuntimeError);
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
    } rows[] = {{"CP1252", u"C:\\\xff0e.exe", false},
                {"CP932", u"C:\\\u00e9.exe", false},
                {"CP932", u"\U0001F600", false},
                {"CP1252", u"C:\\caf\u00e9.exe", true}};
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
}  // namespace quevor::testing
