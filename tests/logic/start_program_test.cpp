#include "slots/start_program.h"

#include <gtest/gtest.h>

#include "toolkit/sim/sim_toolkit.h"

namespace quevor {
namespace {

// Which program a key starts depends only on the slot table, so each row sets it directly. Only
// the program expected to start exists; one that cannot start is reported and the window stays.
TEST(StartProgramTest, AKeyStartsItsSlotsStoredPathBeforeTheChosenOne) {
    const struct {
        const char* name;
        std::u16string key;
        int slot;
        std::u16string loaded, chosen, started;  // started "": nothing
        bool exists = true;
    } rows[] = {
        {"stored path wins", u"k17", 7, u"C:\\stored.exe", u"C:\\chosen.exe", u"C:\\stored.exe"},
        {"placeholder: chosen path", u"k17", 7, u"7.exe", u"C:\\chosen.exe", u"C:\\chosen.exe"},
        {"empty: chosen path", u"k115", 15, u"", u"C:\\chosen.exe", u"C:\\chosen.exe"},
        {"another slot's placeholder is a path", u"k12", 2, u"3.exe", u"C:\\chosen.exe", u"3.exe"},
        {"nothing for the slot", u"k13", 3, u"3.exe", u"", u""},
        {"wrong letter case", u"K11", 1, u"C:\\stored.exe", u"", u""},
        {"trailing space", u"k11 ", 1, u"C:\\stored.exe", u"", u""},
        {"no slot 16", u"k116", 15, u"C:\\stored.exe", u"C:\\chosen.exe", u""},
        {"gone", u"k11", 1, u"C:\\Tools\\gone.exe", u"", u"", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        sim::SimToolkit sim;
        SlotTable slots;
        slots.at(row.slot).loadedPath = row.loaded;
        slots.at(row.slot).addedPath = row.chosen;
        if (!row.started.empty()) sim.platform.declareProgram(row.started);

        startSlotProgram(slots, sim.toolkit(), row.key);

        const std::vector<std::u16string> started =
            row.started.empty() ? std::vector<std::u16string>{} : std::vector{row.started};
        EXPECT_EQ(sim.platform.started(), started);
        EXPECT_EQ(sim.window.minimized(), row.exists);
        EXPECT_EQ(sim.platform.messages().size(), row.exists ? 0u : 1u);  // wording: driver test
    }
}

}  // namespace
}  // namespace quevor
