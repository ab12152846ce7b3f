// For scripts/run.sh: starts the bar, opens its pop-up menu with a right press on the add
// button (or on the program button at a 0-based place) and keeps it open for a screenshot.
// Usage: show_menu C:\path\to\quevor.exe [PLACE]. Prints
// "ready" once the menu shows (or "no window" / "no menu"), then waits until it is ended.
#include <cstdio>

#include "driver.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 2 && argc != 3) return 2;
    e2e::Bar bar(argv[1]);
    if (!bar.waitWindow()) {
        std::printf("no window\n");
        return 1;
    }
    // The bar takes input once its message loop waits for it; a press that Wine does not
    // deliver is pressed again, where the add button is then.
    WaitForInputIdle(bar.process(), 20000);
    HWND menu = bar.openMenu(argc == 3 ? _wtoi(argv[2]) : -1) ? e2e::popupMenu() : nullptr;
    if (menu) {
        const RECT r = e2e::windowRect(menu);
        e2e::moveMouse({r.left + 20, r.top + 40});  // the pointer rests on the menu
        // Drawn before the screenshot is taken.
        RedrawWindow(menu, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    std::printf(menu ? "ready\n" : "no menu\n");
    std::fflush(stdout);
    if (menu) Sleep(600000);
    return menu ? 0 : 1;
}
