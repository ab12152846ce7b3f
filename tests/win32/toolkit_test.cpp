#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "core/error.h"
#include "toolkit/win32/win32_toolkit.h"

namespace quevor::win32 {
namespace {

constexpr std::uint32_t kCaption = 0x00C00000;

// The pixels of one image of an image list, drawn onto white.
std::vector<std::uint32_t> imageBits(HIMAGELIST images, int index) {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, cx, cy, WHITENESS);
    ImageList_Draw(images, index, dc, 0, 0, ILD_NORMAL);
    GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> out(p, p + cx * cy);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return out;
}

class Win32ToolkitTest : public ::testing::Test {
protected:
    Win32Toolkit bar{GetModuleHandleW(nullptr)};
    Toolkit kit = bar.toolkit();
    HWND hwnd() { return bar.window().hwnd(); }
    int px(float twips) { return bar.window().units().toPixels(twips); }
    RECT outer() {
        RECT r{};
        GetWindowRect(hwnd(), &r);
        return r;
    }
    std::unique_ptr<Icon> icon(const wchar_t* program) {
        wchar_t system[MAX_PATH];
        GetSystemDirectoryW(system, MAX_PATH);
        const std::wstring path = std::wstring(system) + L"\\" + program;
        return kit.platform.programIcon(std::u16string(path.begin(), path.end()));
    }
};

TEST_F(Win32ToolkitTest, GeometryIsTheOuterRectangleInTwipsAndReadsBackAsWritten) {
    const struct {
        float left, top, width, height;
    } rows[] = {{1500, 1500, 1905, 1125}, {100, 100, 735, 650}, {-120, 30, 615, 650},
                {1507, 1493, 8775, 1125}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.width);
        kit.window.setLeft(row.left);
        kit.window.setTop(row.top);
        kit.window.setWidth(row.width);
        kit.window.setHeight(row.height);
        const RECT r = outer();
        EXPECT_EQ(r.left, px(row.left));
        EXPECT_EQ(r.top, px(row.top));
        EXPECT_EQ(r.right - r.left, px(row.width));
        EXPECT_EQ(r.bottom - r.top, px(row.height));
        EXPECT_EQ(kit.window.left(), row.left);
        EXPECT_EQ(kit.window.top(), row.top);
        EXPECT_EQ(kit.window.width(), row.width);
        EXPECT_EQ(kit.window.height(), row.height);
    }
    // Moved by someone else: the pixels are converted.
    SetWindowPos(hwnd(), nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(kit.window.left(), bar.window().units().toTwips(10));
}

TEST_F(Win32ToolkitTest, CaptionBitsComeAndGoAndNoMenuBarEver) {
    const std::uint32_t shown = kit.window.style();
    ASSERT_EQ(shown & kCaption, kCaption);
    kit.window.setStyle(shown & 0xFF3FFFFFu);
    kit.window.redrawFrame();
    EXPECT_EQ(static_cast<std::uint32_t>(GetWindowLongPtrW(hwnd(), GWL_STYLE)), shown & ~kCaption);
    kit.window.setStyle(kit.window.style() | kCaption);
    kit.window.redrawFrame();
    EXPECT_EQ(kit.window.style(), shown);
    EXPECT_EQ(GetMenu(hwnd()), nullptr);
}

TEST_F(Win32ToolkitTest, TopmostWithTheToolbarsTooltipAround) {
    kit.window.makeTopmost();
    EXPECT_TRUE(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    HWND tips = reinterpret_cast<HWND>(SendMessageW(bar.window().toolbar().hwnd(), TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(GetWindow(tips, GW_OWNER), hwnd());  // still the bar's
}

TEST_F(Win32ToolkitTest, ToolbarButtonsShowTheirOwnImagesAtTheButtonPitch) {
    Toolbar& toolbar = kit.toolbar;
    const auto notepad = icon(L"notepad.exe");
    const auto mine = icon(L"winemine.exe");
    ASSERT_TRUE(notepad && mine);
    toolbar.addImage(1, u"k11", *notepad);
    toolbar.addButton(1, u"k11", u"k11");
    toolbar.addImage(2, u"k12", *mine);
    toolbar.addButton(2, u"k12", u"k12");
    toolbar.setToolTip(2, u"winemine.exe");
    EXPECT_EQ(toolbar.buttonCount(), 2);

    HWND tb = bar.window().toolbar().hwnd();
    TBBUTTON first{}, second{};
    SendMessageW(tb, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&first));
    SendMessageW(tb, TB_GETBUTTON, 1, reinterpret_cast<LPARAM>(&second));
    EXPECT_NE(first.iBitmap, second.iBitmap);
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(tb, TB_GETIMAGELIST, 0, 0));
    EXPECT_EQ(ImageList_GetImageCount(images), 2);
    EXPECT_NE(imageBits(images, first.iBitmap), imageBits(images, second.iBitmap));
    RECT a{}, b{};
    SendMessageW(tb, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&a));
    SendMessageW(tb, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&b));
    EXPECT_EQ(b.left - a.left, px(585));

