// Starts the bar, opens its pop-up menu with a right press on the add button and keeps it open
// for a screenshot. Usage: show_menu C:\path\to\quevor.exe. Prints "ready" once the menu
// shows (or "no window" / "no menu"), then waits until it is ended.
#include <cstdio>
#include <memory>

#include "driver.h"

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
    const POINT at = e2e::centre(e2e::windowRect(bar->addButton()));
    HWND menu = nullptr;
    for (int attempt = 0; attempt < 5 && !menu; ++attempt) menu = e2e::rightPressForMenu(at.x, at.y);
    std::printf(menu ? "ready\n" : "no menu\n");
    std::fflush(stdout);
    if (!menu) return 1;
    e2e::moveMouse(at.x + 20, at.y + 40);  // rest the pointer on the menu
    Sleep(600000);
    return 0;
}
