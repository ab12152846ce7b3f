#include "app/sim/driver.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/said.h"
#include "support/settings_text.h"
#include "support/temp_folder.h"

namespace quevor::sim {
namespace {

using testing::bytes;
using testing::said;
using testing::TempFolder;

// quevor-sim's language, options and exit statuses. "@" in an argument is the row's folder;
// the settings files are put there first, and what the run must leave is checked after.
TEST(DriverTest, RunsScriptsAndRefusesBadOnes) {
    const std::string worked = testing::workedExampleFile();
    struct Row {
        std::vector<std::string> args;
        std::vector<std::pair<std::string, std::string>> files;  // name, content
        std::string script, out;
        int status;
        std::string err;                                         // standard error's first line
        std::vector<std::pair<std::string, std::string>> after;  // name, content
    };
    // clang-format off
    const Row rows[] = {
        {{"@"}, {{"setting.ini", worked}},
         "exists C:\\Tools\\edit.exe\nexists D:\\Games\\play.exe\n# a comment\n\nstart\n"
         "click k11\nstate\nrestore\nmissing D:\\Games\\play.exe\nclick k12\npress add 1\n"
         "press toolbar 4\npress add 2\ndismiss\nmove -120 2000\npress toolbar 2\nchoose quit\n"
         "this line is never read\n",
         "started C:\\Tools\\edit.exe\n"
         R"({"left":100,"top":100,"width":1905,"height":1125,"caption":true,"topmost":true,)"
         R"("minimized":true,"addLeft":1170,"buttons":[{"key":"k11","tooltip":"edit.exe"},)"
         R"({"key":"k12","tooltip":"play.exe"}],"missing":[],"menu":["quit","clear",)"
         R"("separator","minimise","hide-title-bar","startup-separator","start-with-windows"],)"
         R"("startupEntry":null,"focus":null})"
         "\nmessage " + said(Message::cannotStart, {"D:\\Games\\play.exe", said(Message::programMissing)}) +
             "\nended\n",
         0, "",
         {{"setting.ini", testing::savedFile({"C:\\Tools\\edit.exe", "D:\\Games\\play.exe"},
                                             "1905", "1170", "0", "X:-120Y:2000")}}},
        {{"--codepage", "CP1252", "@"}, {{"setting.ini", testing::clearedFile()}},
         "exists C:\\\xc3\xa9.exe\nstart\nadd C:\\\xc3\xa9.exe\nadd C:\\\xe3\x83\x84.exe\n"
         "press add 2\nchoose clear\n",
         "message " + said(Message::cannotAdd, {said(Message::namedProgram, {"C:\\\xe3\x83\x84.exe"}),
                                              said(Message::pathNotInCodePage, {"CP1252"})}) +
             "\nended\n",
         0, "", {}},
        {{"@/first", "@/second", "@/third"},
         {{"second/setting.ini", worked}, {"third/setting.ini", worked}},
         "exists C:\\a.exe\nstart\nadd C:\\a.exe\npress toolbar 2\nchoose quit\n", "ended\n", 0,
         "", {{"third/setting.ini", worked}}},
        // One drop of a shortcut and a text file, a drag, a remove from a program button; the
        // session's end saves them, and the bar runs on until the system ends it. A start held
        // by its drive is answered once released, as the file then is.
        {{"@"}, {{"setting.ini", testing::savedFile({"C:\\a.exe", "C:\\b.exe"})}},
         "exists C:\\a.exe\nexists C:\\b.exe\nexists C:\\d.exe\nshortcut C:\\my d.lnk C:\\d.exe\n"
         "start\ndrop C:\\my d.lnk\ndrop C:\\notes.txt\ndrag k13 1\ndrop C:\\my d.lnk\n"
         "drop C:\\notes.txt on k11\npress toolbar 2 k12\n"
         "choose remove\nend-session\nclick k13\nhold C:\\d.exe\nclick k13\nmissing C:\\d.exe\n"
         "release C:\\d.exe\n",
         "message " + said(Message::cannotAdd, {said(Message::namedProgram, {"C:\\notes.txt"}),
                                              said(Message::pathNotAProgram)}) +
             "\nstarted C:\\a.exe \"C:\\my d.lnk\" \"C:\\notes.txt\"\nstarted C:\\d.exe\nmessage " +
             said(Message::cannotStart, {"C:\\d.exe", said(Message::programMissing)}) + "\n",
         0, "", {{"setting.ini", testing::savedFile({"C:\\d.exe", "", "C:\\a.exe"})}}},
        // A program's folder, its start as administrator (then refused), and the start-up entry
        // pointed at this bar.
        {{"@"}, {{"setting.ini", testing::clearedFile()}},
         "exists C:\\a.exe\nstartup-entry \"D:\\old\\quevor.exe\"\nstart\nadd C:\\a.exe\n"
         "press toolbar 2 k11\nchoose open-folder\npress toolbar 2 k11\nchoose run-as-admin\n"
         "restore\nrefuse-elevation\npress toolbar 2 k11\nchoose run-as-admin\npress add 2\n"
         "choose start-with-windows\nkey tab\nkey ctrl+tab\nstate\n",
         "opened-folder C:\\a.exe\nstarted-elevated C:\\a.exe\n"
         R"({"left":100,"top":100,"width":1320,"height":1125,"caption":true,"topmost":true,)"
         R"("minimized":false,"addLeft":585,"buttons":[{"key":"k11","tooltip":"a.exe"}],"missing":[],)"
         R"("menu":["quit","clear","separator","minimise","hide-title-bar","startup-separator",)"
         R"("start-with-windows"],"startupEntry":"\"C:\\quevor\\quevor.exe\"","focus":"k11"})" "\n",
         0, "", {}},
        // Keys by name after shift+ and ctrl+; Enter answers the menu Delete opens with its item
        // selected. Until a key shows the focus, Delete and F10 do nothing.
        {{"@"}, {{"setting.ini", testing::savedFile({"C:\\a.exe", "C:\\b.exe"}, "1905", "1170")}},
         "exists C:\\a.exe\nexists C:\\b.exe\nstart\nkey delete\nkey f10\nkey shift+apps\ndismiss\n"
         "key ctrl+right\nkey 1\nkey shift+tab\nkey delete\nkey enter\nkey apps\nchoose quit\n",
         "started C:\\b.exe\nended\n", 0, "", {{"setting.ini", testing::savedFile({"C:\\a.exe"}, "1320", "585")}}},
        {{"--another-instance", "@"}, {{"setting.ini", worked}}, "start\nnever read\n", "ended\n",
         0, "", {{"setting.ini", worked}}},
        {{"@"}, {{"setting.ini", bytes("CL:0W:wide[CR][LF]Path1:1.exe[CR][LF]")}}, "start\n", "",
         2, "error: " + said(Message::notANumber, {"W:", "wide\\r\\n"}), {}},
        {{"--verbose", "@"}, {}, "", "", 64, "quevor-sim: unknown option --verbose", {}},
        {{"--codepage"}, {}, "", "", 64, "quevor-sim: --codepage needs a code page name", {}},
        {{"--codepage", "NO-SUCH-PAGE", "@"}, {}, "", "", 64,
         "quevor-sim: " + said(Message::codePageMissing, {"NO-SUCH-PAGE"}), {}},
        {{"@"}, {}, "click k11\n", "", 64, "quevor-sim: line 1: click before start: the bar is not running", {}},
        {{"@"}, {}, "exists\n", "", 64, "quevor-sim: line 1: exists needs a PATH", {}},
        {{"@"}, {}, "choose quit\n", "", 64, "quevor-sim: line 1: choose: no pop-up menu is open",
         {}},
    };
    // clang-format on
    // Lines a running bar refuses, and what it says of them.
    // clang-format off
    const std::pair<std::string, std::string> runningBar[] = {
        {"press toolbar 3", "2: press needs TARGET BUTTON, BUTTON being 1 (left), 2 (right) or 4 (middle)"},
        {"press window 2", "2: press: TARGET is toolbar or add, not \"window\""},
        {"move a b", "2: move needs LEFT TOP in twips"},
        {"restore now", "2: restore takes no argument"},
        {"startup-entry", "2: startup-entry needs TEXT or none"},
        {"start", "2: start: the bar is already running"},
        {"click k13", "2: no toolbar button has the key \"k13\""},
        {"drop C:\\x.txt on k11", "2: no toolbar button has the key \"k11\""},
        {"fly away", "2: unknown command \"fly\""},
        {"press toolbar 2\nstate", "3: the pop-up menu is open: expected choose ITEM or dismiss"},
        {"press toolbar 2\nchoose show-title-bar", "3: show-title-bar is not an item the menu offers now"},
        {"press toolbar 2\nchoose nothing", "3: choose: no menu item is called \"nothing\""},
        {"press toolbar 2", "2: the script ends while the pop-up menu is open"},
        {"key hyper+1", "2: key needs NAME: left, right, tab, enter, space, delete, apps, f10 or a digit, after any of shift+ and ctrl+"},
        {"key apps\nkey enter", "3: the pop-up menu is open: expected choose ITEM or dismiss"}};
    std::vector<Row> all(std::begin(rows), std::end(rows));
    for (const auto& [line, said] : runningBar)
        all.push_back({{"@"}, {{"setting.ini", worked}}, "start\n" + line + "\n", "", 64, "quevor-sim: line " + said, {}});
    // clang-format on
    for (const Row& row : all) {
        SCOPED_TRACE(row.script + " with " + row.args.front());
        const TempFolder folder;
        for (const auto& [name, content] : row.files) {
            std::filesystem::create_directories((folder / name).parent_path());
            folder.write(name, content);
        }
        std::vector<std::string> args;
        for (std::string arg : row.args)
            args.push_back(arg[0] == '@' ? arg.replace(0, 1, folder.path().string()) : arg);
        std::istringstream in(row.script);
        std::ostringstream out, err;
        EXPECT_EQ(runDriver(args, in, out, err), row.status);
        EXPECT_EQ(out.str(), row.out);
        EXPECT_EQ(err.str().substr(0, err.str().find('\n')), row.err) << err.str();
        for (const auto& [name, content] : row.after) EXPECT_EQ(folder.read(name), content) << name;
    }
}

}  // namespace
}  // namespace quevor::sim
