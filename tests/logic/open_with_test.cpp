// Files dropped on a program's button: opened with it, or added when they are all programs.

#include <functional>

#include "bar_fixture.h"
#include "core/messages.h"
#include "slots/open_with.h"

namespace quevor::testing {
namespace {

// CommandLineToArgvW takes backslashes literally except before a quote.
TEST(OpenWithTest, QuotesEachPathSoTheProgramGetsItBack) {
    // clang-format off
    const std::pair<Texts, std::u16string> rows[] = {
        {{u"C:\\My Docs\\a b.txt", u"D:\\"}, u"\"C:\\My Docs\\a b.txt\" \"D:\\\\\""},
        {{u"C:\\文書\\メモ.txt", u"C:\\x\\\\"}, u"\"C:\\文書\\メモ.txt\" \"C:\\x\\\\\\\\\""},
        {{u"a\\\"b"}, u"\"a\\\\\\\"b\""},
    };
    // clang-format on
    for (const auto& [paths, parameters] : rows) {
        SCOPED_TRACE(toUtf8(parameters));
        EXPECT_EQ(quotedParameters(paths), parameters);
    }
}

TEST(OpenWithTest, DocumentsOnAProgramOpenWithItProgramsAreAdded) {
    const std::u16string docs = u"C:\\docs.lnk", longest(32753 - 3, u'x');
    const auto quoted = [](const std::u16string& path) { return u"\"" + path + u"\""; };
    struct Row {
        const char* name;
        Texts drop;
        const char16_t* on;      // the program button's key; none: anywhere else
        std::u16string started;  // "PATH PARAMETERS"; "" none
        Texts messages;
        std::string shown;
        std::function<void(Rig&)> before = [](Rig&) {};
    };
    // clang-format off
    const Row rows[] = {
        {"a document among programs, and a shortcut as itself", {u"C:\\d.exe", docs, u"C:\\n.txt"}, u"k12",
         u"C:\\b.exe " + quoted(u"C:\\d.exe") + u" " + quoted(docs) + u" " + quoted(u"C:\\n.txt"), {}, "a b"},
        {"programs and shortcuts to programs are added", {u"C:\\d.exe", u"C:\\E.LNK"}, u"k11", u"", {}, "a b d e"},
        {"anywhere else a document is refused as an add", {u"C:\\n.txt", u"C:\\d.exe"}, nullptr, u"",
         {messageText(Message::cannotAdd, {messageText(Message::namedProgram, {u"C:\\n.txt"}),
                                           messageText(Message::pathNotAProgram)})}, "a b d"},
        {"a program gone since start-up says so as a click does", {u"C:\\n.txt"}, u"k12", u"",
         {messageText(Message::cannotStart, {u"C:\\b.exe", messageText(Message::programMissing)})}, "a b",
         [](Rig& t) { t.sim.platform.removeProgram(u"C:\\b.exe"); }},
        {"the longest command line starts", {u"C:\\" + longest}, u"k12",
         u"C:\\b.exe " + quoted(u"C:\\" + longest), {}, "a b"},
        {"one character more is refused", {u"C:\\" + longest + u"y"}, u"k12", u"",
         {messageText(Message::parametersTooLong, {u"C:\\b.exe", u"32767", u"32766"})}, "a b"},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Rig t(savedFile(paths("a b")), paths("a b d e"));
        t.sim.platform.declareShortcut(u"C:\\E.LNK", u"C:\\e.exe");
        t.sim.platform.declareShortcut(docs, u"C:\\Docs");
        row.before(t);
        if (row.on) {
            EXPECT_EQ(t.bar.dropOpensWithProgram(row.drop),
                      !row.started.empty() || row.messages.size());
            t.bar.onDropOnProgramButton(row.on, row.drop);
        } else {
            t.bar.onDrop(row.drop);
        }
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
