#include "toolkit/win32/instance.h"

#include "toolkit/win32/win32_toolkit.h"

namespace quevor::win32 {
namespace {

// Asks the window; a hung or foreign window gives no answer within two seconds.
bool asked(HWND window, SecondStartRequest request) {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(window, secondStartMessage(), request, 0,
                               SMTO_ABORTIFHUNG | SMTO_BLOCK, 2000, &answer) &&
           static_cast<LRESULT>(answer) == kBarAnswer;
}

}  // namespace

UINT secondStartMessage() {
    static const UINT message = RegisterWindowMessageW(L"quevor.bar.secondStart");
    return message;
}

bool bringBackRunningBar(HWND own) {
    // The running bar's window has the class of this instance's own (still hidden) one.
    wchar_t className[64] = {};
    if (!GetClassNameW(own, className, 64)) return false;
    HWND bar = nullptr;
    for (HWND w = FindWindowExW(nullptr, nullptr, className, nullptr); w && !bar;
         w = FindWindowExW(nullptr, w, className, nullptr)) {
        if (w != own && IsWindowVisible(w) && asked(w, kWhoAreYou)) bar = w;
    }
    if (!bar) return false;
    if (IsIconic(bar)) ShowWindow(bar, SW_RESTORE);
    RECT placed{};
    if (GetWindowRect(bar, &placed)) {
        if (const auto moved = ontoNearestMonitor(placed)) {
            SetWindowPos(bar, nullptr, moved->left, moved->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    SetForegroundWindow(bar);
    // Only the bar's own thread can put the focus on its toolbar.
    asked(bar, kTakeFocus);
    return true;
}

}  // namespace quevor::win32
