// Starts the bar, opens its pop-up menu with a right press on the add button and keeps it open
// for a screenshot. Usage: show_menu C:\path\to\quevor.exe. Prints "ready" once the menu
// shows (or "no window" / "no menu"), then waits until it is ended.
#include <cstdio>
#include <memory>

#include "driver.h"

namespace {

// The bar takes input once its start-up is over: its message loop waits for input and its
// window has stopped moving.
void waitSettled(const e2e::Bar& bar) {
    if (HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, bar.pid())) {
        WaitForInputIdle(process, 20000);
        CloseHandle(process);
    }
    RECT last{};
    e2e::waitFor(
        [&] {
            const RECT now = e2e::windowRect(bar.addButton());
            const bool same = EqualRect(&now, &last) != 0;
            last = now;
            return same;
        },
        std::chrono::milliseconds(5000));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: show_menu QUEVOR-EXE\n");
        return 2;
    }
    auto bar = std::make_unique<e2e::Bar>(argv[1]);
    if (!bar->waitWindow()) {
        std::printf("no window\n");
        return 1;
    }
    waitSettled(*bar);
    // A press that Wine does not deliver is pressed again, where the add button is now.
    HWND menu = e2e::popupMenu();
    POINT at{};
    for (int attempt = 0; attempt < 5 && !menu && bar->running(); ++attempt) {
        at = e2e::centre(e2e::windowRect(bar->addButton()));
        menu = e2e::rightPressForMenu(at.x, at.y);
        if (!menu) std::fprintf(stderr, "show_menu: no menu after press %d\n", attempt + 1);
    }
    if (menu) {
        e2e::moveMouse(at.x + 20, at.y + 40);  // rest the pointer on the menu
        // Drawn before the screenshot is taken.
        RedrawWindow(menu, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    std::printf(menu ? "ready\n" : "no menu\n");
    std::fflush(stdout);
    if (!menu) return 1;
    Sleep(600000);
    return 0;
}
