// The menu's commands that end or keep the bar: minimise, quit, clear.

#include <limits>

#include "bar_fixture.h"
#include "core/messages.h"

namespace quevor::testing {
namespace {

// Minimising keeps the size, the title bar and the file; the quit saves what the window shows.
TEST(MenuTest, MinimiseThenQuitSavesWhatTheWindowShowsAndEnds) {
    Rig t(savedFile({"C:\\a.exe", "C:\\b.exe"}, "1785", "1170"), {"C:\\a.exe", "C:\\b.exe"});
    t.choose(MenuItem::hideTitleBar);
    t.sim.window.userMove(-120, 2000);
    t.choose(MenuItem::minimise);
    EXPECT_TRUE(t.sim.window.minimized());
    EXPECT_TRUE(t.files.writes.empty());
    EXPECT_FALSE(t.sim.platform.ended());
    t.choose(MenuItem::quit);
    EXPECT_EQ(t.disk(), savedFile({"C:\\a.exe", "C:\\b.exe"}, "1905", "1170", "1", "X:-120Y:2000"));
    EXPECT_TRUE(t.sim.platform.ended());
}

TEST(MenuTest, ClearResetsFileAndBarAndEnds) {
    Rig t(savedFile({"C:\\a.exe"}, "1200", "585"), {"C:\\a.exe"});
    t.choose(MenuItem::clear);
    EXPECT_EQ(t.disk(), clearedFile());
    EXPECT_TRUE(t.sim.toolbar.buttons().empty());
    EXPECT_TRUE(t.bar.state().cleared);
    EXPECT_FALSE(t.sim.menu.visible(MenuItem::clear));
    EXPECT_EQ(t.sim.window.width(), 735.0f);
    EXPECT_EQ(t.sim.addButton.left(), 0.0f);
    EXPECT_TRUE(t.sim.platform.ended());
}

// A failing write stops the quit with the error report; a save that cannot be verified (here a
// width no file can hold) is told to the user and the bar stays open. Neither touches the file.
TEST(MenuTest, AQuitThatCannotSaveLeavesTheFileAndDoesNotEndTheBar) {
    for (const bool writeFails : {true, false}) {
        SCOPED_TRACE(writeFails ? "write fails" : "not verified");
        Rig t(clearedFile(), {"C:\\a.exe"});
        t.add(u"C:\\a.exe");
        if (writeFails) {
            t.files.failOnWrite = 1;
            EXPECT_THROW(t.choose(MenuItem::quit), RuntimeError);
        } else {
            t.sim.window.setWidth(std::numeric_limits<float>::infinity());
            t.choose(MenuItem::quit);
            ASSERT_EQ(t.sim.platform.messages().size(), 1u);
            EXPECT_EQ(
                t.sim.platform.messages()[0],
                messageText(Message::saveNotVerified,
                            {t.bar.state().settingsPath, messageText(Message::wouldNotReadBack)}));
        }
        EXPECT_FALSE(t.sim.platform.ended());
        EXPECT_EQ(t.disk(), clearedFile());
    }
}

}  // namespace
}  // namespace quevor::testing
