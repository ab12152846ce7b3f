#include <algorithm>

#include "bar_fixture.h"

namespace quevor::testing {
namespace {

TEST(StartUpTest, ReadsTheFileOnceAndShowsEachStoredProgramFoundInSlotOrder) {
    // Slot 2 holds a program that is gone, slot 3 its placeholder, slot 5 "4.exe" (not the
    // placeholder of slot 5, so a program path).
    const Rig t(savedFile({"C:\\Tools\\a.exe", "C:\\gone.exe", "", "D:\\x\\4th.EXE", "4.exe"},
                          "1905", "1170", "0", "X:-120Y:300"),
                {"C:\\Tools\\a.exe", "D:\\x\\4th.exe", "4.exe"});
    const auto calls = [&](const std::string& to) {
        return std::count_if(t.sim.log.calls.begin(), t.sim.log.calls.end(),
                             [&](const std::string& call) { return call.rfind(to, 0) == 0; });
    };
    EXPECT_EQ(calls("read"), 1);
    EXPECT_EQ(calls("platform.programIcon"), 4);  // none for a placeholder or an empty slot
    EXPECT_EQ(t.sim.platform.liveIcons(), 0);     // each released once its image is made
    EXPECT_EQ(t.shown(), (Texts{u"a.exe", u"4th.exe", u"4.exe"}));
    EXPECT_EQ(t.bar.state().slots.shownSlots(), (std::vector<int>{1, 4, 5}));
    EXPECT_EQ(t.bar.state().slots.missingSlots(), std::vector<int>{2});
    const sim::SimWindow& w = t.sim.window;
    EXPECT_EQ(std::tuple(w.left(), w.top(), w.width(), w.height(), t.sim.addButton.left()),
              std::tuple(-120.0f, 300.0f, 1905.0f, 1125.0f, 1170.0f));
    EXPECT_TRUE(w.topmost());
}

// Only "T:1" hides the title bar, once the buttons are made; any other value is kept to be
// saved again. Keys that are missing leave the window as designed.
TEST(StartUpTest, OnlyATitleBarRecordOfOneHidesItAndTheRecordIsKept) {
    const float designWidth = sim::SimWindow::kDesignWidth;
    const float designHeight = sim::SimWindow::kDesignHeight;
    // clang-format off
    const struct { std::string file; float width, height; int16 record; } rows[] = {
        {savedFile({"C:\\a.exe", "C:\\b.exe"}, "1905", "0", "1"), 1785, 650, 1},
        {savedFile({}, "1905", "0", "-1"), 1905, 1125, -1},
        {bytes("Path1:1.exe[CR][LF]"), designWidth, designHeight, 0},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(shownBytes(row.file));
        const Rig t(row.file, {"C:\\a.exe", "C:\\b.exe"});
        EXPECT_EQ(t.sim.window.width(), row.width);
        EXPECT_EQ(t.sim.window.height(), row.height);
        t.expectTitleBar(row.record == 1, row.record);
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
