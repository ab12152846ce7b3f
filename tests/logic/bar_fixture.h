#pragma once

// A bar on the simulated toolkit with its settings file in memory: what the window-logic
// tests drive, and the helpers they share.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/text.h"
#include "settings/codec.h"
#include "shell/bar.h"
#include "support/memory_store.h"
#include "support/settings_text.h"
#include "toolkit/sim/sim_toolkit.h"

namespace quevor::testing {

using Texts = std::vector<std::u16string>;

// Records every whole-file read and write in the toolkit's call log, so tests see them and the
// window calls in one sequence.
class LoggingStore final : public FileStore {
  public:
    LoggingStore(FileStore& inner, sim::CallLog& log) : inner_(inner), log_(log) {}
    std::string read(const std::u16string& path) override {
        log_.add("read");
        return inner_.read(path);
    }
    void replace(const std::u16string& path, std::string_view data) override {
        log_.add("write");
        inner_.replace(path, data);
    }
    bool exists(const std::u16string& path) override { return inner_.exists(path); }

  private:
    FileStore& inner_;
    sim::CallLog& log_;
};

inline const std::u16string kSettingsPath = u"/cfg/setting.ini";

// A bar whose file at /cfg/setting.ini holds content, the programs named present; started
// unless told not to.
struct Rig {
    sim::SimToolkit sim;
    MemoryStore files;
    LoggingStore store{files, sim.log};
    std::unique_ptr<TextCodec> codec = makeSystemCodec("CP932");
    Bar bar{sim.toolkit(), store, *codec};

    explicit Rig(const std::string& content, const std::vector<std::string>& programs = {},
                 bool start = true) {
        sim.platform.searchFolders = {"/cfg"};
        sim.platform.virtualFiles = {kSettingsPath};
        for (const auto& program : programs) sim.platform.declareProgram(ascii(program));
        files.files[kSettingsPath] = content;
        if (start) bar.start();
    }
    const std::string& disk() const { return files.files.at(kSettingsPath); }

    // A click on the add button, the dialog answering chosen ("" = cancel) if it opens.
    void add(const std::u16string& chosen) {
        sim.dialog.answers.assign(1, chosen);
        bar.onAddButtonClick();
    }
    // The right button on a program button (or the toolbar) and item chosen in the menu.
    void choose(MenuItem item, const char16_t* onButton = nullptr) {
        sim.menu.answers.push_back(item);
        if (onButton)
            bar.onProgramButtonMouseDown(onButton, 2, 0, 0, 0);
        else
            bar.onToolbarMouseDown(2, 0, 0, 0);
    }
    // The title bar as the window, the state and the menu tell it.
    void expectTitleBar(bool hidden, int16 record) const {
        EXPECT_EQ(sim.window.caption(), !hidden);
        EXPECT_EQ(bar.state().titleBarHidden, hidden);
        EXPECT_EQ(bar.state().titleBarRecord, record);
        EXPECT_EQ(sim.menu.visible(MenuItem::showTitleBar), hidden);
        EXPECT_EQ(sim.menu.visible(MenuItem::hideTitleBar), !hidden);
    }
    Texts shown() const {
        Texts out;
        for (const auto& button : sim.toolbar.buttons()) out.push_back(button.toolTip);
        return out;
    }
};

// Programs are named by words: "a" is C:\a.exe, "." an empty slot. "p1..p15" stands for p1 to p15.
inline std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string word; in >> word;) {
        if (word.rfind("p1..p", 0) == 0) {
            for (int n = 1; n <= std::stoi(word.substr(5)); ++n)
                out.push_back("p" + std::to_string(n));
        } else {
            out.push_back(word);
        }
    }
    return out;
}
inline std::vector<std::string> paths(const std::string& text) {
    std::vector<std::string> out;
    for (const auto& word : words(text)) out.push_back(word == "." ? "" : "C:\\" + word + ".exe");
    return out;
}
inline Texts tips(const std::string& text) {
    Texts out;
    for (const auto& word : words(text)) out.push_back(ascii(word) + u".exe");
    return out;
}

}  // namespace quevor::testing
