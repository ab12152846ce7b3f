// A program button's own items and the start with Windows, on the real program under Wine. Wine
// has no elevation prompt (it starts a "runas" as it starts an "open"); what the bar does with a
// refused prompt or a missing program is proved on the simulated toolkit.

#include <gtest/gtest.h>

#include <optional>

#include "fixture.h"

namespace e2e {
namespace {

std::optional<std::wstring> startupEntry() {  // as the system holds it
    wchar_t text[2048] = {};
    DWORD bytes = sizeof text;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                     L"quevor", RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return text;
}

// The bar's last item, chosen twice, points the start-up entry at this quevor.exe (in quotes)
// and takes it away again. On a program button's menu, the second item opens the program's
// folder in Explorer, the third starts the program in its own folder and minimises the bar.
using ProgramMenuTest = BarTest;
TEST_F(ProgramMenuTest, StartWithWindowsThenTheProgramsFolderAndItsStartAsAdministrator) {
    const std::wstring program = folder + L"Probe Dir\\play.exe";
    saveProbes({program}, "1320", "585");
    const auto bar = start();
    ASSERT_NE(bar->waitWindow(), nullptr);
    // The bar's menu is measured when its last item is chosen; a program's three items are what
    // its menu has more.
    int barMenu = 0;
    const auto chooseAt = [&](const char* what, int index, int nth,
                              const std::function<bool()>& done) {
        const auto act = [&] {
            if (!popupMenu()) bar->openMenu(index);
            // Wine may show the menu's window before it has the new menu's size: its height is
            // read once it has stayed the same for a moment.
            const auto height = [] {
                int seen = -1;
                for (int i = 0; i < 20; ++i, Sleep(100)) {
                    const RECT r = windowRect(popupMenu());
                    if (r.bottom - r.top == seen && seen > 0) break;
                    seen = static_cast<int>(r.bottom - r.top);
                }
                return seen;
            };
            if (index < 0) barMenu = height();
            if (index >= 0 && height() <= barMenu) return;
            const RECT menu = windowRect(popupMenu());
            const int inset = GetSystemMetrics(SM_CYEDGE) + 6;
            const int y =
                index < 0 ? menu.bottom - inset : menu.top + inset + nth * (height() - barMenu) / 3;
            if (popupMenu()) click({(menu.left + menu.right) / 2, y});
        };
        // A process started (Explorer, the probe) may take a while on a loaded machine.
        return retry(what, act, done, 50, index < 0 ? 5000 : 20000);
    };
    using Entry = std::optional<std::wstring>;
    for (const Entry& wanted : {Entry(L'"' + folder + L"quevor.exe\""), Entry()})
        EXPECT_TRUE(
            chooseAt("start with Windows", -1, 0, [&] { return startupEntry() == wanted; }));

    // Wine's Explorer shows the folder (without selecting the file).
    const auto explorer = [] { return windowText(topWindow(0, L"ExplorerWClass")); };
    EXPECT_TRUE(chooseAt("the program's folder", 0, 1, [&] { return explorer() == L"Probe Dir"; }));
    ASSERT_TRUE(chooseAt("the start as administrator", 0, 2, [] { return !startedLog().empty(); }));
    EXPECT_EQ(startedLog(), program + L'|' + folder + L"Probe Dir\r\n");
    EXPECT_TRUE(waitFor([&] { return IsIconic(bar->window()) != FALSE; }));
}

}  // namespace
}  // namespace e2e
