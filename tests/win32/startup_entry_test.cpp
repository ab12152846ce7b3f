// The start-up entry on the real registry and file system under Wine. What the bar does with it
// is proved on the simulated toolkit.

#include <gtest/gtest.h>

#include "shell/start_with_windows.h"
#include "toolkit/win32/win32_toolkit.h"

namespace quevor::win32 {
namespace {

// A command starts this program (the test itself) by its long or short (8.3) name in any letter
// case, quoted or not, but not with arguments, nor another file. A value the system expands is
// read expanded, one that is not text starts nothing; taken away twice, the entry is simply
// gone. (Writing and reading plain text is end to end.)
TEST(StartupEntryTest, ACommandStartsThisProgramByAnyNameAndTheEntryRoundTrips) {
    Win32Toolkit bar{GetModuleHandleW(nullptr)};
    Platform& platform = bar.toolkit().platform;
    const std::u16string own = platform.ownProgramPath();
    wchar_t shortName[MAX_PATH] = {};
    GetShortPathNameW(wide(own).c_str(), shortName, MAX_PATH);
    std::u16string upper = own;
    for (char16_t& c : upper) c = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
    ASSERT_NE(narrowToU16(shortName), own);
    const std::pair<std::u16string, bool> rows[] = {
        {u'"' + narrowToU16(shortName) + u'"', true},
        {upper, true},
        {u'"' + own + u"\" /min", false},
        {u"\"C:\\windows\\system32\\notepad.exe\"", false},
    };
    for (const auto& [command, ours] : rows) {
        SCOPED_TRACE(std::string(command.begin(), command.end()));
        EXPECT_EQ(startsThisProgram(platform, command), ours);
    }

    const wchar_t* key = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const std::wstring expandable = L"%WINDIR%\\x.exe";
    RegSetKeyValueW(HKEY_CURRENT_USER, key, L"quevor", REG_EXPAND_SZ, expandable.c_str(),
                    static_cast<DWORD>((expandable.size() + 1) * sizeof(wchar_t)));
    wchar_t windows[MAX_PATH] = {};
    GetEnvironmentVariableW(L"WINDIR", windows, MAX_PATH);
    EXPECT_EQ(platform.readStartupEntry().command, narrowToU16(windows) + u"\\x.exe");
    const DWORD number = 1;
    RegSetKeyValueW(HKEY_CURRENT_USER, key, L"quevor", REG_DWORD, &number, sizeof number);
    EXPECT_EQ(platform.readStartupEntry().command, u"");
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(platform.writeStartupEntry(std::nullopt), std::nullopt);
        const StartupEntry read = platform.readStartupEntry();
        EXPECT_FALSE(read.command || read.failure);
    }
}

// The program menu's calls on the real shell: a start through the elevation prompt (Wine runs
// "runas" as "open") starts the program; a folder that is not there gives the reason.
TEST(ProgramShellTest, AnElevatedStartStartsAndAMissingFolderSaysWhy) {
    Win32Toolkit bar{GetModuleHandleW(nullptr)};
    Platform& platform = bar.toolkit().platform;
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring cmd = std::wstring(system) + L"\\cmd.exe";
    StartResult started{StartResult::Outcome::failed, u"not answered"};
    platform.requestStart({std::u16string(cmd.begin(), cmd.end()), u"/c exit 0", true},
                          [&](StartResult result) { started = result; });
    std::optional<std::u16string> folder;
    platform.requestOpenFolder(u"C:\\no\\such\\program.exe",
                               [&](std::optional<std::u16string> reason) { folder = reason; });
    platform.awaitAnswers(20000);
    EXPECT_EQ(started.outcome, StartResult::Outcome::started)
        << std::string(started.failure.begin(), started.failure.end());
    EXPECT_FALSE(folder.value_or(u"").empty());
}

}  // namespace
}  // namespace quevor::win32
