#include "bar_fixture.h"

#include <limits>

#include "settings/reader.h"

namespace quevor::testing {
namespace {

TEST_F(BarTest, OnlyTheRightButtonOnToolbarOrAddButtonOpensTheMenu) {
    startWith(clearedFile());
    for (const int16 button : {int16{1}, int16{4}}) {
        bar.onToolbarMouseDown(button, 0, 10, 10);
        bar.onAddButtonMouseDown(button, 0, 10, 10);
    }
    EXPECT_EQ(sim.menu.popups(), 0);
    EXPECT_EQ(sim.dialog.opened(), 0);

    sim.menu.answers = {std::nullopt, std::nullopt};
    bar.onToolbarMouseDown(2, 0, 10, 10);
    bar.onAddButtonMouseDown(2, 0, 10, 10);
    EXPECT_EQ(sim.menu.popups(), 2);
    EXPECT_TRUE(sim.platform.started().empty());
    EXPECT_FALSE(sim.window.minimized());
    EXPECT_FALSE(sim.platform.ended());
}

TEST_F(BarTest, MinimiseKeepsSizeTitleBarAndFile) {
    startWith(savedFile({}, "1905", "0", "1"));
    const float width = sim.window.width();
    choose(MenuItem::minimise);
    EXPECT_TRUE(sim.window.minimized());
    EXPECT_EQ(sim.window.width(), width);
    EXPECT_FALSE(sim.window.caption());
    EXPECT_TRUE(memory.writes.empty());
    EXPECT_FALSE(sim.platform.ended());
}

TEST_F(BarTest, QuitWithHiddenTitleBarSavesWidenedWidthMovedPositionAndRestoresNextRun) {
    startWith(savedFile({"C:\\a.exe", "C:\\b.exe"}, "1785", "1170"),
              {u"C:\\a.exe", u"C:\\b.exe"});
    choose(MenuItem::hideTitleBar);
    sim.window.userMove(-120, 2000);
    choose(MenuItem::quit);

    EXPECT_EQ(disk(),
              savedFile({"C:\\a.exe", "C:\\b.exe"}, "1905", "1170", "1", "X:-120Y:2000"));

    const Rig next(*codec, disk(), {"C:\\a.exe", "C:\\b.exe"});
    EXPECT_FALSE(next.sim.window.caption());
    EXPECT_EQ(next.sim.window.width(), 1785.0f);
    EXPECT_EQ(next.sim.window.left(), -120.0f);
    EXPECT_EQ(next.bar.state().savedWidth, 1905);
}

TEST_F(BarTest, ClearResetsFileAndBarAndEnds) {
    startWith(savedFile({"C:\\a.exe"}, "1200", "585"), {u"C:\\a.exe"});
    choose(MenuItem::clear);

    EXPECT_EQ(disk(), clearedFile());
    EXPECT_TRUE(sim.toolbar.buttons().empty());
    EXPECT_FALSE(sim.menu.visible(MenuItem::clear));
    EXPECT_EQ(sim.window.width(), 735.0f);
    EXPECT_EQ(sim.addButton.left(), 0.0f);
    EXPECT_EQ(slots().buttonCounter, 1);
    EXPECT_TRUE(sim.platform.ended());
}

TEST_F(BarTest, ASaveAfterTheClearItemWasHiddenWritesOnlyPositionAndTitleBar) {
    startWith(savedFile({"C:\\a.exe"}, "1200", "585"), {u"C:\\a.exe"});
    sim.menu.setVisible(MenuItem::clear, false);
    sim.window.setWidth(5000);
    sim.addButton.setLeft(4000);
    sim.window.userMove(300, 400);
    bar.quit();
    // The writer cuts the old position record at its "X:" and leaves the CR before it.
    std::string expected = savedFile({"C:\\a.exe"}, "1200", "585", "0", "X:300Y:400");
    expected.insert(expected.find("X:300"), "\r");
    EXPECT_EQ(disk(), expected);
}

// A failing write stops the quit with the error report; a save that cannot be verified (here a
// width no file can hold) is told to the user and the bar stays open. Neither touches the file.
TEST_F(BarTest, AQuitThatCannotSaveLeavesTheFileAndDoesNotEndTheBar) {
    for (const bool writeFails : {true, false}) {
        SCOPED_TRACE(writeFails ? "write fails" : "not verified");
        Rig rig(*codec, clearedFile(), {"C:\\a.exe"});
        rig.sim.dialog.answers.assign(1, u"C:\\a.exe");
        rig.bar.onAddButtonClick();
        rig.sim.menu.answers.push_back(MenuItem::quit);
        if (writeFails) {
            rig.files.failOnWrite = 1;
            EXPECT_THROW(rig.bar.onToolbarMouseDown(2, 0, 0, 0), RuntimeError);
        } else {
            rig.sim.window.setWidth(std::numeric_limits<float>::infinity());
            rig.bar.onToolbarMouseDown(2, 0, 0, 0);
            ASSERT_EQ(rig.sim.platform.messages().size(), 1u);
            EXPECT_NE(rig.sim.platform.messages()[0].find(u"could not be verified"), std::u16string::npos);
        }
        EXPECT_FALSE(rig.sim.platform.ended());
        EXPECT_EQ(rig.files.files.at(kSettingsPath), clearedFile());
    }
}

}  // namespace
}  // namespace quevor::testing
