// The Win32 toolkit when the window's DPI changes, and a second start of the program. This Wine
// gives every monitor one DPI and never sends WM_DPICHANGED, so the test sends it.

#include <string>
#include <tuple>

#include "bar_fixture.h"
#include "core/error.h"

namespace quevor::win32 {
namespace {

// Outer size, image size, add button size and left, its picture's size, all in pixels.
using Drawn = std::tuple<LONG, LONG, int, LONG, LONG, LONG>;

// Sizes follow the new DPI from the twips the window was given, the position comes from the
// system's suggestion, and back at the first DPI every pixel is as it was (the twips at 120 and
// 144 DPI round halves to the even pixel).
using DpiTest = Win32BarTest;
TEST_F(DpiTest, SizesFollowTheDpiFromTheirTwipsAndComeBackExactly) {
    addPrograms(1);
    kit.window.setWidth(1905);
    kit.window.setHeight(1125);
    kit.addButton.setLeft(1170);
    const auto images = [&] {
        return reinterpret_cast<HIMAGELIST>(SendMessageW(toolbarWindow, TB_GETIMAGELIST, 0, 0));
    };
    const auto firstImageBits = [&] {  // the image list's bitmap, where its images are drawn
        IMAGEINFO info{};
        ImageList_GetImageInfo(images(), 0, &info);
        BITMAP bitmap{};
        GetObjectW(info.hbmImage, sizeof bitmap, &bitmap);
        std::string bits(static_cast<std::size_t>(bitmap.bmWidthBytes * bitmap.bmHeight), '\0');
        GetBitmapBits(info.hbmImage, static_cast<LONG>(bits.size()), bits.data());
        return bits;
    };
    const auto drawn = [&] {
        RECT outer{}, button{};
        GetWindowRect(window, &outer);
        GetWindowRect(add, &button);
        MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&button), 2);
        int icon = 0;
        ImageList_GetIconSize(images(), &icon, &icon);
        BITMAP picture{};
        GetObjectW(reinterpret_cast<HBITMAP>(SendMessageW(add, BM_GETIMAGE, IMAGE_BITMAP, 0)),
                   sizeof picture, &picture);
        return Drawn{outer.right - outer.left,
                     outer.bottom - outer.top,
                     icon,
                     button.right - button.left,
                     button.left,
                     picture.bmWidth};
    };
    ASSERT_EQ(bar.window().units().dpi(), 96);  // the prefix's
    const Drawn first = drawn();
    const std::string firstImage = firstImageBits();
    // clang-format off
    const struct { int dpi; Drawn sizes; } rows[] = {
        {144, {190, 112, 48, 62, 117, 53}}, {120, {159, 94, 40, 51, 98, 44}}, {96, first}};
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.dpi);
        RECT suggested{200 + row.dpi, 150, 400, 300};  // only its corner counts
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(row.dpi, row.dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        EXPECT_EQ(drawn(), row.sizes);
        EXPECT_EQ(std::tuple(kit.window.width(), kit.window.height(), kit.addButton.left()),
                  std::tuple(1905.0f, 1125.0f, 1170.0f));
        RECT outer{};
        GetWindowRect(window, &outer);
        EXPECT_EQ(std::tuple(outer.left, outer.top), std::tuple(suggested.left, suggested.top));
        EXPECT_EQ(kit.window.left(), Units(96).toTwips(suggested.left));  // at the system DPI
    }
    EXPECT_EQ(firstImageBits(), firstImage);
    // Beyond a million pixels a size is an error, an edge stops there.
    EXPECT_THROW((void)Units(96).toPixels(1e30f), RuntimeError);
    EXPECT_EQ(std::pair(Units(96).toEdgePixels(-1e30f), Units(96).toEdgePixels(1e30f)),
              std::pair(-1000000, 1000000));
}

// A second start restores the running bar, brings it onto a monitor and activates it with the
// focus on its buttons; a bar not yet shown is left alone.
TEST(SecondStartTest, BringsTheRunningBarBack) {
    // clang-format off
    const struct { const char* name; int show; float left; bool found; } rows[] = {
        {"minimised", SW_SHOWMINIMIZED, 1500, true}, {"off every monitor", SW_SHOWNORMAL, 450000, true},
        {"not shown", SW_HIDE, 450000, false}};
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Win32Toolkit running{GetModuleHandleW(nullptr)};
        ASSERT_FALSE(running.toolkit().platform.anotherInstanceRunning());
        running.window().setLeft(row.left);
        running.window().show(row.show);
        HWND hwnd = running.window().hwnd();
        SetForegroundWindow(GetDesktopWindow());
        Win32Toolkit second{GetModuleHandleW(nullptr)};
        EXPECT_TRUE(second.toolkit().platform.anotherInstanceRunning());
        EXPECT_EQ(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONULL) != nullptr, row.found);
        EXPECT_EQ(std::tuple(IsIconic(hwnd) != FALSE, GetForegroundWindow() == hwnd,
                             GetFocus() == running.window().toolbar().hwnd()),
                  std::tuple(false, row.found, row.found));
        EXPECT_FALSE(IsWindowVisible(second.window().hwnd()));
    }
}

}  // namespace
}  // namespace quevor::win32
