#include "slots/start_program.h"

#include <gtest/gtest.h>

#include "toolkit/sim/sim_toolkit.h"

namespace quevor {
namespace {

// Which program a key starts depends only on the slot table, so each row sets it directly.
TEST(StartProgramTest, KeyToSlotMappingPrefersTheStoredPath) {
    struct Row {
        const char* name;
        std::u16string key;
        int slot;
        std::u16string loaded;
        std::u16string chosen;
        std::u16string started;  // "" = nothing
    };
    const Row rows[] = {
        {"stored path wins", u"k17", 7, u"C:\\stored.exe", u"C:\\chosen.exe", u"C:\\stored.exe"},
        {"placeholder: chosen path", u"k17", 7, u"7.exe", u"C:\\chosen.exe", u"C:\\chosen.exe"},
        {"empty: chosen path", u"k115", 15, u"", u"C:\\chosen.exe", u"C:\\chosen.exe"},
        {"another slot's placeholder is a path", u"k12", 2, u"3.exe", u"C:\\chosen.exe", u"3.exe"},
        {"nothing for the slot", u"k13", 3, u"3.exe", u"", u""},
        {"wrong letter case", u"K11", 1, u"C:\\stored.exe", u"", u""},
        {"trailing space", u"k11 ", 1, u"C:\\stored.exe", u"", u""},
        {"no slot 16", u"k116", 15, u"C:\\stored.exe", u"C:\\chosen.exe", u""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        sim::SimToolkit sim;
        SlotTable slots;
        slots.loadedPaths(row.slot) = row.loaded;
        slots.slotPaths(row.slot) = row.chosen;
        for (const auto& path : {row.loaded, row.chosen}) {
            if (!path.empty()) sim.platform.declareProgram(path);
        }

        startSlotProgram(slots, sim.toolkit(), row.key);

        const std::vector<std::u16string> expected =
            row.started.empty() ? std::vector<std::u16string>{} : std::vector{row.started};
        EXPECT_EQ(sim.platform.started(), expected);
        EXPECT_TRUE(sim.window.minimized());  // whether or not anything started
    }
}

TEST(StartProgramTest, AProgramThatCannotStartIsReportedAndTheWindowStays) {
    sim::SimToolkit sim;
    SlotTable slots;
    slots.loadedPaths(1) = u"C:\\Tools\\gone.exe";
    startSlotProgram(slots, sim.toolkit(), u"k11");
    ASSERT_EQ(sim.platform.messages().size(), 1u);
    EXPECT_NE(sim.platform.messages()[0].find(u"C:\\Tools\\gone.exe"), std::u16string::npos);
    EXPECT_FALSE(sim.window.minimized());
    EXPECT_FALSE(sim.platform.ended());
}

}  // namespace
}  // namespace quevor