    EXPECT_EQ(bar.window().toolbar().keyOfCommand(second.idCommand), u"k12");
    ASSERT_NE(bar.window().toolbar().toolTipOfCommand(second.idCommand), nullptr);
    EXPECT_EQ(*bar.window().toolbar().toolTipOfCommand(second.idCommand), L"winemine.exe");

    // Keys are unique, images must exist, positions must be in range.
    EXPECT_THROW(toolbar.addImage(3, u"k12", *notepad), RuntimeError);
    EXPECT_THROW(toolbar.addButton(3, u"k11", u"k11"), RuntimeError);
    EXPECT_THROW(toolbar.addButton(3, u"k13", u"k19"), RuntimeError);
    EXPECT_THROW(toolbar.addButton(5, u"k13", u"k11"), RuntimeError);
    EXPECT_THROW(toolbar.setToolTip(3, u"x"), RuntimeError);

    toolbar.clearButtons();
    EXPECT_EQ(toolbar.buttonCount(), 0);
    EXPECT_EQ(ImageList_GetImageCount(images), 2);  // the images stay
}

TEST_F(Win32ToolkitTest, ButtonsAreRemovedWithTheirImagesAndMoved) {
    Toolbar& toolbar = kit.toolbar;
    const auto notepad = icon(L"notepad.exe");
    ASSERT_TRUE(notepad);
    for (const std::u16string key : {u"k11", u"k12", u"k13"}) {
        const int16 at = static_cast<int16>(toolbar.buttonCount() + 1);
        toolbar.addImage(at, key, *notepad);
        toolbar.addButton(at, key, key);
    }
    toolbar.moveButton(3, 1);
    toolbar.removeButton(2);
    toolbar.addImage(3, u"k11", *notepad);  // the key is free again, its image is reused
    toolbar.addButton(3, u"k11", u"k11");

    HWND tb = bar.window().toolbar().hwnd();
    std::vector<std::u16string> keys;
    for (int i = 0; i < toolbar.buttonCount(); ++i) {
        TBBUTTON button{};
        SendMessageW(tb, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        keys.push_back(bar.window().toolbar().keyOfCommand(button.idCommand).value_or(u"?"));
    }
    EXPECT_EQ(keys, (std::vector<std::u16string>{u"k13", u"k12", u"k11"}));
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(tb, TB_GETIMAGELIST, 0, 0));
    EXPECT_EQ(ImageList_GetImageCount(images), 3);
    EXPECT_THROW(toolbar.removeButton(4), RuntimeError);
    EXPECT_THROW(toolbar.moveButton(1, 4), RuntimeError);
}

TEST_F(Win32ToolkitTest, APointOnTheToolbarNamesTheButtonUnderItAndThePlaceItWouldTake) {
    const auto notepad = icon(L"notepad.exe");
    ASSERT_TRUE(notepad);
    for (const std::u16string key : {u"k11", u"k12", u"k13"}) {
        const int16 at = static_cast<int16>(kit.toolbar.buttonCount() + 1);
        kit.toolbar.addImage(at, key, *notepad);
        kit.toolbar.addButton(at, key, key);
    }
    const Win32Toolbar& toolbar = bar.window().toolbar();
    const int pitch = px(585), y = px(300);
    const struct {
        int x;
        const char16_t* key;  // nullptr: the toolbar's empty part
        int16 position;
    } rows[] = {{-5, nullptr, 1}, {pitch / 2, u"k11", 1}, {pitch + 2, u"k12", 2},
                {3 * pitch - 2, u"k13", 3}, {3 * pitch + 40, nullptr, 3}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.x);
        const auto key = toolbar.keyAt(POINT{row.x, y});
        EXPECT_EQ(key.has_value(), row.key != nullptr);
        if (row.key) {
            EXPECT_EQ(*key, row.key);
        }
        EXPECT_EQ(toolbar.positionAt(row.x), row.position);
    }
}

