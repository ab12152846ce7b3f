#include "form_fixture.h"
#include "settings/reader.h"

namespace quevor::testing {
namespace {

TEST_F(FormTest, OnlyTheRightButtonOnToolbarOrAddButtonOpensTheMenu) {
    startWith(clearedFile());
    for (const int16 button : {int16{1}, int16{4}}) {
        form.Tlb1_MouseDown(button, 0, 10, 10);
        form.Command1_MouseDown(button, 0, 10, 10);
    }
    form.Picture1_MouseDown(2, 0, 10, 10);
    EXPECT_EQ(sim.menu.popups(), 0);
    EXPECT_EQ(sim.dialog.opened(), 0);

    sim.menu.answers = {std::nullopt, std::nullopt};
    form.Tlb1_MouseDown(2, 0, 10, 10);
    form.Command1_MouseDown(2, 0, 10, 10);
    EXPECT_EQ(sim.menu.popups(), 2);
    EXPECT_TRUE(sim.platform.started().empty());
    EXPECT_FALSE(sim.window.minimized());
    EXPECT_FALSE(sim.platform.ended());
}

TEST_F(FormTest, MinimiseKeepsSizeTitleBarAndFile) {
    startWith(settingsFile({}, "1905", "0", "1"));
    const float width = sim.window.width();
    choose(MenuItem::menuMin);
    EXPECT_TRUE(sim.window.minimized());
    EXPECT_EQ(sim.window.width(), width);
    EXPECT_FALSE(sim.window.caption());
    EXPECT_TRUE(memory.writes.empty());
    EXPECT_FALSE(sim.platform.ended());
}

TEST_F(FormTest, QuitWithHiddenTitleBarSavesWidenedWidthMovedPositionAndRestoresNextRun) {
    startWith(settingsFile({"C:\\a.exe", "C:\\b.exe"}, "1785", "1170"),
              {u"C:\\a.exe", u"C:\\b.exe"});
    choose(MenuItem::menuTitlbarnon);
    sim.window.userMove(-120, 2000);
    choose(MenuItem::menuEnd);

    EXPECT_EQ(disk(),
              settingsFile({"C:\\a.exe", "C:\\b.exe"}, "1905", "1170", "1", "X:-120Y:2000"));

    sim::SimToolkit next;
    Form1 again(next.toolkit(), memory, *codec);
    next.platform.virtualFiles = {path};
    next.platform.searchFolders = {"/cfg"};
    next.platform.declareProgram(u"C:\\a.exe");
    next.platform.declareProgram(u"C:\\b.exe");
    again.Form_Load();
    EXPECT_FALSE(next.window.caption());
    EXPECT_EQ(next.window.width(), 1785.0f);
    EXPECT_EQ(next.window.left(), -120.0f);
    EXPECT_EQ(again.state().savedWidth, 1905);
}

TEST_F(FormTest, ClearResetsFileAndBarAndEnds) {
    startWith(settingsFile({"C:\\a.exe"}, "1200", "585"), {u"C:\\a.exe"});
    choose(MenuItem::menuClr);

    EXPECT_EQ(disk(), clearedFile());
    EXPECT_TRUE(sim.toolbar.buttons().empty());
    EXPECT_FALSE(sim.menu.visible(MenuItem::menuClr));
    EXPECT_EQ(sim.window.width(), 735.0f);
    EXPECT_EQ(sim.addButton.left(), 0.0f);
    EXPECT_EQ(slots().buttonCounter, 1);
    EXPECT_TRUE(sim.platform.ended());
}

TEST_F(FormTest, ASaveAfterTheClearItemWasHiddenWritesOnlyPositionAndTitleBar) {
    startWith(settingsFile({"C:\\a.exe"}, "1200", "585"), {u"C:\\a.exe"});
    sim.menu.setVisible(MenuItem::menuClr, false);
    sim.window.setWidth(5000);
    sim.addButton.setLeft(4000);
    sim.window.userMove(300, 400);
    form.menuEnd_Click();
    // The writer cuts the old position record at its "X:" and leaves the CR before it.
    std::string expected = settingsFile({"C:\\a.exe"}, "1200", "585", "0", "X:300Y:400");
    expected.insert(expected.find("X:300"), "\r");
    EXPECT_EQ(disk(), expected);
}

TEST_F(FormTest, AFailingWriteStopsTheQuitWithAnError) {
    startWith(clearedFile(), {u"C:\\a.exe"});
    add(u"C:\\a.exe");
    memory.failOnWrite = 3;
    EXPECT_THROW(choose(MenuItem::menuEnd), RuntimeError);
    EXPECT_FALSE(sim.platform.ended());
    EXPECT_EQ(memory.writes.size(), 2u);
}

}  // namespace
}  // namespace quevor::testing
