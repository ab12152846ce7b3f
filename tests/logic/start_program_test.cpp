#include "form_fixture.h"

namespace quevor::testing {
namespace {

// Sets the slot table directly: which program a key starts depends only on it.
class StartTest : public FormTest {
protected:
    void SetUp() override { startWith(clearedFile()); }
    SlotTable& table() { return const_cast<SlotTable&>(form.state().slots); }
};

TEST_F(StartTest, KeyToSlotMappingPrefersTheStoredPath) {
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
        {"no slot 16", u"k116", 15, u"C:\\stored.exe", u"", u""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        sim::SimToolkit fresh;
        MemoryStore files;
        Form1 bar(fresh.toolkit(), files, *codec);
        fresh.platform.virtualFiles = {path};
        fresh.platform.searchFolders = {"/cfg"};
        files.files[path] = clearedFile();
        bar.Form_Load();
        auto& slotTable = const_cast<SlotTable&>(bar.state().slots);
        slotTable.loadedPaths(row.slot) = row.loaded;
        slotTable.slotPaths(row.slot - 1) = row.chosen;
        for (const auto& p : {row.loaded, row.chosen}) {
            if (!p.empty()) fresh.platform.declareProgram(p);
        }

        bar.Tlb1_ButtonClick(row.key);

        const std::vector<std::u16string> expected =
            row.started.empty() ? std::vector<std::u16string>{} : std::vector{row.started};
        EXPECT_EQ(fresh.platform.started(), expected);
        EXPECT_TRUE(fresh.window.minimized());  // whether or not anything started
    }
}

TEST_F(StartTest, AProgramThatCannotStartIsReportedAndTheBarStays) {
    table().loadedPaths(1) = u"C:\\Tools\\gone.exe";
    form.Tlb1_ButtonClick(u"k11");
    ASSERT_EQ(sim.platform.messages().size(), 1u);
    EXPECT_NE(sim.platform.messages()[0].find(u"C:\\Tools\\gone.exe"), std::u16string::npos);
    EXPECT_NE(sim.platform.messages()[0].find(u"does not exist"), std::u16string::npos);
    EXPECT_FALSE(sim.window.minimized());
    EXPECT_FALSE(sim.platform.ended());
    EXPECT_TRUE(sim.platform.started().empty());
}

}  // namespace
}  // namespace quevor::testing
