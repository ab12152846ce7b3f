// The menu's commands that end or keep the bar: minimise, quit, clear.

#include <limits>

#include "bar_fixture.h"
#include "core/messages.h"
#include "shell/save_source.h"

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

// A quit or clear whose file cannot be written (or its new text verified) keeps the bar open as
// it was and the file as it was, says why and that choosing the item again tries again; then
// it lands.
TEST(MenuTest, AQuitOrClearThatCannotWriteKeepsTheBarAndTheFile) {
    const std::u16string diskFull = u"Disk full: " + kSettingsPath;
    const std::u16string unverified = messageText(
        Message::saveNotVerified, {kSettingsPath, messageText(Message::wouldNotReadBack)});
    const struct {
        MenuItem item;
        bool verifiable;  // else the width is one no file can hold
        std::u16string said;
    } rows[] = {
        {MenuItem::quit, true, messageText(Message::notSavedQuit, {diskFull})},
        {MenuItem::quit, false, messageText(Message::notSavedQuit, {unverified})},
        {MenuItem::clear, true, messageText(Message::notSavedClear, {diskFull})},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(menuItemInfo(row.item).name);
        Rig t(savedFile({"C:\\a.exe"}, "1785", "1170"), {"C:\\a.exe"});
        t.files.failOnWrite = row.verifiable ? 1 : 0;
        if (!row.verifiable) t.sim.window.setWidth(std::numeric_limits<float>::infinity());
        const SaveValues before = valuesToSave(t.sim.toolkit(), t.bar.state());
        t.choose(row.item);
        EXPECT_EQ(t.sim.platform.messages(), Texts{row.said});
        EXPECT_FALSE(t.sim.platform.ended());
        EXPECT_EQ(t.disk(), savedFile({"C:\\a.exe"}, "1785", "1170"));
        EXPECT_TRUE(valuesToSave(t.sim.toolkit(), t.bar.state()) == before);
        EXPECT_EQ(t.shown(), tips("a"));
        EXPECT_TRUE(t.sim.menu.visible(MenuItem::clear));
        if (!row.verifiable) continue;
        t.files.failOnWrite = 0;
        t.choose(row.item);
        EXPECT_EQ(t.files.writes.size(), 1u);
        EXPECT_TRUE(t.sim.platform.ended());
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
