#include "app/sim/driver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace quevor::sim {
namespace {

// Command lines and script lines the driver must refuse as usage errors, naming what is wrong,
// before or without running anything else.
TEST(DriverTest, BadCommandLinesAndScriptLinesAreUsageErrors) {
    struct Row {
        std::vector<std::string> args;
        std::string script;
        std::string said;  // part of the error text
    };
    const Row rows[] = {
        {{"--verbose", "."}, "", "unknown option --verbose"},
        {{"--codepage"}, "", "--codepage needs"},
        {{"--codepage", "NO-SUCH-PAGE", "."}, "", "NO-SUCH-PAGE"},
        {{"."}, "click k11\n", "line 1: click before start"},
        {{"."}, "# comment\n\nexists\n", "line 3: exists needs a PATH"},
        {{"."}, "choose quit\n", "line 1: choose: no pop-up menu is open"},
        {{"/nonexistent-folder"}, "exists C:\\a.exe\nstate extra\n", "line 2: state before start"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.said);
        std::istringstream in(row.script);
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(runDriver(row.args, in, out, err), kExitUsage);
        EXPECT_NE(err.str().find(row.said), std::string::npos) << err.str();
        EXPECT_EQ(out.str(), "");
    }
}

// A folder with a settings file in the cleared layout, removed afterwards.
class SettingsFolder {
  public:
    SettingsFolder() {
        folder_ = std::filesystem::temp_directory_path() /
                  ("quevor-driver-test-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(folder_);
        std::ofstream(folder_ / "setting.ini", std::ios::binary) << "CL:0W:735Path1:1.exe\r\n";
    }
    ~SettingsFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::string path() const { return folder_.string(); }

  private:
    std::filesystem::path folder_;
};

TEST(DriverTest, MalformedArgumentsOfARunningBarNameTheirLine) {
    const SettingsFolder folder;
    const std::string lines[] = {"press toolbar ", "press toolbar 3", "press window 2",
                                 "move 100",       "move a b",        "restore now",
                                 "start",          "click k11"};
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        std::istringstream in("start\n" + line + "\n");
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(runDriver({folder.path()}, in, out, err), kExitUsage);
        EXPECT_EQ(err.str().rfind("quevor-sim: line 2: ", 0), 0u) << err.str();
    }
}

}  // namespace
}  // namespace quevor::sim
