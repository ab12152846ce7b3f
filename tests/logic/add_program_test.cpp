#include "slots/add_program.h"

#include "bar_fixture.h"
#include "settings/reader.h"

namespace quevor::testing {
namespace {

class AddTest : public BarTest {
  protected:
    std::u16string program(int n) { return u"C:\\Tools\\p" + ascii(std::to_string(n)) + u".exe"; }
};

TEST_F(AddTest, FirstAddOnAnEmptyBarMakesK11) {
    sim.platform.declareProgram(u"C:\\Tools\\edit.exe");
    startWith(clearedFile());

    add(u"C:\\Tools\\edit.exe");

    const std::vector<sim::SimButton> expected = {{u"k11", u"k11", u"edit.exe"}};
    EXPECT_EQ(sim.toolbar.buttons(), expected);
    EXPECT_EQ(sim.dialog.lastFilter(), kProgramFilter);
    EXPECT_EQ(slots().slotPaths(1), u"C:\\Tools\\edit.exe");
    EXPECT_EQ(slots().addedPaths(1), u"C:\\Tools\\edit.exe");
    EXPECT_EQ(slots().nextSlot, 1);
    EXPECT_EQ(slots().buttonCounter, 2);
    EXPECT_EQ(sim.platform.liveIcons(), 0);
}

TEST_F(AddTest, CancelStoresTheMarkerMovesNothingAndTheNextClickAsksAgain) {
    sim.platform.declareProgram(u"C:\\a.exe");
    startWith(clearedFile());

    add(u"");
    EXPECT_EQ(slots().slotPaths(1), u"?.exe");
    EXPECT_TRUE(sim.toolbar.buttons().empty());
    EXPECT_EQ(sim.addButton.left(), 0.0f);
    EXPECT_EQ(sim.window.width(), 735.0f);

    add(u"C:\\a.exe");
    EXPECT_EQ(sim.dialog.opened(), 2);
    EXPECT_EQ(keys(), std::vector<std::u16string>{u"k11"});
}

TEST_F(AddTest, AProgramWithoutIconStaysPendingAndASuccessfulRetryCompletesTheAdd) {
    startWith(clearedFile());
    add(u"C:\\later.exe");  // no icon yet
    EXPECT_TRUE(sim.toolbar.buttons().empty());
    EXPECT_EQ(slots().slotPaths(1), u"C:\\later.exe");
    EXPECT_TRUE(slots().addedPaths(1).empty());

    add(u"C:\\other.exe");  // retries without the dialog, still no icon
    EXPECT_EQ(sim.dialog.opened(), 1);
    EXPECT_TRUE(sim.toolbar.buttons().empty());

    sim.platform.declareProgram(u"C:\\later.exe");
    add(u"C:\\other.exe");
    EXPECT_EQ(sim.dialog.opened(), 1);
    const std::vector<sim::SimButton> expected = {{u"k11", u"k11", u"later.exe"}};
    EXPECT_EQ(sim.toolbar.buttons(), expected);
    EXPECT_EQ(slots().addedPaths(1), u"C:\\later.exe");
    EXPECT_EQ(slots().nextSlot, 1);
    EXPECT_EQ(sim.addButton.left(), 585.0f);
    EXPECT_EQ(sim.window.width(), 735.0f + 585);

    // Completed: the next click asks for a new program again.
    sim.platform.declareProgram(u"C:\\b.exe");
    add(u"C:\\b.exe");
    EXPECT_EQ(sim.dialog.opened(), 2);
    EXPECT_EQ(keys(), (std::vector<std::u16string>{u"k11", u"k12"}));
}

TEST_F(AddTest, TheFifteenthAddLeavesTheWidthAndAFullBarIgnoresClicks) {
    startWith(clearedFile());
    for (int n = 1; n <= 15; ++n) {
        sim.platform.declareProgram(program(n));
        const float width = sim.window.width();
        add(program(n));
        EXPECT_EQ(sim.window.width(), n < 15 ? width + 585 : width) << "add " << n;
    }
    EXPECT_EQ(slots().nextSlot, 15);
    EXPECT_EQ(keys().back(), u"k115");

    sim.platform.declareProgram(u"C:\\sixteenth.exe");
    for (int click = 0; click < 2; ++click) {
        add(u"C:\\sixteenth.exe");
        add(u"");
    }
    EXPECT_EQ(sim.dialog.opened(), 15);
    EXPECT_EQ(sim.toolbar.buttons().size(), 15u);
    EXPECT_EQ(sim.window.width(), 735.0f + 14 * 585);
    EXPECT_EQ(sim.addButton.left(), 15.0f * 585);  // pushed outside the window
}

TEST_F(AddTest, AnAddFillsTheLowestFreeSlotAndKeysTheButtonBySlot) {
    // Slot 1 filled, slot 2 a program that is gone (kept, not free), slot 3 its placeholder,
    // slot 4 filled.
    startWith(savedFile({"C:\\one.exe", "C:\\gone.exe", "", "C:\\four.exe"}),
              {u"C:\\one.exe", u"C:\\four.exe", u"C:\\new3.exe", u"C:\\new5.exe"});
    ASSERT_EQ(keys(), (std::vector<std::u16string>{u"k11", u"k14"}));

    add(u"C:\\new3.exe");
    add(u"C:\\new5.exe");

    EXPECT_EQ(keys(), (std::vector<std::u16string>{u"k11", u"k13", u"k14", u"k15"}));
    EXPECT_EQ(slots().slotPaths(3), u"C:\\new3.exe");
    EXPECT_EQ(slots().addedPaths(3), u"C:\\new3.exe");
    EXPECT_EQ(slots().addedPaths(5), u"C:\\new5.exe");
    EXPECT_EQ(slots().nextSlot, 4);

    // Each button starts its own program.
    bar.onProgramButtonClick(u"k13");
    bar.onProgramButtonClick(u"k15");
    EXPECT_EQ(sim.platform.started(),
              (std::vector<std::u16string>{u"C:\\new3.exe", u"C:\\new5.exe"}));

    // And the save keeps the stored program of slot 2.
    choose(MenuItem::quit);
    const SettingsFile file(path, memory, *codec);
    const std::u16string expected[] = {u"C:\\one.exe",  u"C:\\gone.exe", u"C:\\new3.exe",
                                       u"C:\\four.exe", u"C:\\new5.exe", u"6.exe"};
    for (int slot = 1; slot <= 6; ++slot) {
        EXPECT_EQ(readSlotPath(file, slot), expected[slot - 1]) << "slot " << slot;
    }
}

TEST_F(AddTest, RefusedPathsTellTheUserAndChangeNothing) {
    startWith(clearedFile());
    const std::u16string refused[] = {u"W:\\tools\\a.exe",
                                      u"C:\\a=b\\c.exe",
                                      u"C:\\x.exe\\y.exe",
                                      u"C:\\tools\\readme.txt",
                                      u"C:\\" + std::u16string(260, u'a') + u".exe",
                                      u"C:\\\u00e9t\u00e9\\\u0101.exe"};
    for (const auto& chosen : refused) {
        SCOPED_TRACE(toUtf8(chosen));
        sim.platform.declareProgram(chosen);
        const std::size_t before = sim.platform.messages().size();
        add(chosen);
        ASSERT_EQ(sim.platform.messages().size(), before + 1);
        EXPECT_NE(sim.platform.messages().back().find(chosen), std::u16string::npos);
        EXPECT_TRUE(slots().slotPaths(1).empty());
        EXPECT_TRUE(sim.toolbar.buttons().empty());
        EXPECT_EQ(sim.addButton.left(), 0.0f);
        EXPECT_EQ(sim.window.width(), 735.0f);
    }
    EXPECT_EQ(sim.dialog.opened(), 6);  // refusing leaves nothing pending
}

}  // namespace
}  // namespace quevor::testing
