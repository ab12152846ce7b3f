#pragma once

// The bar whose quit and clear the kill tests repeat, and the two files they leave.

#include <set>
#include <string>

#include "harness.h"
#include "support/settings_text.h"

namespace quevor::testing {

// Two programs, the second with a Japanese folder name where the code page is CP932 (natively);
// the Windows test runs in whatever ANSI code page the system has, so it keeps to ASCII.
inline fuzz::LiveBar killedBar(bool japanese) {
    fuzz::LiveBar bar;
    bar.addedPaths[1] = u"C:\\Tools\\edit.exe";
    bar.addedPaths[2] = japanese ? u"D:\\ゲーム\\play.exe" : u"D:\\Games\\play.exe";
    bar.addLeft = 1170;
    bar.width = 1905;
    bar.left = -120;
    bar.top = 4000;
    return bar;
}

// Quit, clear, quit, clear ... on the file, until the process is killed.
[[noreturn]] inline void saveAndClearForever(const SettingsFile& file, bool japanese) {
    for (;;) {
        fuzz::LiveBar bar = killedBar(japanese);
        saveSettings(file, bar);
        clearSettings(file);
    }
}

// The two files the loop leaves: the cleared one, where each quit starts and each clear ends,
// and the one each quit writes. A kill at any moment must leave exactly one of them.
inline std::set<std::string> endStates(const TextCodec& codec, bool japanese) {
    MemoryStore memory;
    const std::u16string path = u"/bar/setting.ini";
    memory.files[path] = clearedFile();
    fuzz::LiveBar bar = killedBar(japanese);
    saveSettings(SettingsFile(path, memory, codec), bar);
    return {clearedFile(), memory.files[path]};
}

}  // namespace quevor::testing
