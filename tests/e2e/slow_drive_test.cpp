// A program on a drive that does not answer (a sleeping network disk): the stage preloads a
// file-system shim that holds every look at a "quevor-slow-drive" path in the bar's process
// while C:\e2e\slow-hold exists. The bar shows and answers meanwhile; the program's button
// stands in its place and gets its icon once the drive answers, and its start waits for it.

#include "fixture.h"
#include "support/settings_text.h"

namespace e2e {
namespace {

using quevor::testing::savedFile;

const std::wstring kHold = L"C:\\e2e\\slow-hold";

TEST_F(BarTest, SlowDriveNeitherKeepsTheWindowFromShowingNorHoldsTheBarUp) {
    const std::wstring slow = L"C:\\quevor-slow-drive\\slow.exe";
    copyFile(kBin + L"e2e_probe.exe", L"C:\\Tools\\fast.exe");
    copyFile(kBin + L"e2e_probe.exe", slow);
    writeBytes(settings(), savedFile({"C:\\Tools\\fast.exe", "C:\\quevor-slow-drive\\slow.exe"},
                                     "1905", "1170"));
    writeBytes(kHold, "held");
    struct Release {
        ~Release() { DeleteFileW(kHold.c_str()); }
    } releaseAtEnd;

    auto bar = start();
    ASSERT_NE(bar->waitWindow(), nullptr);
    ASSERT_EQ(bar->buttonCount(), 2);
    moveMouse({900, 700});
    const std::vector<COLORREF> icon = pixels(bar->buttonRect(0));
    EXPECT_NE(pixels(bar->buttonRect(1)), icon);  // the neutral icon meanwhile

    // A click on it starts nothing yet, and the bar still answers: its menu opens.
    ASSERT_TRUE(retry(
        "a click on the waiting button", [&] { click(centre(bar->buttonRect(1))); },
        [&] { return bar->running(); }));
    ASSERT_TRUE(bar->openMenu(0));
    pressKey(VK_ESCAPE);
    EXPECT_TRUE(waitFor([] { return popupMenu() == nullptr; }));
    EXPECT_TRUE(startedLog().empty());
    EXPECT_FALSE(IsIconic(bar->window()));

    // Released, the drive answers: the icon comes (the same program as the first button's), the
    // start goes ahead and the bar minimises.
    DeleteFileW(kHold.c_str());
    EXPECT_TRUE(waitFor([&] { return !startedLog().empty(); }));
    EXPECT_EQ(startedLog().find(slow + L"|C:\\quevor-slow-drive\r\n"), 0u) << startedLog();
    EXPECT_TRUE(waitFor([&] { return IsIconic(bar->window()) != FALSE; }));
    ShowWindow(bar->window(), SW_RESTORE);
    EXPECT_TRUE(waitFor([&] {
        moveMouse({900, 700});
        return pixels(bar->buttonRect(1)) == icon;
    }));
}

}  // namespace
}  // namespace e2e
