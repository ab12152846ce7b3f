#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/text.h"
#include "settings/codec.h"
#include "settings/layout.h"
#include "shell/bar.h"
#include "support/memory_store.h"
#include "support/settings_text.h"
#include "toolkit/sim/sim_toolkit.h"

namespace quevor::testing {

// Records every whole-file read in the toolkit's call log, so tests see reads and window
// calls in one sequence.
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

  private:
    FileStore& inner_;
    sim::CallLog& log_;
};

inline const std::u16string kSettingsPath = u"/cfg/setting.ini";

// A bar of its own for each row of a table: the simulated toolkit, the file in memory at
// /cfg/setting.ini with the given content, the programs declared, start-up run.
struct Rig {
    sim::SimToolkit sim;
    MemoryStore files;
    Bar bar;
    Rig(const TextCodec& codec, const std::string& content,
        const std::vector<std::string>& programs = {})
        : bar(sim.toolkit(), files, codec) {
        sim.platform.searchFolders = {"/cfg"};
        sim.platform.virtualFiles = {kSettingsPath};
        for (const auto& program : programs) sim.platform.declareProgram(ascii(program));
        files.files[kSettingsPath] = content;
        bar.start();
    }
};

// Bar on the simulated toolkit, its settings file in memory at /cfg/setting.ini.
class BarTest : public ::testing::Test {
  protected:
    const std::u16string path = kSettingsPath;
    sim::SimToolkit sim;
    MemoryStore memory;
    LoggingStore store{memory, sim.log};
    std::unique_ptr<TextCodec> codec = makeSystemCodec("CP932");
    Bar bar{sim.toolkit(), store, *codec};

    BarTest() {
        sim.platform.searchFolders = {"/cfg"};
        sim.platform.virtualFiles = {kSettingsPath};
    }

    void put(const std::string& content) { memory.files[path] = content; }
    const std::string& disk() { return memory.files.at(path); }

    // Declares the programs, stores the file and runs start-up.
    void startWith(const std::string& content, const std::vector<std::u16string>& programs = {}) {
        put(content);
        for (const auto& program : programs) sim.platform.declareProgram(program);
        bar.start();
        ASSERT_FALSE(sim.platform.ended());
    }

    // A click on the add button, the dialog answering with path ("" = cancel) if it opens.
    void add(const std::u16string& chosen) {
        sim.dialog.answers.assign(1, chosen);
        bar.onAddButtonClick();
        sim.dialog.answers.clear();
    }

    void choose(sim::SimMenu::Answer item) {
        sim.menu.answers.push_back(item);
        bar.onToolbarMouseDown(2, 0, 0, 0);
    }

    std::vector<std::u16string> keys() const {
        std::vector<std::u16string> out;
        for (const auto& button : sim.toolbar.buttons()) out.push_back(button.key);
        return out;
    }
    const SlotTable& slots() const { return bar.state().slots; }
};

}  // namespace quevor::testing
