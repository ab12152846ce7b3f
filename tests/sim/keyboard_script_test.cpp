// quevor-sim's key command: names and prefixes, the focus in the state line, and Enter answering
// a menu opened with an item selected.

#include <gtest/gtest.h>

#include <sstream>

#include "app/sim/driver.h"
#include "support/settings_text.h"
#include "support/temp_folder.h"

namespace quevor::sim {
namespace {

TEST(KeyScriptTest, KeysWorkTheBarAndBadOnesAreRefused) {
    const std::string programs = "exists C:\\a.exe\nexists C:\\b.exe\nstart\n";
    // clang-format off
    const struct { std::string script, out; int status; std::string err, saved; } rows[] = {
        {"key right\nkey ctrl+right\nkey 1\nkey shift+tab\nkey delete\nkey enter\nkey apps\n"
         "choose quit\n",
         "started C:\\b.exe\nended\n", 0, "", testing::savedFile({"C:\\a.exe"}, "1320", "585")},
        {"key tab\nkey ctrl+tab\nstate\nkey enter\n",
         R"({"left":100,"top":100,"width":1905,"height":1125,"caption":true,"topmost":true,)"
         R"("minimized":false,"addLeft":1170,"buttons":[{"key":"k11","tooltip":"a.exe"},)"
         R"({"key":"k12","tooltip":"b.exe"}],"missing":[],"menu":["quit","clear","separator",)"
         R"("minimise","hide-title-bar","startup-separator","start-with-windows"],)"
         R"("startupEntry":null,"focus":"k11"})" "\nstarted C:\\a.exe\n", 0, "", ""},
        {"key delete\nkey f10\nkey shift+apps\ndismiss\nkey delete\ndismiss\n", "", 0, "", ""},
        {"key hyper+1\n", "", 64,
         "quevor-sim: line 4: key needs NAME: left, right, tab, enter, space, delete, apps, f10 or "
         "a digit, after any of shift+ and ctrl+", ""},
        {"key apps\nkey enter\n", "", 64,
         "quevor-sim: line 5: the pop-up menu is open: expected choose ITEM or dismiss", ""},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.script);
        const testing::TempFolder folder;
        const std::string file = testing::savedFile({"C:\\a.exe", "C:\\b.exe"}, "1905", "1170");
        folder.write("setting.ini", file);
        std::istringstream in(programs + row.script);
        std::ostringstream out, err;
        EXPECT_EQ(runDriver({folder.path().string()}, in, out, err), row.status);
        EXPECT_EQ(out.str(), row.out);
        EXPECT_EQ(err.str().substr(0, err.str().find('\n')), row.err);
        EXPECT_EQ(folder.read("setting.ini"), row.saved.empty() ? file : row.saved);
    }
}

}  // namespace
}  // namespace quevor::sim
