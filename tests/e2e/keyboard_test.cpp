// quevor.exe worked from the keyboard under Wine, with real keys: the menu, the focus, a start,
// a removal and a digit. What each key does is proved on the simulated toolkit.

#include <gtest/gtest.h>

#include <algorithm>

#include "fixture.h"
#include "support/settings_text.h"

namespace e2e {
namespace {

void chord(WORD held, WORD key) {  // the key pressed while held is down
    INPUT input[4] = {};
    const WORD keys[4] = {held, key, key, held};
    for (int i = 0; i < 4; ++i) {
        input[i].type = INPUT_KEYBOARD;
        input[i].ki.wVk = keys[i];
        input[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    SendInput(4, input, sizeof(INPUT));
}

using KeyboardTest = BarTest;
TEST_F(KeyboardTest, TheMenuTheFocusAStartARemovalAndADigit) {
    const std::wstring programs[] = {L"C:\\Keys\\a.exe", L"C:\\Keys\\b.exe", L"C:\\Keys\\c.exe"};
    for (const std::wstring& program : programs) copyFile(kBin + L"e2e_probe.exe", program);
    writeBytes(settings(),
               quevor::testing::savedFile({"C:\\Keys\\a.exe", "C:\\Keys\\b.exe", "C:\\Keys\\c.exe"},
                                          "2490", "1755"));
    const auto bar = start();
    ASSERT_NE(bar->waitWindow(), nullptr);
    const auto hot = [&] { return SendMessageW(bar->toolbar(), TB_GETHOTITEM, 0, 0); };
    const auto started = [](std::size_t starts) {
        const std::wstring log = startedLog();
        return static_cast<std::size_t>(std::count(log.begin(), log.end(), L'\n')) == starts;
    };
    const auto activate = [&] {
        ShowWindow(bar->window(), SW_RESTORE);
        return retry(
            "activating the bar", [&] { SetForegroundWindow(bar->window()); },
            [&] { return GetForegroundWindow() == bar->window(); });
    };
    ASSERT_TRUE(activate());

    // Shift+F10 shows the focus on the first button and opens its menu.
    ASSERT_TRUE(retry(
        "Shift+F10", [] { chord(VK_SHIFT, VK_F10); }, [] { return popupMenu() != nullptr; }));
    EXPECT_EQ(hot(), 0);
    ASSERT_TRUE(retry(
        "Escape", [] { pressKey(VK_ESCAPE); }, [] { return popupMenu() == nullptr; }));

    // Right and Enter start the second program.
    ASSERT_TRUE(retry(
        "Right", [] { pressKey(VK_RIGHT); }, [&] { return hot() == 1; }));
    ASSERT_TRUE(retry(
        "Enter", [] { pressKey(VK_RETURN); }, [&] { return started(1); }));

    // Delete opens its menu with the removal selected, and Enter removes it; the focus is on
    // the program that took its place, which Enter starts.
    ASSERT_TRUE(activate());
    ASSERT_TRUE(retry(
        "Delete", [] { pressKey(VK_DELETE); }, [] { return popupMenu() != nullptr; }));
    ASSERT_TRUE(retry(
        "Enter in the menu", [] { pressKey(VK_RETURN); }, [&] { return bar->buttonCount() == 2; }));
    EXPECT_EQ(hot(), 1);
    ASSERT_TRUE(retry(
        "Enter", [] { pressKey(VK_RETURN); }, [&] { return started(2); }));

    // A digit starts the program in that place.
    ASSERT_TRUE(activate());
    ASSERT_TRUE(retry(
        "the digit 1", [] { pressKey('1'); }, [&] { return started(3); }));
    std::wstring expected;
    for (const int program : {1, 2, 0}) expected += programs[program] + L"|C:\\Keys\r\n";
    EXPECT_EQ(startedLog(), expected);
}

}  // namespace
}  // namespace e2e
