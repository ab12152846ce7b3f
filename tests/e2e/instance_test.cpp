// quevor.exe under Wine: a second start brings the running bar back, and the bar at the prefix's
// DPI (the stage runs the DPI test again with the prefix at 144 DPI).

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "fixture.h"
#include "support/settings_text.h"

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

// Three programs at the prefix's DPI: the window and its buttons are their twips at that DPI and
// the window is per-monitor aware. Minimised, a second start brings it back into the foreground
// and ends without a window of its own; a quit of the unchanged bar then writes the bytes it read.
using InstanceTest = BarTest;
TEST_F(InstanceTest, AtThePrefixDpiASecondStartBringsTheMinimisedBarBack) {
    copyFile(kNotepad, L"C:\\Tools\\edit.exe");
    copyFile(kBin + L"e2e_probe.exe", L"C:\\Tools\\play.exe");
    copyFile(kBin + L"e2e_probe.exe", L"C:\\Tools\\third.exe");
    const std::string file = quevor::testing::savedFile(
        {"C:\\Tools\\edit.exe", "C:\\Tools\\play.exe", "C:\\Tools\\third.exe"}, "2490", "1755", "0",
        "X:1500Y:1500");
    writeBytes(settings(), file);
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

    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(waitFor([&] { return IsIconic(window) != FALSE; }));
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
    EXPECT_EQ(readBytes(settings()), file);
}

}  // namespace
}  // namespace e2e
