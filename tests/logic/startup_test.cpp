#include <algorithm>

#include "bar_fixture.h"

namespace quevor::testing {
namespace {

using sim::SimWindow;

// Only what start-up reads and what it does to the window, in order.
std::vector<std::string> startUpCalls(const std::vector<std::string>& calls) {
    std::vector<std::string> out;
    for (const auto& call : calls) {
        if (call.rfind("platform.programIcon", 0) == 0 || call.rfind("toolbar.addImage", 0) == 0 ||
            call.rfind("toolbar.setToolTip", 0) == 0) {
            continue;
        }
        out.push_back(call);
    }
    return out;
}

TEST_F(BarTest, StartUpReadsTheFileOnceThenEveryKeyInItsOrderAndMakesEachButtonRightAfterItsSlot) {
    startWith(savedFile({"C:\\a.exe", "", "C:\\c.exe"}, "1905", "1170", "0", "X:-120Y:300"),
              {u"C:\\a.exe", u"C:\\c.exe"});

    const std::vector<std::string> expected = {"platform.findFile setting.ini",
                                               "read",
                                               "window.setWidth 1905",
                                               "window.setHeight 1125",
                                               "addButton.setLeft 1170",
                                               "toolbar.addButton 1 k11 k11",
                                               "toolbar.addButton 2 k13 k13",
                                               "window.setLeft -120",
                                               "window.setTop 300",
                                               "menu.setVisible show-title-bar false",
                                               "menu.setVisible hide-title-bar true",
                                               "window.makeTopmost"};
    EXPECT_EQ(startUpCalls(sim.log.calls), expected);
    EXPECT_TRUE(memory.writes.empty());
    EXPECT_EQ(sim.platform.liveIcons(), 0);
}

TEST_F(BarTest, StartUpMakesButtonsForFilledSlotsWithBareNamesAndClosesGaps) {
    // Slot 2 holds a program that is gone, slot 3 its placeholder, slot 5 "4.exe" (no
    // placeholder of slot 5, so a program path).
    startWith(savedFile({"C:\\Tools\\edit.exe", "C:\\gone.exe", "", "D:\\x\\4th.EXE", "4.exe"}),
              {u"C:\\Tools\\edit.exe", u"D:\\x\\4th.exe", u"4.exe"});

    const std::vector<sim::SimButton> expected = {
        {u"k11", u"k11", u"edit.exe"}, {u"k14", u"k14", u"4th.exe"}, {u"k15", u"k15", u"4.exe"}};
    EXPECT_EQ(sim.toolbar.buttons(), expected);
    EXPECT_EQ(slots().nextSlot, 3);
    EXPECT_EQ(slots().buttonCounter, 4);
    EXPECT_EQ(slots().loadedPaths(2), u"C:\\gone.exe");
    EXPECT_EQ(slots().loadedPaths(3), u"3.exe");
    EXPECT_EQ(slots().loadedPaths(4), u"D:\\x\\4th.exe");
    EXPECT_TRUE(sim.platform.messages().empty());
}

TEST_F(BarTest, TitleBarValuesOtherThanOneLeaveCaptionAndStoredSize) {
    for (const std::string title : {"0", "2", "-1"}) {
        SCOPED_TRACE("T:" + title);
        Rig rig(*codec, savedFile({}, "1905", "0", title));
        const auto& fresh = rig.sim;
        EXPECT_EQ(fresh.window.width(), 1905.0f);
        EXPECT_EQ(fresh.window.height(), 1125.0f);
        EXPECT_TRUE(fresh.window.caption());
        EXPECT_FALSE(fresh.menu.visible(MenuItem::showTitleBar));
        EXPECT_TRUE(fresh.menu.visible(MenuItem::hideTitleBar));
    }
}

TEST_F(BarTest, MissingKeysLeaveTheDesignValues) {
    startWith(bytes("Path1:1.exe[CR][LF]"));
    EXPECT_EQ(sim.window.width(), SimWindow::kDesignWidth);
    EXPECT_EQ(sim.window.height(), SimWindow::kDesignHeight);
    EXPECT_EQ(sim.window.left(), 0.0f);
    EXPECT_EQ(sim.window.top(), 0.0f);
    EXPECT_EQ(sim.addButton.left(), 0.0f);
    EXPECT_TRUE(sim.toolbar.buttons().empty());
    EXPECT_TRUE(sim.menu.visible(MenuItem::hideTitleBar));
}

TEST_F(BarTest, NoSettingsFileEndsSilentlyWithoutReading) {
    sim.platform.virtualFiles.clear();
    bar.start();
    EXPECT_TRUE(sim.platform.ended());
    EXPECT_EQ(std::count(sim.log.calls.begin(), sim.log.calls.end(), "read"), 0);
    EXPECT_TRUE(sim.platform.messages().empty());
    EXPECT_FALSE(sim.window.topmost());
}

TEST_F(BarTest, ASecondInstanceEndsBeforeLookingForTheFile) {
    put(savedFile({}));
    sim.platform.anotherInstance = true;
    bar.start();
    EXPECT_TRUE(sim.platform.ended());
    const std::vector<std::string> expected = {"platform.endProgram"};
    EXPECT_EQ(sim.log.calls, expected);
    EXPECT_EQ(disk(), savedFile({}));
}

TEST_F(BarTest, AValueThatIsNoNumberStopsStartUp) {
    put(bytes("CL:0W:wide[CR][LF]Path1:1.exe"));
    EXPECT_THROW(bar.start(), RuntimeError);
}

}  // namespace
}  // namespace quevor::testing
