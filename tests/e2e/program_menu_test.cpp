// A program button's own items and the start with Windows, on the real program under Wine. Wine
// has no elevation prompt (it starts a "runas" as it starts an "open"); what the bar does with a
// refused prompt or a missing program is proved on the simulated toolkit.

#include <gtest/gtest.h>

#include <optional>

#include "driver.h"
#include "support/settings_text.h"

namespace e2e {
namespace {

const std::wstring kBin = L"C:\\e2e\\bin\\";

// The bar's start-up entry as the system holds it.
std::optional<std::wstring> startupEntry() {
    wchar_t text[2048] = {};
    DWORD bytes = sizeof text;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                     L"quevor", RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(text);
}

// The open pop-up menu's height, 0 when none is open.
int menuHeight() {
    const RECT r = windowRect(popupMenu());
    return popupMenu() ? static_cast<int>(r.bottom - r.top) : 0;
}

// A click on the open menu's item at offset pixels below the middle of its first item (or, for
// a negative offset, above the middle of its last).
void clickMenuAt(int offset) {
    const RECT menu = windowRect(popupMenu());
    const int inset = GetSystemMetrics(SM_CYEDGE) + 6;
    const int y = offset >= 0 ? menu.top + inset + offset : menu.bottom - inset + offset + 1;
    click({(menu.left + menu.right) / 2, y});
}

class ProgramMenuTest : public ::testing::Test {
  protected:
    std::wstring folder;

    void SetUp() override {
        folder = L"C:\\e2e\\run\\" + std::to_wstring(GetTickCount64()) + L"\\";
        copyFile(kBin + L"quevor.exe", folder + L"quevor.exe");
        DeleteFileW(L"C:\\e2e\\started.log");
        moveMouse({900, 700});
    }
};

// Chosen on the bar's menu, the item points the entry at this quevor.exe, in quotes; chosen
// again it takes the entry away.
TEST_F(ProgramMenuTest, StartWithWindowsWritesAndRemovesTheEntry) {
    writeBytes(folder + L"setting.ini", quevor::testing::clearedFile());
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                       L"quevor");
    Bar bar(folder + L"quevor.exe");
    ASSERT_NE(bar.waitWindow(), nullptr);
    const std::wstring ours = L'"' + folder + L"quevor.exe\"";
    for (const std::optional<std::wstring>& wanted : {std::optional(ours), std::optional<std::wstring>()}) {
        const auto act = [&] {
            if (!popupMenu()) bar.openMenu();
            if (popupMenu()) clickMenuAt(-1);
        };
        EXPECT_TRUE(retry("the start with Windows", act, [&] { return startupEntry() == wanted; }));
    }
}

// The third item of a program button's menu starts the program in its own folder, as a click
// does, and minimises the bar.
TEST_F(ProgramMenuTest, RunAsAdministratorStartsTheProgramInItsFolder) {
    const std::wstring program = folder + L"Probe Dir\\play.exe";
    copyFile(kBin + L"e2e_probe.exe", program);
    std::string path(program.begin(), program.end());  // ASCII
    writeBytes(folder + L"setting.ini", quevor::testing::savedFile({path}, "1320", "585"));
    Bar bar(folder + L"quevor.exe");
    ASSERT_NE(bar.waitWindow(), nullptr);
    // The program's menu is the bar's with three items more on top, all of one height.
    ASSERT_TRUE(bar.openMenu());
    const int barMenu = menuHeight();
    pressKey(VK_ESCAPE);
    ASSERT_TRUE(waitFor([] { return !popupMenu(); }));
    ASSERT_TRUE(bar.openMenu(0));
    const int itemHeight = (menuHeight() - barMenu) / 3;
    ASSERT_GT(itemHeight, 8);
    const std::wstring started = program + L'|' + folder + L"Probe Dir\r\n";
    const auto log = [] {
        const std::string bytes = readBytes(L"C:\\e2e\\started.log");
        return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
    };
    const auto act = [&] {
        if (!popupMenu()) bar.openMenu(0);
        if (popupMenu()) clickMenuAt(2 * itemHeight);
    };
    ASSERT_TRUE(retry("the start as administrator", act, [&] { return !log().empty(); }));
    EXPECT_EQ(log(), started);
    EXPECT_TRUE(waitFor([&] { return IsIconic(bar.window()) != FALSE; }));
}

}  // namespace
}  // namespace e2e
