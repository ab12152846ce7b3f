#include <windowsx.h>

#include <utility>
#include <vector>

#include "core/error.h"
#include "toolkit/geometry.h"
#include "toolkit/win32/win32_toolkit.h"

namespace quevor::win32 {
namespace {

constexpr wchar_t kClassName[] = L"quevorBar";
constexpr int kToolbarId = 101;
constexpr int kAddButtonId = 102;
// The window's frame: a fixed single border with minimise; the title bar comes and goes
// through the caption bits only.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr float kDesignClientTwips = geometry::twips(geometry::kDesignClientSize);

void registerClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, kClassName, &existing)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);  // shared: never destroyed
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc)) fail("Cannot register the window class: " + toUtf8Reason());
}

int16 mouseButtonCode(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return 1;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: return 2;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: return 4;
    default: return 0;
    }
}

int16 shiftState(WPARAM keys) {
    int16 shift = 0;
    if (keys & MK_SHIFT) shift |= 1;
    if (keys & MK_CONTROL) shift |= 2;
    if (GetKeyState(VK_MENU) < 0) shift |= 4;
    return shift;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, EventBoundary& boundary)
    : instance_(instance), boundary_(boundary), units_(Units::system()) {
    registerClass(instance, &MainWindow::windowProc);
    RECT rect{0, 0, units_.toPixels(kDesignClientTwips), units_.toPixels(kDesignClientTwips)};
    AdjustWindowRectEx(&rect, kStyle, FALSE, 0);
    hwnd_ = CreateWindowExW(0, kClassName, L"quevor", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                            rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                            instance, this);
    if (!hwnd_) fail("Cannot create the main window: " + toUtf8Reason());

    // The program's own icon, at the sizes the shell asks for; absent when the program was
    // built without its resources (the tests).
    bigIcon_.reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kAppIconId), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXICON),
                                                 GetSystemMetrics(SM_CYICON), 0)));
    smallIcon_.reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kAppIconId),
                                                   IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0)));
    if (bigIcon_) SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    if (smallIcon_) {
        SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    }

    toolbar_ = std::make_unique<Win32Toolbar>(hwnd_, units_, kToolbarId);
    addButton_ = std::make_unique<Win32AddButton>(hwnd_, units_, kAddButtonId);
    // The add button stands on the toolbar's strip, above it.
    SetWindowPos(addButton_->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowSubclass(toolbar_->hwnd(), &MainWindow::controlProc, kToolbarId,
                      reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(addButton_->hwnd(), &MainWindow::controlProc, kAddButtonId,
                      reinterpret_cast<DWORD_PTR>(this));
}

MainWindow::~MainWindow() {
    destroy();
}

void MainWindow::destroy() {
    if (hwnd_ && IsWindow(hwnd_)) {
        RemoveWindowSubclass(toolbar_->hwnd(), &MainWindow::controlProc, kToolbarId);
        RemoveWindowSubclass(addButton_->hwnd(), &MainWindow::controlProc, kAddButtonId);
        DestroyWindow(hwnd_);
    }
}

LRESULT CALLBACK MainWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam,
                                        LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<MainWindow*>(create->lpCreateParams)->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    bool handled = false;
    self->boundary_.run([&] {
        result = self->handle(message, wParam, lParam);
        handled = true;
    });
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    if (message == WM_DESTROY) PostQuitMessage(self->boundary_.failed() ? 1 : 0);
    return handled ? result : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        const auto source = reinterpret_cast<HWND>(lParam);
        if (!events_ || !source) break;
        if (source == toolbar_->hwnd()) {
            // A left click on a program button (the right button never gets this far).
            if (const auto key = toolbar_->keyOfCommand(LOWORD(wParam))) {
                events_->onProgramButtonClick(*key);
            }
            return 0;
        }
        if (source == addButton_->hwnd() && HIWORD(wParam) == BN_CLICKED) {
            events_->onAddButtonClick();
            return 0;
        }
        break;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == TTN_GETDISPINFOW) {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            if (const std::wstring* tip = toolbar_->toolTipOfCommand(static_cast<int>(header->idFrom))) {
                info->lpszText = const_cast<wchar_t*>(tip->c_str());
            }
            return 0;
        }
        break;
    }
    case WM_GETMINMAXINFO: {
        // The bar's widths and heights are the program's to choose: without a title bar it is
        // a single button wide, narrower than the system's usual minimum for a window.
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = POINT{1, 1};
        return 0;
    }
    case WM_CLOSE:
        // Closing other than through the menu: the unload handler runs and saves nothing.
        if (events_) events_->onClose();
        boundary_.setEnded();
        DestroyWindow(hwnd_);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::controlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR selfData) noexcept {
    auto* self = reinterpret_cast<MainWindow*>(selfData);
    const int16 button = mouseButtonCode(message);
    if (button != 0 && self->events_ && !self->boundary_.stopped()) {
        const float x = self->units_.toTwips(GET_X_LPARAM(lParam));
        const float y = self->units_.toTwips(GET_Y_LPARAM(lParam));
        const int16 shift = shiftState(wParam);
        self->boundary_.run([&] {
            if (id == kToolbarId) {
                self->events_->onToolbarMouseDown(button, shift, x, y);
            } else {
                self->events_->onAddButtonMouseDown(button, shift, x, y);
            }
        });
        // The right button belongs to the pop-up menu alone: the control does not see it
        // (and the window may already be gone).
        if (button == 2) return 0;
        if (!IsWindow(hwnd)) return 0;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

RECT MainWindow::outerRect() const {
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
    if (!GetWindowRect(hwnd_, &rect)) fail("Cannot read the window's position: " + toUtf8Reason());
    return rect;
}

void MainWindow::move(const RECT& rect) {
    if (!SetWindowPos(hwnd_, nullptr, rect.left, rect.top, rect.right - rect.left,
                      rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE)) {
        fail("Cannot move the window: " + toUtf8Reason());
    }
}

float MainWindow::left() const { return left_.read(outerRect().left, units_); }
float MainWindow::top() const { return top_.read(outerRect().top, units_); }
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
    const int pixels = units_.toPixels(twips);
    OffsetRect(&r, pixels - r.left, 0);
    move(r);
    left_.wrote(twips, pixels);
}
void MainWindow::setTop(float twips) {
    RECT r = outerRect();
    const int pixels = units_.toPixels(twips);
    OffsetRect(&r, 0, pixels - r.top);
    move(r);
    top_.wrote(twips, pixels);
}
void MainWindow::setWidth(float twips) {
    RECT r = outerRect();
    const int pixels = units_.toPixels(twips);
    if (pixels < 0) fail("Invalid window width");
    r.right = r.left + pixels;
    move(r);
    width_.wrote(twips, pixels);
}
void MainWindow::setHeight(float twips) {
    RECT r = outerRect();
    const int pixels = units_.toPixels(twips);
    if (pixels < 0) fail("Invalid window height");
    r.bottom = r.top + pixels;
    move(r);
    height_.wrote(twips, pixels);
}

void MainWindow::minimize() { ShowWindow(hwnd_, SW_MINIMIZE); }

std::uint32_t MainWindow::style() const {
    return static_cast<std::uint32_t>(GetWindowLongPtrW(hwnd_, GWL_STYLE));
}

void MainWindow::setStyle(std::uint32_t style) {
    SetLastError(0);
    if (!SetWindowLongPtrW(hwnd_, GWL_STYLE, static_cast<LONG_PTR>(style)) && GetLastError() != 0) {
        fail("Cannot change the window style: " + toUtf8Reason());
    }
}

void MainWindow::redrawFrame() {
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

void MainWindow::makeTopmost() {
    if (!SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE)) {
        fail("Cannot keep the window on top: " + toUtf8Reason());
    }
    if (!isTopmost(hwnd_)) {
        // Wine places the window below its own non-topmost popups (the toolbar's tooltip)
        // instead of making it topmost. Without an owner for a moment they are out of the way.
        std::pair<HWND, std::vector<HWND>> owned{hwnd_, {}};
        EnumThreadWindows(GetCurrentThreadId(), collectOwned, reinterpret_cast<LPARAM>(&owned));
        for (HWND popup : owned.second) SetWindowLongPtrW(popup, GWLP_HWNDPARENT, 0);
        SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
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

void MainWindow::bringOntoMonitor() {
    const RECT r = outerRect();
    if (MonitorFromRect(&r, MONITOR_DEFAULTTONULL)) return;
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) return;
    const RECT& work = info.rcWork;
    const LONG width = r.right - r.left;
    const LONG height = r.bottom - r.top;
    LONG left = std::max(work.left, std::min(r.left, work.right - width));
    LONG top = std::max(work.top, std::min(r.top, work.bottom - height));
    SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace quevor::win32
