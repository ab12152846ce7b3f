// Adding, dropping, removing, moving and forgetting programs, alone and mixed, with gaps and
// full bars: what the bar shows and says, the file after quit and what the next start shows.

#include <algorithm>
#include <functional>

#include "bar_fixture.h"
#include "core/messages.h"
#include "slots/add_program.h"

namespace quevor::testing {
namespace {

// The file a bar of n buttons saves: the window and the add button follow the buttons, except
// that the fifteenth takes its step back off the window.
std::string saved(const std::string& stored, int n) {
    return savedFile(paths(stored), std::to_string(735 + 585 * std::min(n, 14)),
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
    const auto remove = [](const char16_t* key) {
        return [=](Rig& t) { t.choose(MenuItem::remove, key); };
    };
    const auto drag = [](const char16_t* key, int16 to) {
        return [=](Rig& t) { t.bar.onProgramButtonDrag(key, to); };
    };
    const auto drop = [](Texts files) { return [=](Rig& t) { t.bar.onDrop(files); }; };
    // clang-format off
    const Row rows[] = {
        {"a cancel adds nothing, the next click asks again", "", "a",
         [](Rig& t) { t.add(u""); t.add(u"C:\\a.exe"); }, "a", {}, "a"},
        {"a refused choice says why and leaves nothing pending", "", "a",
         [](Rig& t) { t.add(u"C:\\a=b.exe"); t.add(u"C:\\a.exe"); }, "a",
         {cannotAdd(program(u"C:\\a=b.exe"), Message::pathHoldsKey, u"=")}, "a"},
        {"a choice without an icon waits; the next clicks retry it without the dialog", "",
         "later b",
         [](Rig& t) {
             t.sim.platform.removeProgram(u"C:\\later.exe");
             t.add(u"C:\\later.exe"); t.add(u"C:\\b.exe");
             t.sim.platform.declareProgram(u"C:\\later.exe");
             t.add(u"C:\\b.exe"); t.add(u"C:\\b.exe");
         }, "later b", {}, "later b"},
        {"the fifteenth add takes no width, leaving the add button outside", "", "p1..p15",
         [](Rig& t) {
             for (int n = 1; n <= 15; ++n) t.add(u"C:\\p" + ascii(std::to_string(n)) + u".exe");
         }, "p1..p15", {}, "p1..p15"},
        {"remove closes up, moves the add button left, narrows the window", "a b c", "a b c",
         remove(u"k12"), "a c", {}, "a . c"},
        {"a move is stored in the order shown", "a b c", "a b c", drag(u"k13", 1), "c a b", {},
         "c a b"},
        {"remove after a move", "a b c", "a b c",
         [](Rig& t) { t.bar.onProgramButtonDrag(u"k11", 3); t.choose(MenuItem::remove, u"k12"); },
         "c a", {}, "c . a"},
        {"add after remove fills the freed slot at its place", "a b c", "a b c d",
         [](Rig& t) { t.choose(MenuItem::remove, u"k12"); t.add(u"C:\\d.exe"); }, "a d c", {},
         "a d c"},
        {"a path from a hand-edited file that only its own slot can hold is not moved", "a x=y",
         "a x=y", drag(u"k12", 1), "a x=y",
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
        {"a drop that fills the bar says once that the rest did not fit",
         "p1 p2 . p4 p5 p6 p7 p8 p9 p10 p11 p12 p13 p14 p15", "p1..p17",
         drop({u"C:\\p3.exe", u"C:\\p16.exe", u"C:\\p17.exe"}), "p1..p15", {kFull}, "p1..p15"},
        {"a full bar without missing programs: add and drop only say so", "p1..p15", "p1..p16",
         [](Rig& t) { t.add(u"C:\\p16.exe"); t.bar.onDrop({u"C:\\p16.exe"}); }, "p1..p15",
         {kFull, kFull}, "p1..p15"},
        {"removing from a full bar keeps its width, the add button comes back", "p1..p15",
         "p1..p15", remove(u"k115"), "p1..p14", {}, "p1..p14"},
        {"a full bar names its missing programs; forgetting them frees their slots",
         "p1 p2 gone p4 p5 p6 p7 p8 p9 p10 p11 p12 p13 p14 gone15", "p1..p14 new",
         [](Rig& t) {
             t.add(u"C:\\new.exe"); t.choose(MenuItem::forgetMissing); t.add(u"C:\\new.exe");
         },
         "p1 p2 new p4 p5 p6 p7 p8 p9 p10 p11 p12 p13 p14",
         {messageText(Message::barFullWithMissing,
                      {u"「C:\\gone.exe」、「C:\\gone15.exe」", u"見つからない項目を削除"})},
         "p1 p2 new p4 p5 p6 p7 p8 p9 p10 p11 p12 p13 p14 ."},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto present = paths(row.present), stored = paths(row.stored);
        const auto before = std::count_if(present.begin(), present.end(), [&](const auto& path) {
            return std::find(stored.begin(), stored.end(), path) != stored.end();
        });
        Rig t(saved(row.stored, static_cast<int>(before)), present);
        row.act(t);
        if (t.sim.dialog.opened() > 0) {
            EXPECT_EQ(t.sim.dialog.lastFilter(), kProgramFilter);
        }

        EXPECT_EQ(t.shown(), tips(row.shown));
        EXPECT_EQ(t.sim.platform.messages(), row.messages);
        t.choose(MenuItem::quit);
        const std::string& file = t.files.files.at(kSettingsPath);
        EXPECT_EQ(file, saved(row.saved, static_cast<int>(words(row.shown).size())));

        EXPECT_EQ(Rig(file, present).shown(), tips(row.shown));
    }
}

TEST(ManageTest, TheMenuOffersRemoveOnAProgramButtonAndForgetOnlyOnAFullBarWithMissing) {
    using enum MenuItem;
    const std::vector<MenuItem> usual = {quit, clear, separator, minimise, hideTitleBar};
    const struct {
        const char* stored;
        const char16_t* pressed;  // a button's key, "add" or nullptr: the toolbar's empty part
        std::vector<MenuItem> offered;
        const char16_t* removeCaption;
    } rows[] = {
        {"b", u"k11", {remove, quit, clear, separator, minimise, hideTitleBar}, u"「b.exe」を削除"},
        {"b", nullptr, usual, u"を削除"},
        {"gone b", u"add", usual, u"を削除"},
        {"p1..p15", nullptr, usual, u"を削除"},
        {"gone p2 p3 p4 p5 p6 p7 p8 p9 p10 p11 p12 p13 p14 p15",
         u"k12",
         {remove, forgetMissing, quit, clear, separator, minimise, hideTitleBar},
         u"「p2.exe」を削除"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored);
        Rig t(saved(row.stored, 0), paths("b p1..p15"));
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
