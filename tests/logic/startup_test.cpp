#include "bar_fixture.h"

namespace quevor::testing {
namespace {

TEST(StartUpTest, ReadsTheFileOnceThenEveryKeyInItsOrderAndMakesEachButtonRightAfterItsSlot) {
    // Slot 2 holds a program that is gone, slot 3 its placeholder, slot 5 "4.exe" (not the
    // placeholder of slot 5, so a program path).
    const Rig t(savedFile({"C:\\Tools\\a.exe", "C:\\gone.exe", "", "D:\\x\\4th.EXE", "4.exe"},
                          "1905", "1170", "0", "X:-120Y:300"),
                {"C:\\Tools\\a.exe", "D:\\x\\4th.exe", "4.exe"});
    const std::vector<std::string> expected = {
        "platform.findFile setting.ini", "read", "window.setWidth 1905", "window.setHeight 1125",
        "addButton.setLeft 1170", "toolbar.addButton 1 k11 k11", "toolbar.setToolTip 1 a.exe",
        "toolbar.addButton 2 k14 k14", "toolbar.setToolTip 2 4th.exe",
        "toolbar.addButton 3 k15 k15", "toolbar.setToolTip 3 4.exe", "window.setLeft -120",
        "window.setTop 300", "menu.setVisible show-title-bar false",
        "menu.setVisible hide-title-bar true", "window.makeTopmost"};
    std::vector<std::string> calls = t.sim.log.calls;  // the icons aside: checked released
    std::erase_if(calls, [](const std::string& call) {
        return call.rfind("platform.programIcon", 0) == 0 || call.rfind("toolbar.addImage", 0) == 0;
    });
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(t.sim.platform.liveIcons(), 0);
}

// Only "T:1" hides the title bar; a key that is missing leaves the window as designed.
TEST(StartUpTest, ValuesOtherThanATitleBarOfOneAndMissingKeysLeaveTheCaption) {
    const struct {
        std::string file;
        float width, height;
    } rows[] = {
        {savedFile({}, "1905", "0", "0"), 1905, 1125},
        {savedFile({}, "1905", "0", "2"), 1905, 1125},
        {savedFile({}, "1905", "0", "-1"), 1905, 1125},
        {bytes("Path1:1.exe[CR][LF]"), sim::SimWindow::kDesignWidth,
         sim::SimWindow::kDesignHeight},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(shownBytes(row.file));
        const Rig t(row.file);
        EXPECT_EQ(t.sim.window.width(), row.width);
        EXPECT_EQ(t.sim.window.height(), row.height);
        EXPECT_TRUE(t.sim.window.caption());
        EXPECT_FALSE(t.sim.menu.visible(MenuItem::showTitleBar));
        EXPECT_TRUE(t.sim.menu.visible(MenuItem::hideTitleBar));
    }
}

// A second instance ends before it looks for the file; without one the bar ends silently.
TEST(StartUpTest, ASecondInstanceOrNoSettingsFileEndsAtOnce) {
    for (const bool second : {true, false}) {
        SCOPED_TRACE(second ? "second instance" : "no file");
        Rig t(savedFile({}), {}, false);
        t.sim.platform.anotherInstance = second;
        if (!second) t.sim.platform.virtualFiles.clear();
        t.bar.start();
        EXPECT_TRUE(t.sim.platform.ended());
        std::vector<std::string> expected = {"platform.endProgram"};
        if (!second) expected.insert(expected.begin(), "platform.findFile setting.ini");
        EXPECT_EQ(t.sim.log.calls, expected);
    }
}

}  // namespace
}  // namespace quevor::testing
