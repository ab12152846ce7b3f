// quevor.exe under Wine: the bar at the prefix's DPI (the stage runs this again with the prefix at
// 144 DPI), worked with real keys, and a second start that brings the running bar back. What
// each key does is proved on the simulated toolkit.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "fixture.h"

namespace e2e {
namespace {

// Saves the screen's pixels under the rectangle as a PPM file, for ImageMagick to convert.
void saveScreenshot(const RECT& r, const std::wstring& path) {
    std::string ppm = "P6\n" + std::to_string(r.right - r.left) + " " +
                      std::to_string(r.bottom - r.top) + "\n255\n";
    for (const COLORREF c : pixels(r))
        ppm += {char(GetRValue(c)), char(GetGValue(c)), char(GetBValue(c))};
    writeBytes(path, ppm);
}

void chord(WORD held, WORD key) {  // the key pressed while held is down
    INPUT input[4] = {};
    const WORD keys[4] = {held, key, key, held};
    for (int i = 0; i < 4; ++i) {
        input[i].type = INPUT_KEYBOARD;
        input[i].ki.wVk = keys[i];
        input[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    SendInput(4, input, sizeof(INPUT));
}

// Three programs at the prefix's DPI: the window and its buttons are their twips at that DPI and
// the window is per-monitor aware. The keys open the menu, move the focus, start, remove and
// start by digit; the start minimises the bar, and a second start brings it back into the
// foreground and ends without a window of its own. The quit then writes the two programs
// left in their places, on a bar one button narrower.
using InstanceTest = BarTest;
TEST_F(InstanceTest, AtThePrefixDpiTheKeysWorkAndASecondStartBringsTheMinimisedBarBack) {
    const std::vector<std::wstring> programs = {L"C:\\Keys\\a.exe", L"C:\\Keys\\b.exe",
                                                L"C:\\Keys\\c.exe"};
    saveProbes(programs, "2490", "1755", "X:1500Y:1500");
    const auto bar = start();
    HWND window = bar->waitWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(waitFor([&] { return bar->buttonCount() == 3; }));
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const auto px = [&](int twips) {
        return static_cast<LONG>(std::nearbyint(twips * dpi / 1440.0));
    };
    const RECT outer = windowRect(window), button = bar->buttonRect(0);
    RECT client{};
    GetClientRect(window, &client);
    std::printf("%d DPI: client %ld x %ld\n", dpi, client.right, client.bottom);
    EXPECT_EQ(std::tuple(outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                         button.right - button.left),
              std::tuple(px(1500), px(1500), px(2490), px(1125), px(585)));
    EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(window)),
              DPI_AWARENESS_PER_MONITOR_AWARE);
    saveScreenshot(outer, L"C:\\e2e\\dpi-" + std::to_wstring(dpi) + L".ppm");

    const auto hot = [&] { return SendMessageW(bar->toolbar(), TB_GETHOTITEM, 0, 0); };
    const auto started = [](std::size_t starts) {
        const std::wstring log = startedLog();
        return static_cast<std::size_t>(std::count(log.begin(), log.end(), L'\n')) == starts;
    };
    const auto activate = [&] {
        ShowWindow(window, SW_RESTORE);
        return retry(
            "activating the bar", [&] { SetForegroundWindow(window); },
            [&] { return GetForegroundWindow() == window; });
    };
    ASSERT_TRUE(activate());
    // Shift+F10 shows the focus on the first button and opens its menu.
    ASSERT_TRUE(retry(
        "Shift+F10", [] { chord(VK_SHIFT, VK_F10); }, [] { return popupMenu() != nullptr; }));
    EXPECT_EQ(hot(), 0);
    ASSERT_TRUE(retry(
        "Escape", [] { pressKey(VK_ESCAPE); }, [] { return popupMenu() == nullptr; }));
    // Right and Enter start the second program.
    ASSERT_TRUE(retry(
        "Right", [] { pressKey(VK_RIGHT); }, [&] { return hot() == 1; }));
    ASSERT_TRUE(retry(
        "Enter", [] { pressKey(VK_RETURN); }, [&] { return started(1); }));
    // Delete opens its menu with the removal selected, and Enter removes it; the focus is on
    // the program that took its place, which Enter starts.
    ASSERT_TRUE(activate());
    ASSERT_TRUE(retry(
        "Delete", [] { pressKey(VK_DELETE); }, [] { return popupMenu() != nullptr; }));
    ASSERT_TRUE(retry(
        "Enter in the menu", [] { pressKey(VK_RETURN); }, [&] { return bar->buttonCount() == 2; }));
    EXPECT_EQ(hot(), 1);
    ASSERT_TRUE(retry(
        "Enter", [] { pressKey(VK_RETURN); }, [&] { return started(2); }));
    // A digit starts the program in that place, and the bar minimises.
    ASSERT_TRUE(activate());
    ASSERT_TRUE(retry(
        "the digit 1", [] { pressKey('1'); }, [&] { return started(3); }));
    std::wstring expected;
    for (const std::size_t program : {1u, 2u, 0u}) expected += programs[program] + L"|C:\\Keys\r\n";
    EXPECT_EQ(startedLog(), expected);

    ASSERT_TRUE(waitFor([&] { return IsIconic(window) != FALSE; }));
    const std::string file = readBytes(settings());
    const auto second = start();
    bool secondShown = false;
    waitFor([&] {
        secondShown = secondShown || second->window() != nullptr;
        return !second->running();
    });
    EXPECT_EQ(std::tuple(second->waitExit(), secondShown), std::tuple(0ul, false));
    EXPECT_TRUE(
        waitFor([&] { return !IsIconic(window) && GetForegroundWindow() == window; }, 5000));
    EXPECT_EQ(readBytes(settings()), file);
    ASSERT_TRUE(bar->choose("the quit", -1, [&] { return !bar->running(); }));
    EXPECT_EQ(readBytes(settings()),
              quevor::testing::savedFile({"C:\\Keys\\a.exe", "", "C:\\Keys\\c.exe"}, "1905", "1170",
                                         "0", "X:1500Y:1500"));
}

}  // namespace
}  // namespace e2e
