// quevor.exe under Wine, worked with real mouse and keyboard input: only what needs real
// Windows (the open-file dialog, icons, tooltips, starting programs, the error report, topmost,
// placement on a monitor); the logic behind it is proved on the simulated toolkit. The stage
// script has put quevor.exe, the probe program and the cleared setting.ini into C:\e2e\bin and
// mapped drive D: to a folder of its own.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "driver.h"
#include "support/settings_text.h"

namespace e2e {
namespace {

using quevor::testing::clearedFile;
using quevor::testing::savedFile;

const std::wstring kBin = L"C:\\e2e\\bin\\";

int px(int twips) { return (twips * 96 + 720) / 1440; }

class BarTest : public ::testing::Test {
protected:
    std::wstring folder;

    void SetUp() override {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        folder = L"C:\\e2e\\run\\" + std::wstring(name.begin(), name.end());
        copyFile(kBin + L"quevor.exe", folder + L"\\quevor.exe");
        clearStartedLog();
        moveMouse(900, 700);  // away from where any bar stands
    }
    void TearDown() override {
        endProcesses(L"edit.exe");
        endProcesses(L"notepad.exe");
        endProcesses(L"quevor.exe");
    }

    std::wstring settings() const { return folder + L"\\setting.ini"; }
    std::unique_ptr<Bar> start() { return std::make_unique<Bar>(folder + L"\\quevor.exe"); }

    // Under Wine the first click after a window's frame changed, or after a pop-up menu, is
    // now and then not delivered: an action is repeated, three times at most, until it shows.
    void retry(const std::function<void()>& act, const std::function<bool()>& shows) {
        for (int attempt = 0; attempt < 3 && !shows(); ++attempt) {
            act();
            waitFor(shows, std::chrono::milliseconds(5000));
        }
        ASSERT_TRUE(shows());
    }

