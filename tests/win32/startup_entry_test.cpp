// The start-up entry on the real registry and file system under Wine: which commands start this
// very program (long and short names, letter case, quotes), and the entry written, read and
// taken away. What the bar does with it is proved on the simulated toolkit.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "shell/start_with_windows.h"
#include "toolkit/win32/win32_toolkit.h"

namespace quevor::win32 {
namespace {

namespace fs = std::filesystem;

std::u16string shortPath(const std::u16string& path) {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetShortPathNameW(wide(path).c_str(), buffer, MAX_PATH);
    return narrowToU16(std::wstring_view(buffer, length));
}

TEST(StartupEntryTest, ACommandStartsThisProgramByAnyNameOfItsFile) {
    Win32Toolkit bar{GetModuleHandleW(nullptr)};
    Platform& platform = bar.toolkit().platform;
    // This test program is the running program; a copy of it in a folder with a long name is
    // another file of the same name.
    const std::u16string own = platform.ownProgramPath();
    const fs::path folder = fs::temp_directory_path() / L"quevor long folder name";
    fs::create_directories(folder);
    const std::u16string copy = (folder / fs::path(own).filename()).u16string();
    fs::copy_file(fs::path(own), fs::path(copy), fs::copy_options::overwrite_existing);
    ASSERT_NE(shortPath(copy), copy);
    std::u16string upper = own;
    for (char16_t& c : upper) c = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
    const std::pair<std::u16string, bool> rows[] = {
        {u'"' + own + u'"', true},
        {upper, true},
        {u'"' + shortPath(own) + u'"', shortPath(own) != u""},
        {u'"' + own + u"\" /min", false},
        {u'"' + copy + u'"', false},
        {u'"' + shortPath(copy) + u'"', false},
    };
    for (const auto& [command, ours] : rows) {
        SCOPED_TRACE(std::string(command.begin(), command.end()));
        EXPECT_EQ(startsThisProgram(platform, command), ours);
    }
    // The copy's short and long names, in any case, name one file.
    std::u16string lowerShort = shortPath(copy);
    for (char16_t& c : lowerShort) c = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
    EXPECT_EQ(platform.comparablePath(lowerShort), platform.comparablePath(copy));
    fs::remove_all(folder);
}

// Written as text and read back; a value the system expands comes expanded, one that is not
// text is an entry that starts nothing. Taken away twice, it is simply gone.
TEST(StartupEntryTest, TheEntryIsWrittenReadAndTakenAway) {
    Win32Toolkit bar{GetModuleHandleW(nullptr)};
    Platform& platform = bar.toolkit().platform;
    const wchar_t* key = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const std::u16string command = u"\"C:\\Program Files\\quevor\\quevor.exe\"";
    EXPECT_EQ(platform.writeStartupEntry(command), std::nullopt);
    EXPECT_EQ(platform.readStartupEntry().command, command);
    const std::wstring expandable = L"%WINDIR%\\quevor.exe";
    RegSetKeyValueW(HKEY_CURRENT_USER, key, L"quevor", REG_EXPAND_SZ, expandable.c_str(),
                    static_cast<DWORD>((expandable.size() + 1) * sizeof(wchar_t)));
    wchar_t windows[MAX_PATH] = {};
    GetEnvironmentVariableW(L"WINDIR", windows, MAX_PATH);
    EXPECT_EQ(platform.readStartupEntry().command,
              narrowToU16(std::wstring(windows) + L"\\quevor.exe"));
    const DWORD number = 1;
    RegSetKeyValueW(HKEY_CURRENT_USER, key, L"quevor", REG_DWORD, &number, sizeof number);
    EXPECT_EQ(platform.readStartupEntry().command, u"");
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(platform.writeStartupEntry(std::nullopt), std::nullopt);
        const StartupEntry read = platform.readStartupEntry();
        EXPECT_EQ(read.command, std::nullopt);
        EXPECT_EQ(read.failure, std::nullopt);
    }
}

}  // namespace
}  // namespace quevor::win32