// (A shortcut's target is read in the end-to-end drop, which needs one anyway.)
TEST_F(Win32ToolkitTest, WhatIsNoShortcutGivesTheReason) {
    const std::filesystem::path text = std::filesystem::temp_directory_path() / L"quevor-text.lnk";
    std::ofstream(text) << "not a shortcut";
    for (const std::filesystem::path& path : {text, text.parent_path() / L"quevor-missing.lnk"}) {
        SCOPED_TRACE(path.string());
        const ShortcutTarget found = kit.platform.resolveShortcut(path.u16string());
        EXPECT_FALSE(found.path.has_value());
        EXPECT_FALSE(found.failure.empty());
    }
    std::filesystem::remove(text);
}

TEST_F(Win32ToolkitTest, AddButtonGeometry) {
    EXPECT_EQ(kit.addButton.width(), 615);
    EXPECT_EQ(kit.addButton.left(), 0);
    kit.addButton.setLeft(1170);
    EXPECT_EQ(kit.addButton.left(), 1170);
    RECT r{};
    GetWindowRect(bar.window().addButton().hwnd(), &r);
    MapWindowPoints(HWND_DESKTOP, hwnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, px(1170));
}

TEST_F(Win32ToolkitTest, MenuItemsHideAndShow) {
    for (const auto& info : kMenuItems) {
        kit.menu.setVisible(info.item, false);
        EXPECT_FALSE(kit.menu.visible(info.item));
        kit.menu.setVisible(info.item, true);
        EXPECT_TRUE(kit.menu.visible(info.item));
    }
}

TEST_F(Win32ToolkitTest, PlatformServices) {
    // Icons: one for a program, none for a missing file.
    EXPECT_NE(icon(L"notepad.exe"), nullptr);
    EXPECT_EQ(kit.platform.programIcon(u"C:\\no\\such\\program.exe"), nullptr);

    // The file search finds a file in the working folder, whatever the length of the path.
    const auto found = kit.platform.findFile(u"kernel32.dll");
    ASSERT_TRUE(found.has_value());
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(*found)));
    EXPECT_FALSE(kit.platform.findFile(u"no-such-file-anywhere.ini").has_value());

    // A program that cannot start gives the system's reason; nothing is started.
    const auto reason = kit.platform.startProgram(u"C:\\no\\such\\program.exe");
    ASSERT_TRUE(reason.has_value());
    EXPECT_FALSE(reason->empty());

    // The instance check: this process holds the mutex, so it stays "first".
    EXPECT_FALSE(kit.platform.anotherInstanceRunning());
    EXPECT_FALSE(kit.platform.anotherInstanceRunning());
}

TEST_F(Win32ToolkitTest, AWindowOnNoMonitorIsBroughtIntoTheNearestWorkArea) {
    kit.window.setLeft(30000);
    kit.window.setTop(-30000);
    bar.window().bringOntoMonitor();
    const RECT r = outer();
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_GE(r.left, work.left);
    EXPECT_LE(r.right, work.right);
    EXPECT_GE(r.top, work.top);
    // A window partly on screen stays where the user put it.
    SetWindowPos(hwnd(), nullptr, work.right - 10, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    bar.window().bringOntoMonitor();
    EXPECT_EQ(outer().left, work.right - 10);
}

// Twips and pixels at the DPIs of 100 % to 200 % scaling: the bar's constants scale with the
// display, and a converted value returns to the same pixels.
TEST(UnitsTest, TwipsToPixelsAtCommonDpis) {
    const struct {
        int dpi;
        float twips;
        int pixels;
    } rows[] = {{96, 585, 39},   {96, 615, 41},   {96, 1125, 75},  {96, 650, 43},
                {120, 585, 49},  {120, 615, 51},  {144, 615, 62},  {144, 1125, 112},
                {192, 585, 78},  {192, 650, 87},  {96, -120, -8},  {96, 0, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.dpi) + " dpi, " + std::to_string(row.twips) + " twips");
        const Units units(row.dpi);
        EXPECT_EQ(units.toPixels(row.twips), row.pixels);
        EXPECT_EQ(units.toPixels(units.toTwips(row.pixels)), row.pixels);
    }
    EXPECT_EQ(Units(96).toTwips(39), 585.0f);
    EXPECT_THROW((void)Units(96).toPixels(1e30f), RuntimeError);
}

}  // namespace
}  // namespace quevor::win32