    // Adds a program through the real open-file dialog: click the add button, type the path
    // into the file name box, press Enter.
    void addThroughDialog(Bar& bar, const std::wstring& path, int buttonsAfter) {
        clickCentre(windowRect(bar.addButton()));
        HWND dialog = nullptr;
        ASSERT_TRUE(waitFor([&] { return (dialog = bar.dialog()) != nullptr; })) << "no dialog";
        HWND name = GetDlgItem(dialog, 0x47c);  // cmb13, the file name box
        if (!name) name = GetDlgItem(dialog, 0x480);  // edt1 in older layouts
        ASSERT_NE(name, nullptr);
        ASSERT_TRUE(waitFor([&] { return IsWindowVisible(name) != FALSE; }));
        clickCentre(windowRect(name));
        typeText(path);
        pressKey(VK_RETURN);
        ASSERT_TRUE(waitFor([&] { return bar.dialog() == nullptr; })) << "the dialog stayed open";
        ASSERT_TRUE(waitFor([&] { return bar.buttonCount() == buttonsAfter; }));
    }
};

// Two programs, each under a folder and a name: a copy of Wine's notepad on C:, the probe on D:.
// Under Japanese Windows (code page 932) the paths hold characters whose second byte is 0x5C,
// the byte of a backslash; the driver then runs in that locale (the stage picks the case).
struct Programs {
    const char* name;
    std::wstring paths[2];
    std::string fileBytes[2];  // the paths as setting.ini holds them
    std::wstring tips[2];
    std::wstring started;  // the probe's log line after a click on the second button
};

const Programs kPrograms[] = {
    {"Latin", {L"C:\\Tools\\edit.exe", L"D:\\Games\\play.exe"},
     {"C:\\Tools\\edit.exe", "D:\\Games\\play.exe"}, {L"edit.exe", L"play.exe"},
     L"D:\\Games\\play.exe|D:\\Games"},
    {"CodePage932", {L"C:\\ソフト\\表計算.exe", L"D:\\ゲーム\\能.exe"},
     {"C:\\\x83\x5c\x83t\x83g\\\x95\x5c\x8cv\x8eZ.exe", "D:\\\x83Q\x81[\x83\x80\\\x94\x5c.exe"},
     {L"表計算.exe", L"能.exe"}, L"D:\\ゲーム\\能.exe|D:\\ゲーム"},
};

class AddQuitStart : public BarTest, public ::testing::WithParamInterface<Programs> {};
INSTANTIATE_TEST_SUITE_P(Programs, AddQuitStart, ::testing::ValuesIn(kPrograms),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_P(AddQuitStart, AddTwoProgramsThroughTheDialogQuitStartAgainAndStartOne) {
    const Programs& p = GetParam();
    if (std::string(p.name) == "CodePage932") {
        ASSERT_EQ(GetACP(), 932u);
    }
    copyFile(L"C:\\windows\\system32\\notepad.exe", p.paths[0]);
    copyFile(kBin + L"probe.exe", p.paths[1]);
    copyFile(kBin + L"setting.ini", settings());
    ASSERT_EQ(readBytes(settings()), clearedFile());
    {
        auto bar = start();
        ASSERT_NE(bar->waitWindow(), nullptr);
        EXPECT_TRUE(GetWindowLongW(bar->window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
        Bar second(folder + L"\\quevor.exe");  // another instance ends at once, the first stays
        ASSERT_TRUE(second.waitExit());
        EXPECT_EQ(second.exitCode(), 0u);
        EXPECT_TRUE(bar->running());

        addThroughDialog(*bar, p.paths[0], 1);
        addThroughDialog(*bar, p.paths[1], 2);
        const POINT at = centre(windowRect(bar->addButton()));
        retry([&] { rightPressForMenu(at.x, at.y); }, [] { return popupMenu() != nullptr; });
        chooseMenuItem(1);  // 終了
        ASSERT_TRUE(bar->waitExit());
        EXPECT_EQ(bar->exitCode(), 0u);
    }
    EXPECT_EQ(readBytes(settings()), savedFile({p.fileBytes[0], p.fileBytes[1]}, "1905", "1170"));

    // Started again: two buttons in slot order, each with its program's icon and file name.
    auto bar = start();
    ASSERT_NE(bar->waitWindow(), nullptr);
    ASSERT_EQ(bar->buttonCount(), 2);
    const RECT first = bar->buttonRect(0);
    const RECT second = bar->buttonRect(1);
    EXPECT_EQ(first.right - first.left, px(585));
    EXPECT_LT(first.left, second.left);
    EXPECT_GT(colourCount(first), 8u);
    EXPECT_GT(colourCount(second), 8u);
    EXPECT_NE(pixels(first), pixels(second));  // notepad's icon, then the probe's
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        moveMouse(900, 700);
        ASSERT_TRUE(waitFor([&] { return visibleToolTip(bar->pid()).empty(); }));
        const POINT at = centre(bar->buttonRect(i));
        moveMouse(at.x, at.y);
        EXPECT_TRUE(waitFor([&] { return visibleToolTip(bar->pid()) == p.tips[i]; }));
    }

    // A left click starts the program in its own folder and minimises the bar.
    moveMouse(900, 700);
    retry([&] { clickCentre(bar->buttonRect(1)); }, [] { return !startedLog().empty(); });
    EXPECT_EQ(startedLog()[0], p.started);
    EXPECT_TRUE(waitFor([&] { return IsIconic(bar->window()) != FALSE; }));
    EXPECT_EQ(FindWindowW(L"Notepad", nullptr), nullptr);  // only the program clicked
    EXPECT_TRUE(bar->running());
}

TEST_F(BarTest, APathWithSpacesStartsThatProgramNotADecoy) {
    copyFile(kBin + L"probe.exe", L"C:\\Program Files\\Probe Dir\\probe.exe");
    copyFile(kBin + L"probe.exe", L"C:\\Program.exe");
    writeBytes(settings(), savedFile({"C:\\Program Files\\Probe Dir\\probe.exe"}, "1320", "585", "0", "X:1500Y:1500"));
    auto bar = start();
    ASSERT_NE(bar->waitWindow(), nullptr);
    ASSERT_EQ(bar->buttonCount(), 1);
    clickCentre(bar->buttonRect(0));
    ASSERT_TRUE(waitFor([] { return !startedLog().empty(); }));
    EXPECT_EQ(startedLog(), std::vector<std::wstring>{L"C:\\Program Files\\Probe Dir\\probe.exe|C:\\Program Files\\Probe Dir"});
    DeleteFileW(L"C:\\Program.exe");
}

TEST_F(BarTest, WithoutASettingsFileOrWithAnUnreadableOneTheProgramEnds) {
    Bar none(folder + L"\\quevor.exe");  // no file: no window, success
    ASSERT_TRUE(none.waitExit());
    EXPECT_EQ(none.exitCode(), 0u);
    EXPECT_FALSE(exists(settings()));

    const std::string bad = quevor::testing::bytes("CL:0[CR][LF]W:wide[CR][LF][CR]Path1:1.exe[CR][LF]");
    writeBytes(settings(), bad);
    auto bar = start();
    HWND message = nullptr;
    ASSERT_TRUE(waitFor([&] { return (message = bar->dialog()) != nullptr; })) << "no report";
    EXPECT_EQ(bar->window(), nullptr);  // the bar never showed
    std::wstring shown;
    for (HWND t = FindWindowExW(message, nullptr, L"Static", nullptr); t; t = FindWindowExW(message, t, L"Static", nullptr)) {
        shown += windowText(t);
    }
    EXPECT_NE(shown.find(L"wide"), std::wstring::npos);
    EXPECT_NE(shown.find(L"not a number"), std::wstring::npos);
    pressKey(VK_RETURN);
    ASSERT_TRUE(bar->waitExit());
    EXPECT_NE(bar->exitCode(), 0u);
    EXPECT_EQ(readBytes(settings()), bad);
}

TEST_F(BarTest, APositionOnNoMonitorComesBackIntoView) {
    writeBytes(settings(), savedFile({}, "735", "0", "0", "X:30000Y:30000"));
    auto bar = start();
    HWND window = bar->waitWindow();
    ASSERT_NE(window, nullptr);
    const RECT r = windowRect(window);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_GE(r.left, work.left);
    EXPECT_GE(r.top, work.top);
    EXPECT_LE(r.right, work.right);
    EXPECT_LE(r.bottom, work.bottom);
}

}  // namespace
}  // namespace e2e
