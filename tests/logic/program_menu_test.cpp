// A program button's own items (its folder, a start as administrator) and the bar's start with
// Windows, on the simulated toolkit: what each asks of the platform, and what the user sees.

#include "bar_fixture.h"
#include "core/messages.h"

namespace quevor::testing {
namespace {

using Outputs = std::vector<sim::SimOutput>;
using Kind = sim::SimOutput::Kind;

// The item chosen on the button of C:\a.exe, there or gone since start-up. A start of a missing
// program is told as a click on it tells it; a prompt the user refuses changes nothing.
TEST(ProgramMenuTest, TheFolderAndTheStartAsAdministratorOfAProgram) {
    const std::u16string path = u"C:\\a.exe";
    const std::u16string missing = messageText(Message::programMissing);
    // clang-format off
    const struct {
        const char* name;
        MenuItem item;
        bool there, refuse;
        Outputs outputs;
        bool minimised;
    } rows[] = {
        {"folder", MenuItem::openFolder, true, false, {{Kind::openedFolder, path}}, false},
        {"folder of a missing program", MenuItem::openFolder, false, false,
         {{Kind::message, messageText(Message::cannotOpenFolder, {path, missing})}}, false},
        {"as administrator", MenuItem::runAsAdmin, true, false, {{Kind::startedElevated, path}}, true},
        {"refused at the prompt", MenuItem::runAsAdmin, true, true, {}, false},
        {"missing, as administrator", MenuItem::runAsAdmin, false, false,
         {{Kind::message, messageText(Message::cannotStart, {path, missing})}}, false},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Rig t(savedFile({"C:\\a.exe"}), {"C:\\a.exe"});
        if (!row.there) t.sim.platform.removeProgram(path);
        t.sim.platform.refuseNextElevation = row.refuse;
        t.choose(row.item, u"k11");
        EXPECT_EQ(t.sim.platform.outputs(), row.outputs);
        EXPECT_EQ(t.sim.window.minimized(), row.minimised);
        if (!row.there && row.item == MenuItem::runAsAdmin) {  // the very words of a click
            t.bar.onProgramButtonClick(u"k11");
            EXPECT_EQ(t.sim.platform.messages().back(), t.sim.platform.messages().front());
        }
    }
}

// The item is checked when the entry starts this program (C:\quevor\quevor.exe here): then
// choosing it takes the entry away; otherwise it points the entry here. An entry that cannot be
// read is left alone, and a failure to write it is told; setting.ini is never written.
TEST(ProgramMenuTest, StartWithWindowsChecksAndTogglesTheEntry) {
    const std::u16string ours = u"\"C:\\quevor\\quevor.exe\"";
    const std::optional<std::u16string> none;
    // clang-format off
    const struct {
        const char* name;
        std::optional<std::u16string> entry;
        bool readFails, writeFails, checked;
        std::optional<std::u16string> after;
        std::optional<Message> said;
    } rows[] = {
        {"none", none, false, false, false, ours, {}},
        {"ours", ours, false, false, true, none, {}},
        {"ours in another case, unquoted", u"  c:\\QUEVOR\\quevor.EXE\t", false, false, true, none, {}},
        {"a moved bar's", u"\"D:\\old\\quevor.exe\"", false, false, false, ours, {}},
        {"ours with arguments", ours + u" /min", false, false, false, ours, {}},
        {"an unclosed quote", u"\"C:\\quevor\\quevor.exe", false, false, false, ours, {}},
        {"quotes only", u"\"\"", false, false, false, ours, {}},
        {"unreadable", ours, true, false, false, ours, Message::cannotReadStartupEntry},
        {"unwritable", none, false, true, false, none, Message::cannotWriteStartupEntry},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Rig t(clearedFile());
        t.sim.platform.startupEntry = row.entry;
        if (row.readFails) t.sim.platform.startupReadFailure = u"denied";
        if (row.writeFails) t.sim.platform.startupWriteFailure = u"denied";
        t.choose(MenuItem::startWithWindows);
        EXPECT_EQ(t.sim.menu.checked(MenuItem::startWithWindows), row.checked);
        EXPECT_EQ(t.sim.platform.startupEntry, row.after);
        EXPECT_EQ(t.sim.platform.messages(),
                  row.said ? Texts{messageText(*row.said, {u"denied"})} : Texts{});
        EXPECT_TRUE(t.files.writes.empty());
    }
}

}  // namespace
}  // namespace quevor::testing
