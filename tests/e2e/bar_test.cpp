// quevor.exe under Wine, worked with real mouse and keyboard input: only what needs real
// Windows (the open-file dialog, icons, tooltips, starting programs, topmost, placement on a
// monitor, a sign-out, a kill mid quit);
// the logic behind it is proved on the simulated toolkit. The stage script has put quevor.exe, the
// probe program and the cleared setting.ini into C:\e2e\bin and mapped drive D: to a folder of its
// own.

#include <gtest/gtest.h>

#include "fixture.h"
#include "support/settings_text.h"

namespace e2e {
namespace {

using namespace std::string_literals;
using quevor::testing::savedFile;

// Two programs, each under a folder and a name: a copy of Wine's notepad on C:, the probe on D:.
// The probe's Latin path holds spaces, and D:\Program.exe is a decoy its start must not reach.
// Under Japanese Windows (code page 932) the paths hold characters whose second byte is 0x5C,
// the byte of a backslash; the driver then runs in that locale (the stage picks the case).
struct Programs {
    const char* name;
    std::wstring paths[2];
    std::vector<std::string> fileBytes;  // the paths as setting.ini holds them
};

const Programs kPrograms[] = {
    {"Latin",
     {L"C:\\Tools\\edit.exe", L"D:\\Program Files\\Probe Dir\\play.exe"},
     {"C:\\Tools\\edit.exe", "D:\\Program Files\\Probe Dir\\play.exe"}},
    {"CodePage932",
     {L"C:\\ソフト\\表計算.exe", L"D:\\ゲーム\\能.exe"},
     {"C:\\\x83\x5c\x83t\x83g\\\x95\x5c\x8cv\x8eZ.exe", "D:\\\x83Q\x81[\x83\x80\\\x94\x5c.exe"}},
};

class AddQuitStart : public BarTest, public ::testing::WithParamInterface<Programs> {};
INSTANTIATE_TEST_SUITE_P(Programs, AddQuitStart, ::testing::ValuesIn(kPrograms),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_P(AddQuitStart, AddTwoProgramsThroughTheDialogSignOutStartAgainAndStartOne) {
    const Programs& p = GetParam();
    ASSERT_EQ(GetACP() == 932, std::string(p.name) == "CodePage932");  // the stage's locale
    copyFile(kNotepad, p.paths[0]);
    copyFile(kBin + L"e2e_probe.exe", p.paths[1]);
    copyFile(kBin + L"e2e_probe.exe", L"D:\\Program.exe");
    copyFile(kBin + L"setting.ini", settings());
    {
        auto bar = start();
        ASSERT_NE(bar->waitWindow(), nullptr);
        EXPECT_TRUE(GetWindowLongW(bar->window(), GWL_EXSTYLE) & WS_EX_TOPMOST);

        for (int i = 0; i < 2; ++i) {  // the add button, the path typed into the file name box
            HWND dialog = nullptr;
            ASSERT_TRUE(retry(
                "a click on the add button", [&] { click(centre(windowRect(bar->addButton()))); },
                [&] { return (dialog = topWindow(bar->pid(), L"#32770")) != nullptr; }));
            HWND name = GetDlgItem(dialog, 0x47c);        // cmb13, the file name box
            if (!name) name = GetDlgItem(dialog, 0x480);  // edt1 in older layouts
            ASSERT_TRUE(waitFor([&] { return IsWindowVisible(name) != FALSE; }));
            const auto typePath = [&] {
                SetWindowTextW(name, L"");  // what an earlier try typed
                click(centre(windowRect(name)));
                for (const wchar_t unit : p.paths[i]) pressKey(0, unit);
                pressKey(VK_RETURN);
            };
            ASSERT_TRUE(retry("typing the path", typePath,
                              [&] { return !topWindow(bar->pid(), L"#32770"); }));
            ASSERT_TRUE(waitFor([&] { return bar->buttonCount() == i + 1; }));
        }
        endSession();  // a sign-out keeps the adds as the quit does
    }
    EXPECT_EQ(readBytes(settings()), savedFile(p.fileBytes, "1905", "1170"));

    // Started again, placed on no monitor: the bar comes wholly into view, with two buttons in
    // slot order, each with an icon and, as its tooltip, its program's file name.
    writeBytes(settings(), savedFile(p.fileBytes, "1905", "1170", "0", "X:30000Y:30000"));
    auto bar = start();
    ASSERT_NE(bar->waitWindow(), nullptr);
    RECT work{}, inView{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const RECT placed = windowRect(bar->window());
    EXPECT_TRUE(IntersectRect(&inView, &placed, &work) && EqualRect(&inView, &placed));
    ASSERT_EQ(bar->buttonCount(), 2);
    const auto tip = [&] { return windowText(topWindow(bar->pid(), L"tooltips_class32")); };
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        moveMouse({900, 700});
        EXPECT_GT(colourCount(bar->buttonRect(i)), 8u);
        const std::wstring name = p.paths[i].substr(p.paths[i].rfind(L'\\') + 1);
        EXPECT_TRUE(retry(
            "the mouse over a button",
            [&] {
                moveMouse({900, 700});
                moveMouse(centre(bar->buttonRect(i)));
            },
            [&] { return tip() == name; }));
    }

    // A left click starts that program (not the decoy) in its own folder, and minimises the bar.
    ASSERT_TRUE(retry(
        "a click on a program button", [&] { click(centre(bar->buttonRect(1))); },
        [] { return !startedLog().empty(); }));
    const std::wstring& path = p.paths[1];
    EXPECT_EQ(startedLog().find(path + L'|' + path.substr(0, path.rfind(L'\\')) + L"\r\n"), 0u)
        << startedLog();
    EXPECT_TRUE(waitFor([&] { return IsIconic(bar->window()) != FALSE; }));
    EXPECT_EQ(FindWindowW(L"Notepad", nullptr), nullptr);  // only the program clicked
}

// An unreadable file's report is checked on the Win32 toolkit (a failing start-up), its message
// by the reader's tests.
TEST_F(BarTest, WithoutASettingsFileTheProgramEndsAndMakesNone) {
    Bar none(folder + L"quevor.exe");
    EXPECT_EQ(none.waitExit(), 0u);
    EXPECT_EQ(GetFileAttributesW(settings().c_str()), INVALID_FILE_ATTRIBUTES);
}

// A sign-out with nothing changed leaves the file's bytes alone. (A quit that cannot write the
// file: the held file's test.)
TEST_F(BarTest, AnUnchangedSignOutLeavesTheFile) {
    const std::string cleared = quevor::testing::clearedFile();
    writeBytes(settings(), cleared);
    auto bar = start();
    ASSERT_NE(bar->waitWindow(), nullptr);
    endSession();  // Wine then ends the bar, as Windows does
    bar.reset();
    EXPECT_EQ(readBytes(settings()), cleared);
}

// Killed with TerminateProcess mid quit: setting.ini is the old file or the new one, byte for
// byte. The first quit runs to its end (the new file); then the kills are aimed by turns at the
// moment the quit's temporary file appears (before its rename) and at the moment the file has
// the new size (after it), polled without opening the file. Both outcomes must happen.
TEST_F(BarTest, KilledMidQuitItLeavesTheOldFileOrTheNewOne) {
    const std::string oldText = quevor::testing::clearedFile();
    std::string newText;
    WIN32_FIND_DATAW found{};
    const auto find = [&](const std::wstring& pattern) {  // the first match into found
        const HANDLE search = FindFirstFileW((folder + pattern).c_str(), &found);
        return search != INVALID_HANDLE_VALUE && FindClose(search);
    };
    int left[2] = {};  // the kills that left the old file, the new one
    for (int i = 0; i <= 16; ++i) {
        while (find(L".setting.ini.*.tmp")) DeleteFileW((folder + found.cFileName).c_str());
        writeBytes(settings(), oldText);
        auto bar = start();
        ASSERT_NE(bar->waitWindow(), nullptr);
        const auto aimedAt = [&] {
            if (i == 0) return !bar->running();
            return (i % 2 == 1 && find(L".setting.ini.*.tmp")) ||
                   (find(L"setting.ini") && found.nFileSizeLow == newText.size());
        };
        ASSERT_TRUE(bar->choose("the quit to be killed", -1, aimedAt, 0));
        bar.reset();  // TerminateProcess, unless the quit has ended it already
        const std::string text = readBytes(settings());
        if (i == 0) newText = text;
        ASSERT_NE(newText, oldText);
        ASSERT_TRUE(text == oldText || text == newText) << quevor::testing::shownBytes(text);
        if (i > 0) ++left[text == newText];
    }
    std::printf("16 kills: %d left the old file, %d the new one\n", left[0], left[1]);
    EXPECT_GT(left[0], 0);
    EXPECT_GT(left[1], 0);
}

}  // namespace
}  // namespace e2e
