// Files dropped on a program's button: opened with it, or added when they are all programs. A
// drop anywhere else adds (manage_test).

#include <functional>

#include "bar_fixture.h"
#include "core/messages.h"

namespace quevor::testing {
namespace {

TEST(OpenWithTest, DocumentsOnAProgramOpenWithItProgramsAreAdded) {
    const std::u16string longest = u"C:\\" + std::u16string(32750, u'x');  // + 13: the limit
    struct Row {
        const char* name;
        Texts drop;
        std::u16string started;  // "PATH PARAMETERS"; "" none
        Texts messages;
        std::string shown;
        std::function<void(Rig&)> before = [](Rig&) {};
    };
    // clang-format off
    const Row rows[] = {
        // CommandLineToArgvW takes backslashes literally except before a quote.
        {"documents among programs, quoted; a shortcut as itself",
         {u"C:\\d.exe", u"C:\\docs.lnk", u"C:\\文書\\メモ 1.txt", u"D:\\"},
         u"C:\\b.exe \"C:\\d.exe\" \"C:\\docs.lnk\" \"C:\\文書\\メモ 1.txt\" \"D:\\\\\"", {}, "a b"},
        {"programs and shortcuts to programs are added", {u"C:\\d.exe", u"C:\\E.LNK"}, u"", {}, "a b d e"},
        {"a program gone since start-up says so as a click does", {u"C:\\n.txt"}, u"",
         {messageText(Message::cannotStart, {u"C:\\b.exe", messageText(Message::programMissing)})}, "a b",
         [](Rig& t) { t.sim.platform.removeProgram(u"C:\\b.exe"); }},
        {"the longest command line starts", {longest}, u"C:\\b.exe \"" + longest + u"\"", {}, "a b"},
        {"one character more is refused", {longest + u"y"}, u"",
         {messageText(Message::parametersTooLong, {u"C:\\b.exe", u"32767", u"32766"})}, "a b"},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Rig t(savedFile(paths("a b")), paths("a b d e"));
        t.sim.platform.declareShortcut(u"C:\\E.LNK", u"C:\\e.exe");
        t.sim.platform.declareShortcut(u"C:\\docs.lnk", u"C:\\Docs");
        row.before(t);
        const bool opens = !row.started.empty() || !row.messages.empty();
        EXPECT_EQ(t.bar.dropOpensWithProgram(row.drop), opens);
        t.bar.onDropOnProgramButton(u"k12", row.drop);
        Texts started;
        for (const auto& out : t.sim.platform.outputs()) {
            if (out.kind == sim::SimOutput::Kind::started)
                started.push_back(out.text + u" " + out.parameters);
        }
        EXPECT_EQ(started, row.started.empty() ? Texts{} : Texts{row.started});
        EXPECT_EQ(t.sim.platform.messages(), row.messages);
        EXPECT_EQ(t.shown(), tips(row.shown));
        EXPECT_EQ(t.sim.window.minimized(), !row.started.empty());
    }
}

}  // namespace
}  // namespace quevor::testing
