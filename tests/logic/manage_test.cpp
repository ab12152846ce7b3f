// Adding, dropping, removing, moving and forgetting programs, alone and mixed, with gaps and
// full bars: what the bar shows and says, the file after quit and what the next start shows.

#include <algorithm>
#include <functional>

#include "bar_fixture.h"
#include "core/messages.h"
#include "slots/add_program.h"

namespace quevor::testing {
namespace {

// The file a bar saves: the window and the add button follow the programs stored, missing ones
// too, except that the fifteenth takes its step back off the window.
std::string saved(const std::string& stored) {
    const auto programs = words(stored);
    const auto n = std::count_if(programs.begin(), programs.end(),
                                 [](const std::string& word) { return word != "."; });
    return savedFile(paths(stored), std::to_string(735 + 585 * std::min<std::ptrdiff_t>(n, 14)),
                     std::to_string(585 * n));
}

const std::u16string kFull = messageText(Message::barFull);

std::u16string cannotAdd(const std::u16string& named, Message reason,
                         std::u16string_view arg = {}) {
    return messageText(Message::cannotAdd, {named, messageText(reason, {arg})});
}
std::u16string program(const std::u16string& path) {
    return messageText(Message::namedProgram, {path});
}

TEST(ManageTest, TheBarStoresWhatItShowsAndTheNextStartShowsItAgain) {
    struct Row {
        const char* name;
        std::string stored, present;
        std::function<void(Rig&)> act;
        std::string shown;
        Texts messages;
        std::string saved;
    };
    // clang-format off
    const Row rows[] = {
        {"a cancel adds nothing; a refused choice says why, naming it, and the next click asks",
         "", "later b",
         [](Rig& t) {
             t.sim.platform.removeProgram(u"C:\\later.exe");
             t.sim.platform.declareShortcut(u"C:\\later.lnk", u"C:\\later.exe");
             t.add(u""); t.add(u"C:\\a=b.exe"); t.add(u"C:\\later.exe");
             t.bar.onDrop({u"C:\\later.lnk"}); t.add(u"C:\\b.exe");
             t.sim.platform.declareProgram(u"C:\\later.exe"); t.add(u"C:\\later.exe");
         }, "b later",
         {cannotAdd(program(u"C:\\a=b.exe"), Message::pathHoldsKey, u"="),
          cannotAdd(program(u"C:\\later.exe"), Message::programMissing),
          cannotAdd(messageText(Message::namedShortcut, {u"C:\\later.lnk", u"C:\\later.exe"}),
                    Message::programMissing)},
         "b later"},
        {"remove after a move", "a b c", "a b c",
         [](Rig& t) { t.bar.onProgramButtonDrag(u"k11", 3); t.choose(MenuItem::remove, u"k12"); },
         "c a", {}, "c . a"},
        {"add after remove fills the freed slot at its place", "a b c", "a b c d",
         [](Rig& t) { t.choose(MenuItem::remove, u"k12"); t.add(u"C:\\d.exe"); }, "a d c", {},
         "a d c"},
        {"a path from a hand-edited file that only its own slot can hold is not moved", "a x=y",
         "a x=y", [](Rig& t) { t.bar.onProgramButtonDrag(u"k12", 1); }, "a x=y",
         {messageText(Message::cannotMove,
                      {u"C:\\x=y.exe", messageText(Message::pathHoldsKey, {u"="})})},
         "a x=y"},
        {"a drop adds each file as the dialog would, a shortcut as its target", "a", "a d e",
         [](Rig& t) {
             t.sim.platform.declareShortcut(u"C:\\E.LNK", u"C:\\e.exe");
             t.sim.platform.declareShortcut(u"C:\\docs.lnk", u"C:\\Docs");
             t.bar.onDrop({u"C:\\d.exe", u"C:\\x.txt", u"C:\\E.LNK", u"C:\\docs.lnk",
                           u"C:\\broken.lnk"});
         }, "a d e",
         {cannotAdd(program(u"C:\\x.txt"), Message::pathNotAProgram),
          cannotAdd(messageText(Message::namedShortcut, {u"C:\\docs.lnk", u"C:\\Docs"}),
                    Message::pathNotAProgram),
          cannotAdd(program(u"C:\\broken.lnk"), Message::shortcutUnreadable)},
         "a d e"},
        {"a drop that fills the bar says once that the rest did not fit; then add and drop only say so",
         "p1 p2 . p4 p5 p6 p7 p8 p9 p10 p11 p12 p13 p14 p15", "p1..p17",
         [](Rig& t) {
             t.bar.onDrop({u"C:\\p3.exe", u"C:\\p16.exe", u"C:\\p17.exe"});
             t.add(u"C:\\p16.exe"); t.bar.onDrop({u"C:\\p16.exe"});
         }, "p1..p15", {kFull, kFull, kFull}, "p1..p15"},
        {"a full bar names its missing programs; forgetting them frees their slots",
         "p1 p2 gone p4 p5 p6 p7 p8 p9 p10 p11 p12 p13 p14 gone15", "p1..p14 new",
         [](Rig& t) {
             t.add(u"C:\\new.exe"); t.choose(MenuItem::forgetMissing); t.add(u"C:\\new.exe");
         },
         "p1 p2 new p4 p5 p6 p7 p8 p9 p10 p11 p12 p13 p14",
         {messageText(Message::barFullWithMissing,
                      {u"「C:\\gone.exe」、「C:\\gone15.exe」", u"見つからない項目を削除"})},
         "p1 p2 new p4 p5 p6 p7 p8 p9 p10 p11 p12 p13 p14 ."},
        // A missing program counts as shown: the add that fills the bar takes its step back,
        // a remove from the full bar keeps the width, and forgetting leaves the bar as any of
        // fourteen buttons.
        {"the window and the add button follow the programs stored, missing ones too",
         "p1..p13 gone", "p1..p13 new",
         [](Rig& t) {
             t.add(u"C:\\new.exe"); t.choose(MenuItem::remove, u"k11"); t.add(u"C:\\p1.exe");
             t.choose(MenuItem::forgetMissing);
         }, "p1..p13 new", {}, "p1..p13 . new"},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto present = paths(row.present);
        Rig t(saved(row.stored), present);
        row.act(t);
        if (t.sim.dialog.opened() > 0) {
            EXPECT_EQ(t.sim.dialog.lastFilter(), kProgramFilter);
        }

        EXPECT_EQ(t.shown(), tips(row.shown));
        EXPECT_EQ(t.sim.platform.messages(), row.messages);
        t.choose(MenuItem::quit);
        const std::string& file = t.disk();
        EXPECT_EQ(file, saved(row.saved));

        EXPECT_EQ(Rig(file, present).shown(), tips(row.shown));
    }
}

TEST(ManageTest, TheMenuOffersRemoveOnAProgramButtonAndForgetOnlyOnAFullBarWithMissing) {
    using enum MenuItem;
    const std::vector<MenuItem> usual = {
        quit, clear, separator, minimise, hideTitleBar, startupSeparator, startWithWindows};
    const auto with = [&](std::vector<MenuItem> first) {
        first.insert(first.end(), usual.begin(), usual.end());
        return first;
    };
    const struct {
        const char* stored;
        const char16_t* pressed;  // a button's key, "add" or nullptr: the toolbar's empty part
        std::vector<MenuItem> offered;
        const char16_t* removeCaption;
    } rows[] = {
        {"b", u"k11", with({remove, openFolder, runAsAdmin}), u"「b.exe」を削除"},
        {"b", nullptr, usual, u"を削除"},
        {"gone b", u"add", usual, u"を削除"},
        {"p1..p15", nullptr, usual, u"を削除"},
        {"gone p2 p3 p4 p5 p6 p7 p8 p9 p10 p11 p12 p13 p14 p15", u"k12",
         with({remove, openFolder, runAsAdmin, forgetMissing}), u"「p2.exe」を削除"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored);
        Rig t(saved(row.stored), paths("b p1..p15"));
        std::vector<MenuItem> offered;
        t.sim.menu.answerer = [&] {
            offered = t.sim.menu.visibleItems();
            return sim::SimMenu::Answer();
        };
        // The left and middle buttons open no menu, the right one does.
        for (const int16 button : {int16{1}, int16{4}, int16{2}}) {
            if (!row.pressed)
                t.bar.onToolbarMouseDown(button, 0, 0, 0);
            else if (row.pressed == std::u16string_view(u"add"))
                t.bar.onAddButtonMouseDown(button, 0, 0, 0);
            else
                t.bar.onProgramButtonMouseDown(row.pressed, button, 0, 0, 0);
        }
        EXPECT_EQ(t.sim.menu.popups(), 1);
        EXPECT_EQ(offered, row.offered);
        EXPECT_EQ(t.sim.menu.caption(remove), row.removeCaption);
        EXPECT_EQ(t.sim.menu.visibleItems(), usual);  // offered only while the menu is open
    }
}

}  // namespace
}  // namespace quevor::testing
