// The bar from the keyboard: the focus, what each key does with it, and where menus open.

#include "bar_fixture.h"

namespace quevor::testing {
namespace {

struct Press {
    Key key;
    int16 shift = 0;
};
const Press L{Key::left}, R{Key::right}, Tab{Key::tab}, BackTab{Key::tab, kShiftHeld},
    Enter{Key::enter}, Space{Key::space}, Del{Key::del}, Apps{Key::menu},
    ShiftF10{Key::f10, kShiftHeld}, F10{Key::f10}, CtrlL{Key::left, kControlHeld},
    CtrlR{Key::right, kControlHeld}, AltR{Key::right, kAltHeld}, ShiftEnter{Key::enter, kShiftHeld};
Press digit(int n) { return {digitKey(n), 0}; }

TEST(KeyboardTest, KeysMoveTheFocusAndDoWhatTheMouseDoesThere) {
    struct Row {
        const char* programs;  // on the bar at start, in slot order
        std::vector<Press> keys;
        const char* used;  // y or n for each key
        std::vector<sim::SimMenu::Answer> answers;
        const char* focus;    // the key showing it, "add" or ""
        const char* started;  // programs
        const char* shown;    // programs, in toolbar order
        const char* menus;    // the menus' openings
    };
    const auto remove = MenuItem::remove;
    // clang-format off
    const Row rows[] = {
        // Until a key shows the focus, nothing is pressed, removed or moved by a stray key.
        {"a b", {Enter, Space, Del, CtrlR, F10, AltR, digit(3)}, "nnnnnnn", {}, "", "", "a b", ""},
        // The first key shows it at the end it moves from; it stops at the ends.
        {"a b c", {R}, "y", {}, "k11", "", "a b c", ""},
        {"a b c", {R, R, R, R, R}, "yyyyy", {}, "add", "", "a b c", ""},
        {"a b c", {L, L, L, L, Tab}, "yyyyy", {}, "k12", "", "a b c", ""},
        {"a b c", {BackTab, BackTab}, "yy", {}, "k13", "", "a b c", ""},
        {"p1..p15", {L, R}, "yy", {}, "k115", "", "p1..p15", ""},
        // Enter and Space click the focused program; digits start by place on screen, 0 the tenth.
        {"a b c", {R, R, Enter, ShiftEnter, L, Space}, "yyynyy", {}, "k11", "b a", "a b c", ""},
        {"p1..p12", {digit(0), digit(1), digit(9)}, "yyy", {}, "", "p10 p1 p9", "p1..p12", ""},
        // Ctrl+arrows move the focused program as a drag does; the focus goes with it.
        {"a b c", {R, CtrlR, CtrlR, CtrlR, digit(1), digit(4)}, "yyyyyn", {}, "k11", "b", "b c a", ""},
        {"a b c", {L, CtrlR, L, CtrlR, CtrlL}, "ynyyy", {}, "k13", "", "a c b", ""},
        // Delete opens the program's menu beside it with its removal selected: the button that
        // takes its place, or the add button after the last, has the focus then.
        {"a b c", {R, R, Del}, "yyy", {remove}, "k13", "", "a c", "toolbar 2 selecting remove"},
        {"a b c", {L, L, Del, Del}, "yyyn", {remove}, "add", "", "a b", "toolbar 3 selecting remove"},
        {"a", {R, Del, Del}, "yyn", {remove}, "add", "", "", "toolbar 1 selecting remove"},
        // The menu key and Shift+F10: the menu beside the focus, showing it first.
        {"a b", {ShiftF10}, "y", {std::nullopt}, "k11", "", "a b", "toolbar 1"},
        {"a b", {L, Apps}, "yy", {MenuItem::minimise}, "add", "", "a b", "add"},
    };
    // clang-format on
    for (const Row& row : rows) {
        std::string used;
        for (const Press& press : row.keys)
            used += std::to_string(static_cast<int>(press.key)) + " ";
        SCOPED_TRACE(std::string(row.programs) + ", keys " + used);
        Rig t(savedFile(paths(row.programs)), paths(row.programs));
        t.sim.menu.answers.assign(row.answers.begin(), row.answers.end());
        t.sim.log.calls.clear();
        used.clear();
        for (const Press& press : row.keys) used += t.bar.onKey(press.key, press.shift) ? 'y' : 'n';
        EXPECT_EQ(used, row.used);
        EXPECT_EQ(toUtf8(t.sim.toolbar.focused()) + (t.sim.addButton.focused() ? "add" : ""),
                  row.focus);
        Texts started;
        for (const auto& word : words(row.started))
            started.push_back(u"C:\\" + ascii(word) + u".exe");
        EXPECT_EQ(t.sim.platform.started(), started);
        EXPECT_EQ(t.shown(), tips(row.shown));
        std::string menus;
        for (const std::string& call : t.sim.log.calls) {
            if (call.rfind("menu.popup at ", 0) == 0)
                menus += (menus.empty() ? "" : "; ") + call.substr(14);
        }
        EXPECT_EQ(menus, row.menus);
        EXPECT_TRUE(t.sim.menu.answers.empty());
    }
}

// Enter on the add button adds as its click does; the add that shows the fifteenth program puts
// the add button outside the window, and the focus moves to that program.
TEST(KeyboardTest, TheFocusLeavesTheAddButtonWhenItLeavesTheWindow) {
    for (const char* last : {"p14", "p15"}) {
        SCOPED_TRACE(last);
        const std::string before = last == std::string("p15") ? "p1..p14" : "p1..p13";
        Rig t(savedFile(paths(before)), paths(before + " " + last));
        t.bar.onKey(Key::left, 0);
        t.sim.dialog.answers.assign(1, u"C:\\" + ascii(last) + u".exe");
        EXPECT_TRUE(t.bar.onKey(Key::enter, 0));
        EXPECT_EQ(t.shown(), tips(before + " " + last));
        EXPECT_EQ(toUtf8(t.sim.toolbar.focused()), last == std::string("p15") ? "k115" : "");
        EXPECT_EQ(t.sim.addButton.focused(), last != std::string("p15"));
    }
}

}  // namespace
}  // namespace quevor::testing
