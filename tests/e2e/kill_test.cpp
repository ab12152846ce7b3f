// quevor.exe killed with TerminateProcess mid quit, before, inside or after its one write:
// setting.ini is the old file or the new one, byte for byte; a leftover temporary file is allowed.

#include <cstdio>
#include <gtest/gtest.h>
#include <memory>

#include "driver.h"
#include "support/settings_text.h"

namespace e2e {
namespace {

const std::wstring kFolder = L"C:\\e2e\\run\\Kill";
const std::wstring kSettings = kFolder + L"\\setting.ini";

// Starts the bar on the cleared file and chooses 終了 from its menu with real input.
void startAndQuit(std::unique_ptr<Bar>& bar) {
    copyFile(L"C:\\e2e\\bin\\quevor.exe", kFolder + L"\\quevor.exe");
    writeBytes(kSettings, quevor::testing::clearedFile());
    bar = std::make_unique<Bar>(kFolder + L"\\quevor.exe");
    ASSERT_NE(bar->waitWindow(), nullptr);
    const POINT at = centre(windowRect(bar->addButton()));
    for (int attempt = 0; attempt < 3 && !popupMenu(); ++attempt) rightPressForMenu(at.x, at.y);
    ASSERT_NE(popupMenu(), nullptr);
    chooseMenuItem(1);
}

TEST(KillTest, QuevorKilledMidQuitLeavesTheOldFileOrTheNewOne) {
    const std::string oldText = quevor::testing::clearedFile();
    std::unique_ptr<Bar> bar;
    ASSERT_NO_FATAL_FAILURE(startAndQuit(bar));
    const auto chosen = std::chrono::steady_clock::now();
    ASSERT_TRUE(bar->waitExit());
    const long long quitMs = (std::chrono::steady_clock::now() - chosen) / 1ms;
    const std::string newText = readBytes(kSettings);
    ASSERT_NE(newText, oldText);
    // Kill at once, after the quit, then ever nearer the write: halve the span between old and new.
    const int kills = 12;
    long long before = 0, after = quitMs * 3 / 2, olds = 0, leftovers = 0;
    for (int i = 0; i < kills; ++i) {
        const long long delay = i == 0 ? 0 : i == 1 ? after : (before + after) / 2;
        ASSERT_NO_FATAL_FAILURE(startAndQuit(bar));
        Sleep(static_cast<DWORD>(delay));
        bar.reset();  // TerminateProcess, unless the quit already ended it
        const std::string text = readBytes(kSettings);
        ASSERT_TRUE(text == oldText || text == newText) << quevor::testing::shownBytes(text);
        olds += text == oldText;
        (text == oldText ? before : after) = delay;
        WIN32_FIND_DATAW found;  // a kill inside the write leaves its temporary file
        const HANDLE find = FindFirstFileW((kFolder + L"\\.setting.ini.*.tmp").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) continue;
        leftovers += FindClose(find) && DeleteFileW((kFolder + L"\\" + found.cFileName).c_str());
    }
    std::printf("quit %lld ms; %d kills: %lld old, %lld new, %lld left a temporary file\n",
                quitMs, kills, olds, kills - olds, leftovers);
}

}  // namespace
}  // namespace e2e
