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

// A quit or clear whose file cannot be written (or its new text verified) keeps the bar open as
// it was and the file as it was, saying why and that choosing the item again tries again. Then
// it lands; the clear only then resets the bar.
TEST(MenuTest, AQuitOrClearThatCannotWriteKeepsTheBarAndTheFileTillItLands) {
    const struct {
        MenuItem item;
        bool verifiable;  // else the width is one no file can hold
        Message notSaved;
    } rows[] = {{MenuItem::quit, true, Message::notSavedQuit},
                {MenuItem::quit, false, Message::notSavedQuit},
                {MenuItem::clear, true, Message::notSavedClear}};
    for (const auto& row : rows) {
        SCOPED_TRACE(menuItemInfo(row.item).name);
        const std::string file = savedFile({"C:\\a.exe"}, "1785", "1170");
        Rig t(file, {"C:\\a.exe"});
        t.files.failOnWrite = 1;
        if (!row.verifiable) t.sim.window.setWidth(std::numeric_limits<float>::infinity());
        const float width = t.sim.window.width();
        const auto expectBar = [&](bool cleared) {
            EXPECT_EQ(t.disk(), cleared ? clearedFile() : file);
            EXPECT_EQ(t.shown(), cleared ? Texts{} : tips("a"));
            EXPECT_EQ(t.bar.state().cleared, cleared);
            EXPECT_EQ(t.sim.menu.visible(MenuItem::clear), !cleared);
            EXPECT_EQ(t.sim.window.width(), cleared ? 735.0f : width);
            EXPECT_EQ(t.sim.addButton.left(), cleared ? 0.0f : 1170.0f);
        };
        t.choose(row.item);
        const std::u16string& path = t.bar.state().settingsPath;
        const std::u16string why =
            row.verifiable ? u"Disk full: " + path
                           : messageText(Message::saveNotVerified,
                                         {path, messageText(Message::wouldNotReadBack)});
        EXPECT_EQ(t.sim.platform.messages(), Texts{messageText(row.notSaved, {why})});
        EXPECT_FALSE(t.sim.platform.ended());
        expectBar(false);
        if (!row.verifiable) continue;
        t.files.failOnWrite = 0;
        t.choose(row.item);
        EXPECT_EQ(t.files.writes.size(), 1u);
        EXPECT_TRUE(t.sim.platform.ended());
        expectBar(row.item == MenuItem::clear);
    }
}

// The session's end saves what a quit would, once something it saves has changed, and never
// says anything: a file it cannot write stays as it was.
TEST(MenuTest, SessionEndSavesAsTheQuitOnlyAfterAChange) {
    const std::pair<const char*, void (*)(Rig&)> changes[] = {
        {"nothing", [](Rig&) {}},
        {"an add", [](Rig& t) { t.add(u"C:\\b.exe"); }},
        {"a removal", [](Rig& t) { t.choose(MenuItem::remove, u"k11"); }},
        {"a move", [](Rig& t) { t.sim.window.userMove(-120, 2000); }},
        {"the title bar", [](Rig& t) { t.choose(MenuItem::hideTitleBar); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        const std::string file = savedFile({"C:\\a.exe"}, "1785", "1170");
        Rig ended(file, {"C:\\a.exe", "C:\\b.exe"}), quit(file, {"C:\\a.exe", "C:\\b.exe"});
        change(ended);
        change(quit);
        quit.choose(MenuItem::quit);
        for (int i = 0; i < 2; ++i) ended.bar.onSessionEnd();  // the second has nothing new
        const bool changed = std::string(name) != "nothing";
        EXPECT_EQ(ended.files.writes.size(), changed ? 1u : 0u);
        const std::string saved = changed ? quit.disk() : file;
        EXPECT_EQ(ended.disk(), saved);
        ended.files.failOnWrite = static_cast<int>(ended.files.writes.size()) + 1;
        ended.sim.window.userMove(15, 15);
        ended.bar.onSessionEnd();
        EXPECT_TRUE(ended.sim.platform.messages().empty());
        EXPECT_EQ(ended.disk(), saved);
    }
}

}  // namespace
}  // namespace quevor::testing
