#pragma once

// What the Win32 toolkit's tests share: bar events that do nothing unless a test overrides them,
// a toolkit on a real window with program buttons showing notepad's icon, and pictures of what
// is drawn.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "toolkit/win32/win32_toolkit.h"

namespace quevor::win32 {

class QuietBar : public BarEvents {
  public:
    void start() override {}
    void onClose() override {}
    void onSessionEnd() override {}
    void onProgramButtonClick(const std::u16string&) override {}
    void onToolbarMouseDown(int16, int16, float, float) override {}
    void onProgramButtonMouseDown(const std::u16string&, int16, int16, float, float) override {}
    void onProgramButtonDrag(const std::u16string&, int16) override {}
    void onDrop(const std::vector<std::u16string>&) override {}
    void onAddButtonClick() override {}
    void onAddButtonMouseDown(int16, int16, float, float) override {}
    void onDropOnProgramButton(const std::u16string&, const std::vector<std::u16string>&) override {
    }
    bool dropOpensWithProgram(const std::vector<std::u16string>&) override { return false; }
    bool onKey(Key, int16) override { return false; }
};

inline void pumpMessages() {
    for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&m);
}

// The pixels of a width x height picture filled with the background, after draw has drawn on it.
inline std::vector<DWORD> painted(int width, int height, COLORREF background,
                                  const std::function<void(HDC)>& draw) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    draw(dc);
    GdiFlush();
    std::vector<DWORD> pixels(static_cast<DWORD*>(bits),
                              static_cast<DWORD*>(bits) + width * height);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

// A toolkit on a real window, not shown.
class Win32BarTest : public ::testing::Test {
  protected:
    Win32Toolkit bar{GetModuleHandleW(nullptr)};
    Toolkit kit = bar.toolkit();
    const Win32Toolbar& toolbar = bar.window().toolbar();
    const HWND window = bar.window().hwnd(), toolbarWindow = toolbar.hwnd(),
               add = bar.window().addButton().hwnd();
    std::unique_ptr<Icon> notepad = [] {
        wchar_t system[MAX_PATH];
        GetSystemDirectoryW(system, MAX_PATH);
        return loadProgramIcon((std::filesystem::path(system) / L"notepad.exe").u16string(),
                               GetSystemMetrics(SM_CXICON));
    }();

    int px(float twips) { return bar.window().units().toPixels(twips); }
    int count() const {
        return static_cast<int>(SendMessageW(toolbarWindow, TB_BUTTONCOUNT, 0, 0));
    }
    RECT buttonRect(int index) const {  // in the toolbar's client area, 0-based
        RECT r{};
        SendMessageW(toolbarWindow, TB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // Program buttons k11, k12... after those there, each with notepad's icon.
    void addPrograms(int n) {
        ASSERT_NE(notepad, nullptr);
        for (int i = 0; i < n; ++i) {
            const auto at = static_cast<int16>(count() + 1);
            const std::u16string key = u"k1" + std::u16string(1, static_cast<char16_t>(u'0' + at));
            kit.toolbar.addImage(at, key, *notepad);
            kit.toolbar.addButton(at, key, key);
        }
    }
};

}  // namespace quevor::win32
