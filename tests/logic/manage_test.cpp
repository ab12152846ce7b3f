// Dropping, removing, moving and forgetting programs, alone and mixed with adds, gaps and full
// bars: what the bar shows, what it says, the file after quit and the next start.

#include <algorithm>
#include <functional>

#include "bar_fixture.h"

namespace quevor::testing {
namespace {

using Paths = std::vector<std::u16string>;

std::vector<std::string> programs(int count, int skip = 0) {
    std::vector<std::string> out;
    for (int n = 1; n <= count; ++n) {
        out.push_back(n == skip ? "" : "C:\\p" + std::to_string(n) + ".exe");
    }
    return out;
}

// A bar started on the file, the programs present.
struct Session : Rig {
    using Rig::Rig;

    // A file storing the paths ("" = empty slot), with the geometry of the bar it was saved
    // from when the programs are present.
    static std::string file(const std::vector<std::string>& stored,
                            const std::vector<std::string>& programs) {
        const auto shown = std::count_if(stored.begin(), stored.end(), [&](const auto& path) {
            return !path.empty() &&
                   std::find(programs.begin(), programs.end(), path) != programs.end();
        });
        const auto full = shown == 15 ? 1 : 0;
        return settingsFile(stored, std::to_string(735 + 585 * (shown - full)),
                            std::to_string(585 * shown));
    }
    void add(const std::u16string& chosen) {
        sim.dialog.answers.assign(1, chosen);
        bar.onAddButtonClick();
    }
    void choose(MenuItem item) {
        sim.menu.answers.push_back(item);
        bar.onToolbarMouseDown(2, 0, 0, 0);
    }
    void remove(const std::u16string& key) {
        sim.menu.answers.push_back(MenuItem::remove);
        bar.onProgramButtonMouseDown(key, 2, 0, 0, 0);
    }
    Paths tips() const {
        Paths out;
        for (const auto& button : sim.toolbar.buttons()) out.push_back(button.toolTip);
        return out;
    }
    Paths missing() const {
        Paths out;
        for (const int slot : bar.state().slots.missingSlots()) {
            out.push_back(bar.state().slots.programPath(slot));
        }
        return out;
    }
    const std::string& disk() { return files.files.at(kSettingsPath); }
};

const std::u16string kFull = u"Cannot add a program: all fifteen slots are taken.";

const std::unique_ptr<TextCodec> cp932 = makeSystemCodec("CP932");

TEST(ManageTest, TheBarStoresWhatItShowsAndTheNextStartShowsItAgain) {
    struct Row {
        const char* name;
        std::vector<std::string> stored;
        std::vector<std::string> present;
        std::function<void(Session&)> act;
        Paths shown;  // tooltips, in on-screen order
        Paths messages;
        std::vector<std::string> saved;  // slot paths after quit, "" = empty
        float width, addLeft;
    };
    const auto p = [](int n) { return u"C:\\p" + ascii(std::to_string(n)) + u".exe"; };
    const std::vector<std::string> abc = {"C:\\a.exe", "C:\\b.exe", "C:\\c.exe"};
    std::vector<std::string> fifteen = programs(15);
    std::vector<std::string> withGone = programs(15);
    withGone[2] = "C:\\gone.exe";
    withGone[8] = "C:\\gone9.exe";
    const std::vector<std::string> fourteenOfFifteen = programs(15, 3);
    std::vector<std::string> afterForget = withGone;
    afterForget[2] = "C:\\new.exe";
    afterForget[8] = "";
    const auto names = [](int count) {
        Paths out;
        for (int n = 1; n <= count; ++n) out.push_back(u"p" + ascii(std::to_string(n)) + u".exe");
        return out;
    };
    Paths namesAfterForget = names(15);
    namesAfterForget[2] = u"new.exe";
    namesAfterForget.erase(namesAfterForget.begin() + 8);
    const Row rows[] = {
        {"an add into a gap shows at its slot's place; nothing moved keeps the bytes",
         {"C:\\a.exe", "", "C:\\c.exe", "C:\\gone.exe"},
         {"C:\\a.exe", "C:\\c.exe", "C:\\n.exe"},
         [](Session& t) { t.add(u"C:\\n.exe"); },
         {u"a.exe", u"n.exe", u"c.exe"},
         {},
         {"C:\\a.exe", "C:\\n.exe", "C:\\c.exe", "C:\\gone.exe"},
         735 + 3 * 585,
         3 * 585},
        {"remove closes up, moves the add button left and narrows the window",
         abc,
         abc,
         [](Session& t) { t.remove(u"k12"); },
         {u"a.exe", u"c.exe"},
         {},
         {"C:\\a.exe", "", "C:\\c.exe"},
         735 + 2 * 585,
         2 * 585},
        {"a move is stored in the order shown",
         abc,
         abc,
         [](Session& t) { t.bar.onProgramButtonDrag(u"k13", 1); },
         {u"c.exe", u"a.exe", u"b.exe"},
         {},
         {"C:\\c.exe", "C:\\a.exe", "C:\\b.exe"},
         735 + 3 * 585,
         3 * 585},
        {"remove after a move",
         abc,
         abc,
         [](Session& t) {
             t.bar.onProgramButtonDrag(u"k11", 3);
             t.remove(u"k12");
         },
         {u"c.exe", u"a.exe"},
         {},
         {"C:\\c.exe", "", "C:\\a.exe"},
         735 + 2 * 585,
         2 * 585},
        {"add after remove fills the freed slot at its place",
         abc,
         {"C:\\a.exe", "C:\\b.exe", "C:\\c.exe", "C:\\d.exe"},
         [](Session& t) {
             t.remove(u"k12");
             t.add(u"C:\\d.exe");
         },
         {u"a.exe", u"d.exe", u"c.exe"},
         {},
         {"C:\\a.exe", "C:\\d.exe", "C:\\c.exe"},
         735 + 3 * 585,
         3 * 585},
        {"a missing program keeps its slot when the others move",
         {"C:\\a.exe", "C:\\gone.exe", "C:\\b.exe"},
         {"C:\\a.exe", "C:\\b.exe"},
         [](Session& t) { t.bar.onProgramButtonDrag(u"k13", 1); },
         {u"b.exe", u"a.exe"},
         {},
         {"C:\\b.exe", "C:\\gone.exe", "C:\\a.exe"},
         735 + 2 * 585,
         2 * 585},
        {"a drop adds each file as the dialog would, a shortcut as its target",
         {"C:\\a.exe"},
         {"C:\\a.exe", "C:\\d.exe", "C:\\e.exe"},
         [](Session& t) {
             t.sim.platform.declareShortcut(u"C:\\E.LNK", u"C:\\e.exe");
             t.sim.platform.declareShortcut(u"C:\\docs.lnk", u"C:\\Docs");
             t.bar.onDrop(
                 {u"C:\\d.exe", u"C:\\x.txt", u"C:\\E.LNK", u"C:\\docs.lnk", u"C:\\broken.lnk"});
         },
         {u"a.exe", u"d.exe", u"e.exe"},
         {u"Cannot add \"C:\\x.txt\": only programs ending in .exe can be added",
          u"Cannot add \"C:\\docs.lnk\" (a shortcut to \"C:\\Docs\"): only programs ending in .exe "
          u"can be added",
          u"Cannot add \"C:\\broken.lnk\": the shortcut cannot be read"},
         {"C:\\a.exe", "C:\\d.exe", "C:\\e.exe"},
         735 + 3 * 585,
         3 * 585},
        {"a drop that fills the bar says once that the rest did not fit",
         fourteenOfFifteen,
         programs(17),
         [&](Session& t) {
             t.bar.onDrop({p(3), p(16), p(17)});
         },
         names(15),
         {kFull},
         fifteen,
         735 + 14 * 585,
         15 * 585},
        {"a full bar without missing programs: add and drop only say so",
         fifteen,
         programs(16),
         [&](Session& t) {
             t.add(p(16));
             t.bar.onDrop({p(16)});
         },
         names(15),
         {kFull, kFull},
         fifteen,
         735 + 14 * 585,
         15 * 585},
        {"removing from a full bar keeps its width and brings the add button back",
         fifteen,
         fifteen,
         [](Session& t) { t.remove(u"k115"); },
         names(14),
         {},
         programs(14),
         735 + 14 * 585,
         14 * 585},
        {"a full bar names its missing programs; forgetting them frees their slots",
         withGone,
         [&] {
             auto files = programs(15, 3);
             files[8] = "C:\\new.exe";
             return files;
         }(),
         [](Session& t) {
             t.add(u"C:\\new.exe");
             t.choose(MenuItem::forgetMissing);
             t.add(u"C:\\new.exe");
         },
         namesAfterForget,
         {kFull + u" Programs that cannot be found hold some of them: \"C:\\gone.exe\", "
                  u"\"C:\\gone9.exe\". Choose 見つからない項目を削除 in the menu to free their slots."},
         afterForget,
         735 + 14 * 585,
         14 * 585},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Session t(*cp932, Session::file(row.stored, row.present), row.present);
        row.act(t);

        EXPECT_EQ(t.tips(), row.shown);
        EXPECT_EQ(t.sim.platform.messages(), row.messages);
        EXPECT_EQ(t.sim.window.width(), row.width);
        EXPECT_EQ(t.sim.addButton.left(), row.addLeft);
        const Paths shown = t.tips();
        const Paths gone = t.missing();
        t.choose(MenuItem::quit);
        EXPECT_EQ(t.disk(), settingsFile(row.saved, std::to_string(static_cast<int>(row.width)),
                                         std::to_string(static_cast<int>(row.addLeft))));

        const Session next(*cp932, t.disk(), row.present);
        EXPECT_EQ(next.tips(), shown);
        EXPECT_EQ(next.missing(), gone);
    }
}

TEST(ManageTest, TheMenuOffersRemoveOnAProgramButtonAndForgetOnlyOnAFullBarWithMissing) {
    struct Row {
        const char* name;
        std::vector<std::string> stored;
        const char16_t* pressed;  // nullptr: the toolbar's empty part
        std::vector<MenuItem> offered;
        const char16_t* removeCaption;
    };
    const std::vector<MenuItem> usual = {MenuItem::quit, MenuItem::clear, MenuItem::separator,
                                         MenuItem::minimise, MenuItem::hideTitleBar};
    auto with = [&](std::vector<MenuItem> first) {
        first.insert(first.end(), usual.begin(), usual.end());
        return first;
    };
    std::vector<std::string> fullWithGone = programs(15);
    fullWithGone[0] = "C:\\gone.exe";
    const Row rows[] = {
        {"program button",
         {"C:\\Tools\\b.exe"},
         u"k11",
         with({MenuItem::remove}),
         u"「b.exe」を削除"},
        {"empty toolbar", {"C:\\Tools\\b.exe"}, nullptr, usual, u"を削除"},
        {"missing program, free slots left",
         {"C:\\gone.exe", "C:\\Tools\\b.exe"},
         nullptr,
         usual,
         u"を削除"},
        {"full bar without missing programs", programs(15), nullptr, usual, u"を削除"},
        {"full bar with a missing program", fullWithGone, u"k12",
         with({MenuItem::remove, MenuItem::forgetMissing}), u"「p2.exe」を削除"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<std::string> present = programs(15);
        present.push_back("C:\\Tools\\b.exe");
        Session t(*cp932, Session::file(row.stored, present), present);
        std::vector<MenuItem> offered;
        t.sim.menu.answerer = [&] {
            offered = t.sim.menu.visibleItems();
            return sim::SimMenu::Answer();
        };
        if (row.pressed) {
            t.bar.onProgramButtonMouseDown(row.pressed, 2, 0, 0, 0);
            t.bar.onProgramButtonMouseDown(row.pressed, 1, 0, 0, 0);  // the left button: no menu
        } else {
            t.bar.onToolbarMouseDown(2, 0, 0, 0);
        }
        EXPECT_EQ(t.sim.menu.popups(), 1);
        EXPECT_EQ(offered, row.offered);
        EXPECT_EQ(t.sim.menu.caption(MenuItem::remove), row.removeCaption);
        // Offered only while the menu is open.
        EXPECT_EQ(t.sim.menu.visibleItems(), usual);
    }
}

}  // namespace
}  // namespace quevor::testing
