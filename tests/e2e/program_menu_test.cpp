// The start with Windows on the real program under Wine, chosen with the mouse. A program
// button's own items are proved on the simulated toolkit and their shell calls on the Win32
// toolkit (ProgramShellTest).

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
// and takes it away again.
using ProgramMenuTest = BarTest;
TEST_F(ProgramMenuTest, StartWithWindowsWritesTheEntryAndTakesItAway) {
    saveProbes({folder + L"Probe Dir\\play.exe"}, "1320", "585");
    const auto bar = start();
    ASSERT_NE(bar->waitWindow(), nullptr);
    const auto chooseLast = [&] {
        if (!popupMenu()) bar->openMenu();
        const RECT menu = windowRect(popupMenu());
        if (popupMenu())
            click({(menu.left + menu.right) / 2, menu.bottom - GetSystemMetrics(SM_CYEDGE) - 6});
    };
    using Entry = std::optional<std::wstring>;
    for (const Entry& wanted : {Entry(L'"' + folder + L"quevor.exe\""), Entry()})
        EXPECT_TRUE(
            retry("start with Windows", chooseLast, [&] { return startupEntry() == wanted; }));
}

}  // namespace
}  // namespace e2e
