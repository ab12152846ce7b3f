// Program files that answer late (a sleeping drive): the bar goes on meanwhile, and once the
// answers are in it stands, says and saves exactly what it would had they come at once.

#include <algorithm>
#include <cstddef>
#include <functional>

#include "bar_fixture.h"
#include "core/messages.h"

namespace quevor::testing {
namespace {

std::string saved(const std::string& stored, int buttons) {
    return savedFile(paths(stored), std::to_string(735 + 585 * buttons),
                     std::to_string(585 * buttons));
}

// The buttons' tooltips, "?" before those still showing the neutral icon.
Texts marked(const Rig& t) {
    Texts out;
    for (const auto& button : t.sim.toolbar.buttons())
        out.push_back((t.sim.toolbar.showsNeutral(button) ? u"?" : u"") + button.toolTip);
    return out;
}

TEST(LateAnswerTest, TheBarWorksMeanwhileAndEndsAsIfTheAnswersHadComeAtOnce) {
    struct Row {
        const char* name;
        std::string stored;
        int storedButtons;
        std::string present, held;
        std::function<void(Rig&)> meanwhile;
        Texts shownMeanwhile;
    };
    // clang-format off
    const Row rows[] = {
        {"a stored program found late gets its icon in place", "a b c", 3, "a b c", "b",
         [](Rig&) {}, {u"a.exe", u"?b.exe", u"c.exe"}},
        {"one found missing leaves its button's place and keeps its slot", "a b c", 3, "a c", "b",
         [](Rig&) {}, {u"a.exe", u"?b.exe", u"c.exe"}},
        {"a waiting button is moved, and another program added meanwhile", "a b c", 3, "a b c d",
         "a", [](Rig& t) { t.bar.onProgramButtonDrag(u"k11", 3); t.add(u"C:\\d.exe"); },
         {u"b.exe", u"c.exe", u"?a.exe", u"d.exe"}},
        {"a waiting button removed: its answer changes nothing", "a b", 2, "a b", "b",
         [](Rig& t) { t.choose(MenuItem::remove, u"k12"); }, {u"a.exe"}},
        {"adds complete in the order asked for: the next waits for one not answered", "a", 1,
         "a x y", "x", [](Rig& t) { t.add(u"C:\\x.exe"); t.add(u"C:\\y.exe"); }, {u"a.exe"}},
        {"an add found missing late says so, and the next takes its slot", "a", 1, "a y", "x",
         [](Rig& t) {
             t.bar.onDrop({u"C:\\x.exe", u"C:\\x.txt"}); t.add(u"C:\\y.exe");
         }, {u"a.exe"}},
        {"the drop that fills the bar, late: the rest of it is left, once",
         "p1..p13", 13, "p1..p16", "p14",
         [](Rig& t) {
             t.bar.onDrop({u"C:\\p14.exe", u"C:\\p15.exe", u"C:\\p16.exe", u"C:\\p17.exe"});
             t.add(u"C:\\p16.exe");
         }, tips("p1..p13")},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto present = paths(row.present);
        const std::string file = saved(row.stored, row.storedButtons);
        Rig fast(file, present);
        row.meanwhile(fast);

        Rig late(file, present, false);
        for (const auto& path : paths(row.held)) late.sim.platform.hold(ascii(path));
        late.bar.start();
        row.meanwhile(late);
        EXPECT_EQ(marked(late), row.shownMeanwhile);
        for (const auto& path : paths(row.held)) late.sim.platform.release(ascii(path));

        EXPECT_EQ(marked(late), marked(fast));
        EXPECT_EQ(late.sim.platform.messages(), fast.sim.platform.messages());
        EXPECT_EQ(late.sim.window.width(), fast.sim.window.width());
        EXPECT_EQ(late.sim.addButton.left(), fast.sim.addButton.left());
        for (Rig* t : {&fast, &late}) t->choose(MenuItem::quit);
        EXPECT_EQ(late.disk(), fast.disk());
        EXPECT_EQ(late.sim.platform.liveIcons(), 0);
    }
}

// A program whose file has not answered is saved as stored, and a start still waiting for its
// answer when the bar quits starts nothing. (A late start's outcome: the driver's table.)
TEST(LateAnswerTest, AQuitWhileFilesHaveNotAnswered) {
    const std::string file = saved("a b", 2);
    Rig t(file, paths("a b"), false);
    t.sim.platform.hold(u"C:\\a.exe");
    t.bar.start();
    t.sim.platform.hold(u"C:\\b.exe");
    t.bar.onProgramButtonClick(u"k12");
    t.choose(MenuItem::quit);
    EXPECT_EQ(t.disk(), file);
    EXPECT_TRUE(t.sim.platform.started().empty());
}

// A new display scale asks every button's program for its icon again; an answer for a button
// removed meanwhile, or one saying the file has gone, leaves the bar as it is.
TEST(LateAnswerTest, ANewScaleAsksForEveryIconAgain) {
    Rig t(saved("a b c", 3), paths("a b c"));
    const auto setImages = [&] {  // for k11, k12, k13
        std::vector<std::ptrdiff_t> counts;
        for (const char* key : {"k11", "k12", "k13"}) {
            counts.push_back(std::count(t.sim.log.calls.begin(), t.sim.log.calls.end(),
                                        std::string("toolbar.setImage ") + key));
        }
        return counts;
    };
    t.bar.onScaleChanged();
    EXPECT_EQ(setImages(), (std::vector<std::ptrdiff_t>{1, 1, 1}));
    for (const char16_t* path : {u"C:\\a.exe", u"C:\\b.exe"}) t.sim.platform.hold(path);
    t.bar.onScaleChanged();
    t.choose(MenuItem::remove, u"k11");
    t.sim.platform.removeProgram(u"C:\\b.exe");
    for (const char16_t* path : {u"C:\\a.exe", u"C:\\b.exe"}) t.sim.platform.release(path);
    EXPECT_EQ(setImages(), (std::vector<std::ptrdiff_t>{1, 1, 2}));
    EXPECT_EQ(t.shown(), tips("b c"));
    EXPECT_EQ(t.sim.platform.liveIcons(), 0);
}

}  // namespace
}  // namespace quevor::testing
