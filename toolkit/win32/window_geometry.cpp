// The main window's geometry, caption and stacking: what the logic reads and writes through the
// Window interface, in twips.
#include <algorithm>
#include <utility>
#include <vector>

#include "core/error.h"
#include "core/messages.h"
#include "toolkit/win32/dpi.h"
#include "toolkit/win32/win32_toolkit.h"

namespace quevor::win32 {

RECT MainWindow::outerRect() const {
    if (held_) return *held_;
    RECT rect{};
    if (IsIconic(hwnd_)) {
        // A minimised window keeps its normal rectangle in workspace coordinates.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(hwnd_, &placement);
        rect = placement.rcNormalPosition;
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info)) {
            OffsetRect(&rect, info.rcWork.left - info.rcMonitor.left,
                       info.rcWork.top - info.rcMonitor.top);
        }
        return rect;
    }
    if (!GetWindowRect(hwnd_, &rect)) fail(Message::cannotPlaceWindow, {lastReason()});
    return rect;
}

void MainWindow::move(const RECT& rect) {
    if (held_) {
        held_ = rect;
        return;
    }
    if (!SetWindowPos(hwnd_, nullptr, rect.left, rect.top, rect.right - rect.left,
                      rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE)) {
        fail(Message::cannotPlaceWindow, {lastReason()});
    }
}

// The position converts at the system DPI, the sizes at the window's own.
float MainWindow::left() const { return left_.read(outerRect().left, systemUnits_); }
float MainWindow::top() const { return top_.read(outerRect().top, systemUnits_); }
float MainWindow::width() const {
    const RECT r = outerRect();
    return width_.read(r.right - r.left, units_);
}
float MainWindow::height() const {
    const RECT r = outerRect();
    return height_.read(r.bottom - r.top, units_);
}

void MainWindow::setLeft(float twips) {
    RECT r = outerRect();
    const int pixels = systemUnits_.toEdgePixels(twips);
    OffsetRect(&r, pixels - r.left, 0);
    move(r);
    left_.wrote(twips, pixels);
}
void MainWindow::setTop(float twips) {
    RECT r = outerRect();
    const int pixels = systemUnits_.toEdgePixels(twips);
    OffsetRect(&r, 0, pixels - r.top);
    move(r);
    top_.wrote(twips, pixels);
}
void MainWindow::setWidth(float twips) {
    RECT r = outerRect();
    const int pixels = units_.toPixels(twips);
    if (pixels < 0) failOverflow(Message::outOfRange);
    r.right = r.left + pixels;
    move(r);
    width_.wrote(twips, pixels);
}
void MainWindow::setHeight(float twips) {
    RECT r = outerRect();
    const int pixels = units_.toPixels(twips);
    if (pixels < 0) failOverflow(Message::outOfRange);
    r.bottom = r.top + pixels;
    move(r);
    height_.wrote(twips, pixels);
}

void MainWindow::minimize() { ShowWindow(hwnd_, SW_MINIMIZE); }

void MainWindow::setCaptionVisible(bool visible) {
    // The caption bits alone come and go; the rest of the frame's style stays.
    const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
    const LONG_PTR caption = WS_CAPTION;
    const LONG_PTR changed = visible ? style | caption : style & ~caption;
    SetLastError(0);
    if (!SetWindowLongPtrW(hwnd_, GWL_STYLE, changed) && GetLastError() != 0) {
        fail(Message::cannotChangeWindow, {lastReason()});
    }
    DrawMenuBar(hwnd_);
    // The frame is only recalculated for a style change when asked to; the outer rectangle
    // stays as it is.
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

namespace {

BOOL CALLBACK collectOwned(HWND window, LPARAM data) {
    auto* owned = reinterpret_cast<std::pair<HWND, std::vector<HWND>>*>(data);
    if (GetWindow(window, GW_OWNER) == owned->first) owned->second.push_back(window);
    return TRUE;
}

bool isTopmost(HWND hwnd) { return (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

}  // namespace

void MainWindow::holdGeometry() {
    held_.reset();
    held_ = outerRect();
}

void MainWindow::applyGeometry() {
    if (!held_) return;
    useDpi(dpiAt(hwnd_, *held_));  // sized for the monitor it is placed on
    const RECT r = *held_;
    held_.reset();
    const bool topmost = topmost_;  // asked for while held
    if (!SetWindowPos(hwnd_, topmost ? HWND_TOPMOST : nullptr, r.left, r.top, r.right - r.left,
                      r.bottom - r.top, SWP_NOACTIVATE | (topmost ? 0 : SWP_NOZORDER))) {
        fail(Message::cannotPlaceWindow, {lastReason()});
    }
    if (topmost && !isTopmost(hwnd_)) makeTopmost();  // the way round Wine's popups
}

void MainWindow::makeTopmost() {
    if (held_) {
        topmost_ = true;
        return;
    }
    // Only the z-order: activation is the show's business (asking for it here made Wine
    // activate the still hidden window at start-up, which cost time before it showed).
    const UINT zOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    if (!SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, zOrderOnly)) {
        fail(Message::cannotPlaceWindow, {lastReason()});
    }
    if (!isTopmost(hwnd_)) {
        // Wine places the window below its own non-topmost popups (the toolbar's tooltip)
        // instead of making it topmost. Without an owner for a moment they are out of the way.
        std::pair<HWND, std::vector<HWND>> owned{hwnd_, {}};
        EnumThreadWindows(GetCurrentThreadId(), collectOwned, reinterpret_cast<LPARAM>(&owned));
        for (HWND popup : owned.second) SetWindowLongPtrW(popup, GWLP_HWNDPARENT, 0);
        SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, zOrderOnly);
        for (HWND popup : owned.second) {
            SetWindowLongPtrW(popup, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hwnd_));
        }
    }
    topmost_ = true;
}

void MainWindow::show(int showCommand) {
    ShowWindow(hwnd_, showCommand);
    // Start-up made the window topmost before it was ever shown; it is asked for again now
    // that it shows, for systems that do not keep it for a hidden window.
    if (topmost_) makeTopmost();
    UpdateWindow(hwnd_);
}

std::optional<RECT> ontoNearestMonitor(const RECT& r) {
    if (MonitorFromRect(&r, MONITOR_DEFAULTTONULL)) return std::nullopt;
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) return std::nullopt;
    const RECT& work = info.rcWork;
    const LONG width = r.right - r.left;
    const LONG height = r.bottom - r.top;
    const LONG left = std::max(work.left, std::min(r.left, work.right - width));
    const LONG top = std::max(work.top, std::min(r.top, work.bottom - height));
    return RECT{left, top, left + width, top + height};
}

void MainWindow::bringOntoMonitor() {
    if (const auto moved = ontoNearestMonitor(outerRect())) move(*moved);
}

void MainWindow::useDpi(int dpi) {
    if (dpi == units_.dpi()) return;
    // Every size again from the twips it was given, never from the pixels at the old DPI.
    const float width = this->width(), height = this->height();
    units_ = Units(dpi);
    setWidth(width);
    setHeight(height);
    toolbar_->layOut(units_);
    addButton_->layOut();
    if (events_) events_->onScaleChanged();  // the icons again from their files, sharper
}

void MainWindow::changeDpi(int dpi, const RECT& suggested) {
    // Start-up sized the window for the monitor it placed it on before it got there.
    if (dpi == units_.dpi()) return;
    useDpi(dpi);
    // The system's suggestion keeps the window on the monitor it moved to; the size is ours.
    RECT r = outerRect();
    OffsetRect(&r, suggested.left - r.left, suggested.top - r.top);
    move(r);
}

}  // namespace quevor::win32
