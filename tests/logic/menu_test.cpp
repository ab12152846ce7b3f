// The menu's commands that end the bar, quit and clear, and the session's end that saves as the
// quit does.

#include "bar_fixture.h"
#include "core/messages.h"

namespace quevor::testing {
namespace {

// A quit or clear whose file cannot be written keeps the bar open as it was and the file as it
// was, saying why and that choosing the item again tries again. Then it lands; the clear only
// then resets the bar.
TEST(MenuTest, AQuitOrClearThatCannotWriteKeepsTheBarAndTheFileTillItLands) {
    const std::pair<MenuItem, Message> rows[] = {{MenuItem::quit, Message::notSavedQuit},
                                                 {MenuItem::clear, Message::notSavedClear}};
    for (const auto& [item, notSaved] : rows) {
        SCOPED_TRACE(menuItemInfo(item).name);
        const std::string file = savedFile({"C:\\a.exe"}, "1785", "1170");
        Rig t(file, {"C:\\a.exe"});
        const auto expectBar = [&t, &file](bool cleared) {
            EXPECT_EQ(t.disk(), cleared ? clearedFile() : file);
            EXPECT_EQ(t.shown(), cleared ? Texts{} : tips("a"));
            EXPECT_EQ(t.bar.state().cleared, cleared);
            EXPECT_EQ(t.sim.menu.visible(MenuItem::clear), !cleared);
            EXPECT_EQ(t.sim.window.width(), cleared ? 735.0f : 1785.0f);
            EXPECT_EQ(t.sim.addButton.left(), cleared ? 0.0f : 1170.0f);
        };
        t.files.failOnWrite = 1;
        t.choose(item);
        const std::u16string why = u"Disk full: " + t.bar.state().settingsPath;
        EXPECT_EQ(t.sim.platform.messages(), Texts{messageText(notSaved, {why})});
        EXPECT_FALSE(t.sim.platform.ended());
        expectBar(false);
        t.files.failOnWrite = 0;
        t.choose(item);
        EXPECT_EQ(t.files.writes.size(), 1u);
        EXPECT_TRUE(t.sim.platform.ended());
        expectBar(item == MenuItem::clear);
    }
}

// The session's end saves what the quit saves (the window as shown, minimised or not), once
// something saved has changed: a second end with nothing new writes nothing. It says nothing
// when the file cannot be written.
TEST(MenuTest, SessionEndSavesAsTheQuitOnlyAfterAChange) {
    const std::string file = savedFile({"C:\\a.exe"}, "1785", "1170");
    // clang-format off
    const std::tuple<const char*, void (*)(Rig&), std::string> rows[] = {
        {"nothing", [](Rig&) {}, file},
        {"a removal", [](Rig& t) { t.choose(MenuItem::remove, u"k11"); }, savedFile({}, "1200", "585")},
        {"the title bar, a move, a minimise", [](Rig& t) {
             t.choose(MenuItem::hideTitleBar);
             t.sim.window.userMove(-120, 2000);
             t.choose(MenuItem::minimise);
             EXPECT_TRUE(t.sim.window.minimized());
         }, savedFile({"C:\\a.exe"}, "1320", "1170", "1", "X:-120Y:2000")},
    };
    // clang-format on
    for (const auto& [name, change, saved] : rows) {
        SCOPED_TRACE(name);
        Rig t(file, {"C:\\a.exe", "C:\\b.exe"});
        change(t);
        t.files.failOnWrite = 1;
        t.bar.onSessionEnd();
        EXPECT_TRUE(t.sim.platform.messages().empty());
        EXPECT_EQ(t.disk(), file);
        t.files.failOnWrite = 0;
        for (int i = 0; i < 2; ++i) t.bar.onSessionEnd();
        EXPECT_EQ(t.files.writes.size(), saved == file ? 0u : 1u);
        EXPECT_EQ(t.disk(), saved);
        t.choose(MenuItem::quit);
        EXPECT_EQ(t.disk(), saved);
    }
}

}  // namespace
}  // namespace quevor::testing
