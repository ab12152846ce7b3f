// The main window: its class, its creation with the toolbar and the add button, and the window
// procedures that hand the window system's events to the logic.
#include <windowsx.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "core/error.h"
#include "core/messages.h"
#include "toolkit/geometry.h"
#include "toolkit/win32/dpi.h"
#include "toolkit/win32/instance.h"
#include "toolkit/win32/win32_toolkit.h"

namespace quevor::win32 {
namespace {

constexpr wchar_t kClassName[] = L"quevorBar";
constexpr int kToolbarId = 101;
// Posted by the file worker: answers are ready.
constexpr UINT kAnswersReady = WM_APP + 3;
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
    if (!RegisterClassExW(&wc)) fail(Message::cannotCreateWindow, {lastReason()});
}

int16 mouseButtonCode(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            return 1;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            return 2;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            return 4;
        default:
            return 0;
    }
}

// The bar's keys by their virtual-key codes, the digits of the number pad too. The menu key and
// Shift+F10 arrive as WM_CONTEXTMENU, made by the system.
std::optional<Key> keyOf(WPARAM virtualKey) {
    switch (virtualKey) {
        case VK_LEFT:
            return Key::left;
        case VK_RIGHT:
            return Key::right;
        case VK_TAB:
            return Key::tab;
        case VK_RETURN:
            return Key::enter;
        case VK_SPACE:
            return Key::space;
        case VK_DELETE:
            return Key::del;
        default:
            break;
    }
    if (virtualKey >= '0' && virtualKey <= '9') return digitKey(static_cast<int>(virtualKey - '0'));
    if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9)
        return digitKey(static_cast<int>(virtualKey - VK_NUMPAD0));
    return std::nullopt;
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
    : boundary_(boundary), systemUnits_(Units::system()), units_(systemUnits_) {
    registerClass(instance, &MainWindow::windowProc);
    RECT rect{0, 0, units_.toPixels(kDesignClientTwips), units_.toPixels(kDesignClientTwips)};
    AdjustWindowRectEx(&rect, kStyle, FALSE, 0);
    hwnd_ = CreateWindowExW(0, kClassName, L"quevor", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                            rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                            instance, this);
    if (!hwnd_) fail(Message::cannotCreateWindow, {lastReason()});
    if (const int dpi = windowDpi(hwnd_); dpi != units_.dpi()) {
        // Made on a monitor of another DPI than the system's: its design size at that one.
        units_ = Units(dpi);
        SetWindowPos(hwnd_, nullptr, 0, 0, MulDiv(rect.right - rect.left, dpi, systemUnits_.dpi()),
                     MulDiv(rect.bottom - rect.top, dpi, systemUnits_.dpi()),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // The program's own icon, at the sizes the shell asks for; absent when the program was
    // built without its resources (the tests).
    bigIcon_.reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kAppIconId), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXICON),
                                                 GetSystemMetrics(SM_CYICON), 0)));
    smallIcon_.reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kAppIconId),
                                                   IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0)));
    if (bigIcon_)
        SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    if (smallIcon_) {
        SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    }

    toolbar_ = std::make_unique<Win32Toolbar>(hwnd_, units_, kToolbarId);
    addButton_ = std::make_unique<Win32AddButton>(hwnd_, units_, kAddButtonId);
    // The add button stands on the toolbar's strip, above it.
    SetWindowPos(addButton_->hwnd(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowSubclass(toolbar_->hwnd(), &MainWindow::controlProc, kToolbarId,
                      reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(addButton_->hwnd(), &MainWindow::controlProc, kAddButtonId,
                      reinterpret_cast<DWORD_PTR>(this));
    worker_ = std::make_unique<FileWorker>(hwnd_, kAnswersReady);
    boundary_.setWhenIdle([this] {
        if (answersWaiting_ && hwnd_) {
            answersWaiting_ = false;
            PostMessageW(hwnd_, kAnswersReady, 0, 0);
        }
    });
}

MainWindow::~MainWindow() {
    boundary_.setWhenIdle(nullptr);
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
    if (message == WM_DESTROY) self->revokeDropTarget();
    if (message == WM_DESTROY) PostQuitMessage(self->boundary_.failed() ? 1 : 0);
    return handled ? result : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == secondStartMessage()) return answerSecondStart(wParam);
    switch (message) {
        case WM_COMMAND: {
            const auto source = reinterpret_cast<HWND>(lParam);
            if (!events_ || !source) break;
            if (source == toolbar_->hwnd()) {
                // A left click on a program button (the right button never gets this far); the
                // release that ends a drag is no click.
                if (swallowClick_) return 0;
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
                if (const std::wstring* tip =
                        toolbar_->toolTipOfCommand(static_cast<int>(header->idFrom))) {
                    info->lpszText = const_cast<wchar_t*>(tip->c_str());
                }
                return 0;
            }
            break;
        }
        case WM_SHOWWINDOW:
            // Loading OLE is left until the window is on the screen: start-up does not wait.
            if (wParam) PostMessageW(hwnd_, kRegisterDropTarget, 0, 0);
            break;
        case kRegisterDropTarget:
            registerDropTarget();
            return 0;
        case kDeliverDrop:
            if (!pendingDrops_.empty()) {
                const PendingDrop drop = std::move(pendingDrops_.front());
                pendingDrops_.erase(pendingDrops_.begin());
                deliverDrop(drop.paths, drop.key);
            }
            return 0;
        case kAnswersReady:
            deliverAnswers();
            return 0;
        case WM_DPICHANGED:
            changeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_KEYDOWN:
            if (keyDown(wParam)) return 0;
            break;
        case WM_CONTEXTMENU:
            // From the keyboard (the menu key, Shift+F10) it has no point: the bar's menu key.
            // The mouse's menus open on the press, before this.
            if (GET_X_LPARAM(lParam) == -1 && GET_Y_LPARAM(lParam) == -1 && events_) {
                events_->onKey(Key::menu, 0);
                return 0;
            }
            break;
        case WM_SETFOCUS:
            // Back to the bar: the system's focus goes to the button with the keyboard focus.
            if (toolbar_->hasFocus()) {
                SetFocus(toolbar_->hwnd());
                toolbar_->showFocusAgain();
            } else if (addButton_->hasFocus()) {
                SetFocus(addButton_->hwnd());
            }
            return 0;
        case WM_GETMINMAXINFO: {
            // The bar's widths and heights are the program's to choose: without a title bar it is
            // a single button wide, narrower than the system's usual minimum for a window.
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize = POINT{1, 1};
            return 0;
        }
        case WM_QUERYENDSESSION:
            return TRUE;  // never holds the session up: a cancelled end leaves all as it was
        case WM_ENDSESSION:
            // Only a session that really ends: the system ends the process once this returns.
            if (wParam && events_) events_->onSessionEnd();
            return 0;
        case WM_CLOSE:
            if (events_) events_->onClose();
            boundary_.setEnded();
            DestroyWindow(hwnd_);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void MainWindow::deliverAnswers() {
    // This message's own handling is the one event allowed on the stack.
    if (boundary_.depth() > 1) {
        answersWaiting_ = true;
        return;
    }
    for (const FileWorker::Delivery& delivery : worker_->takeReady()) {
        if (!events_) return;  // the bar is gone: its answers with it
        boundary_.run(delivery);
    }
}

void MainWindow::deliverDrop(const std::vector<std::u16string>& paths,
                             const std::optional<std::u16string>& key) {
    if (!events_ || paths.empty()) return;
    if (key) {
        events_->onDropOnProgramButton(*key, paths);
    } else {
        events_->onDrop(paths);
    }
}

LRESULT MainWindow::answerSecondStart(WPARAM request) {
    // The second start has restored and activated the window; the keyboard goes to the buttons.
    if (request == kTakeFocus) SetFocus(toolbar_->hwnd());
    return kBarAnswer;
}

bool MainWindow::keyDown(WPARAM virtualKey) {
    const auto key = keyOf(virtualKey);
    if (!key || !events_) return false;
    int16 shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftHeld;
    if (GetKeyState(VK_CONTROL) < 0) shift |= kControlHeld;
    if (GetKeyState(VK_MENU) < 0) shift |= kAltHeld;
    return events_->onKey(*key, shift);
}

LRESULT MainWindow::controlKey(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    bool used = false;
    if (message == WM_KEYDOWN) boundary_.run([&] { used = keyDown(wParam); });
    if (used) return 0;
    // The toolbar's own keys would move its hot item away from the bar's focus, and a button
    // pressed from the keyboard is the bar's to press.
    if (control == toolbar_->hwnd() && (message == WM_KEYDOWN || message == WM_CHAR))
        return DefWindowProcW(control, message, wParam, lParam);
    if (control == addButton_->hwnd() && (message == WM_KEYDOWN || message == WM_KEYUP) &&
        wParam == VK_SPACE)
        return 0;
    return DefSubclassProc(control, message, wParam, lParam);
}

RECT MainWindow::anchorRect(const MenuAnchor& anchor) const {
    RECT r{};
    if (anchor.addButton) {
        GetWindowRect(addButton_->hwnd(), &r);
    } else {
        SendMessageW(toolbar_->hwnd(), TB_GETITEMRECT, static_cast<WPARAM>(anchor.position - 1),
                     reinterpret_cast<LPARAM>(&r));
        MapWindowPoints(toolbar_->hwnd(), HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
    }
    return r;
}

void MainWindow::pressOnToolbar(int16 button, int16 shift, POINT at) {
    const float x = units_.toTwips(at.x);
    const float y = units_.toTwips(at.y);
    const auto key = toolbar_->keyAt(at);
    if (button == 1) {
        pressedKey_ = key;
        pressedAt_ = at;
        dragging_ = false;
    }
    if (key) {
        events_->onProgramButtonMouseDown(*key, button, shift, x, y);
    } else {
        events_->onToolbarMouseDown(button, shift, x, y);
    }
}

void MainWindow::trackDrag(UINT message, POINT at) {
    if (message == WM_CAPTURECHANGED) {
        pressedKey_.reset();  // the press ended elsewhere (a menu, another window)
        dragging_ = false;
    } else if (message == WM_MOUSEMOVE && pressedKey_ && !dragging_) {
        dragging_ = std::abs(at.x - pressedAt_.x) > GetSystemMetrics(SM_CXDRAG) ||
                    std::abs(at.y - pressedAt_.y) > GetSystemMetrics(SM_CYDRAG);
    }
}

LRESULT CALLBACK MainWindow::controlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR selfData) noexcept {
    auto* self = reinterpret_cast<MainWindow*>(selfData);
    const int16 button = mouseButtonCode(message);
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (id == kToolbarId && message == WM_MOUSEMOVE) self->toolbar_->attachToolTips();
    if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR)
        return self->controlKey(hwnd, message, wParam, lParam);
    if (id == kToolbarId && message == WM_MOUSELEAVE) {
        // The toolbar takes its highlight off as the mouse leaves; the focus shows again.
        const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        self->toolbar_->showFocusAgain();
        return result;
    }
    if (id == kToolbarId) self->trackDrag(message, at);
    if (id == kToolbarId && message == WM_LBUTTONUP && self->pressedKey_) {
        const std::u16string key = *self->pressedKey_;
        const bool dragged = self->dragging_;
        self->pressedKey_.reset();
        self->dragging_ = false;
        if (!dragged) return DefSubclassProc(hwnd, message, wParam, lParam);
        // The toolbar lets its button go as usual, but its click is not one; a button let go
        // outside the toolbar stays where it was.
        RECT client{};
        GetClientRect(hwnd, &client);
        self->swallowClick_ = true;
        const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        self->swallowClick_ = false;
        if (PtInRect(&client, at) && self->events_) {
            const int16 position = self->toolbar_->positionAt(at.x);
            self->boundary_.run([&] { self->events_->onProgramButtonDrag(key, position); });
        }
        return result;
    }
    if (button != 0 && self->events_ && !self->boundary_.stopped()) {
        const int16 shift = shiftState(wParam);
        self->boundary_.run([&] {
            if (id == kToolbarId) {
                self->pressOnToolbar(button, shift, at);
            } else {
                self->events_->onAddButtonMouseDown(button, shift, self->units_.toTwips(at.x),
                                                    self->units_.toTwips(at.y));
            }
        });
        // The right button belongs to the pop-up menu alone: the control does not see it
        // (and the window may already be gone).
        if (button == 2) return 0;
        if (!IsWindow(hwnd)) return 0;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace quevor::win32
