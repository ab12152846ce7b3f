// A program button's own items (its folder, a start as administrator) and the bar's start with
// Windows, on the simulated toolkit. Their outputs when all goes well are the driver test's.

#include "bar_fixture.h"
#include "core/messages.h"

namespace quevor::testing {
namespace {

// The item chosen on the button of C:\a.exe, gone since start-up: a start as administrator is
// told as a click on it tells it. A prompt the user refuses changes nothing.
TEST(ProgramMenuTest, AMissingProgramsFolderOrStartIsToldAndARefusalIsNot) {
    const std::u16string path = u"C:\\a.exe", missing = messageText(Message::programMissing);
    const std::tuple<MenuItem, bool, Texts> rows[] = {
        {MenuItem::openFolder, false, {messageText(Message::cannotOpenFolder, {path, missing})}},
        {MenuItem::runAsAdmin, false, {messageText(Message::cannotStart, {path, missing})}},
        {MenuItem::runAsAdmin, true, {}},
    };
    for (const auto& [item, there, said] : rows) {
        SCOPED_TRACE(menuItemInfo(item).name);
        Rig t(savedFile({"C:\\a.exe"}), {"C:\\a.exe"});
        if (!there) t.sim.platform.removeProgram(path);
        t.sim.platform.refuseNextElevation = there;
        t.choose(item, u"k11");
        EXPECT_EQ(t.sim.platform.messages(), said);
        EXPECT_TRUE(t.sim.platform.outputs().size() == said.size() && !t.sim.window.minimized());
        if (item == MenuItem::runAsAdmin && !there) {
            t.bar.onProgramButtonClick(u"k11");
            EXPECT_EQ(t.sim.platform.messages(), Texts(2, said.front()));
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
        std::optional<std::u16string> entry;
        bool readFails, writeFails, checked;
        std::optional<std::u16string> after;
        std::optional<Message> said;
    } rows[] = {
        {none, false, false, false, ours, {}},
        {ours, false, false, true, none, {}},
        {u"  c:\\QUEVOR\\quevor.EXE\t", false, false, true, none, {}},  // unquoted, another case
        {u"\"D:\\old\\quevor.exe\"", false, false, false, ours, {}},  // a bar since moved
        {ours + u" /min", false, false, false, ours, {}},
        {u"\"C:\\quevor\\quevor.exe", false, false, false, ours, {}},
        {u"\"\"", false, false, false, ours, {}},
        {ours, true, false, false, ours, Message::cannotReadStartupEntry},
        {none, false, true, false, none, Message::cannotWriteStartupEntry},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(toUtf8(row.entry.value_or(u"none")));
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
