#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "harness.h"
#include "hostile_files.h"

namespace quevor::testing {
namespace {

namespace fs = std::filesystem;

std::string fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// One real settings file in a folder of its own.
class HostileFileTest : public ::testing::Test {
protected:
    fs::path folder;
    fs::path path;
    std::unique_ptr<FileStore> store = makeSystemFileStore();
    std::unique_ptr<TextCodec> codec = makeSystemCodec("CP932");

    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("quevor-hostile-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        path = folder / "setting.ini";
    }
    void TearDown() override {
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(folder);
    }

    void install(const HostileFile& row) {
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(folder);
        fs::create_directories(folder);
        std::ofstream(path, std::ios::binary) << row.bytes;
        if (row.readOnlyFile) fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
        if (row.readOnlyFolder) {
            fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
        }
    }
};

// Start-up reads every key in its order; quit saves the values the bar took from them. Either
// step may stop the program with a message; then the file is as it was.
TEST_F(HostileFileTest, StartUpAndQuitWorkOrStopWithAMessageAndKeepTheFile) {
    for (const HostileFile& row : hostileFiles()) {
        SCOPED_TRACE(row.name);
        install(row);
        const SettingsFile file(path.u16string(), *store, *codec);

        StoredSettings loaded;
        std::string stop;
        try {
            loaded = readAllSettings(file);
        } catch (const RuntimeError& e) {
            stop = e.what();
        }
        if (!stop.empty()) {
            EXPECT_TRUE(row.outcome == Outcome::StartUpStops || row.outcome == Outcome::Either) << stop;
            EXPECT_NE(stop.find(row.message), std::string::npos) << stop;
            EXPECT_EQ(fileBytes(path), row.bytes);
            std::printf("%-55s start-up stops: %s\n", row.name.c_str(), stop.c_str());
            continue;
        }
        EXPECT_NE(row.outcome, Outcome::StartUpStops);

        const fuzz::LiveBar bar = fuzz::LiveBar::fromLoaded(loaded);
        fuzz::LiveBar quitting = bar;
        try {
            saveSettings(file, quitting);
        } catch (const RuntimeError& e) {
            stop = e.what();
        }
        if (!stop.empty()) {
            EXPECT_EQ(row.outcome, Outcome::QuitStops) << stop;
            EXPECT_NE(stop.find(row.message), std::string::npos) << stop;
            EXPECT_EQ(fileBytes(path), row.bytes);
            std::printf("%-55s quit stops: %s\n", row.name.c_str(), stop.c_str());
            continue;
        }
        EXPECT_NE(row.outcome, Outcome::QuitStops);

        // The next start-up finds what this one had.
        StoredSettings next;
        EXPECT_NO_THROW(next = readAllSettings(file));
        EXPECT_EQ(next, fuzz::expectedAfterSave(bar))
            << "loaded " << fuzz::describe(loaded) << "\nnext   " << fuzz::describe(next);
        std::printf("%-55s works\n", row.name.c_str());
    }
}

#ifdef QUEVOR_SIM
// The same files end to end: the bar starts on them and the user chooses quit ("終了").
TEST_F(HostileFileTest, TheDriverStartsAndQuitsOrStopsWithAMessage) {
    const fs::path script = fs::temp_directory_path() / ("quevor-hostile-script-" + std::to_string(::getpid()));
    std::ofstream(script) << "start\npress add 2\nchoose quit\n";  // right button opens the menu
    const fs::path out = script.string() + ".out";
    const fs::path err = script.string() + ".err";
    for (const HostileFile& row : hostileFiles()) {
        SCOPED_TRACE(row.name);
        install(row);
        StoredSettings loaded;
        bool loads = true;
        try {
            loaded = readAllSettings(SettingsFile(path.u16string(), *store, *codec));
        } catch (const RuntimeError&) {
            loads = false;
        }

        const std::string command = std::string("'") + QUEVOR_SIM + "' '" + folder.string() + "' <'" +
                                    script.string() + "' >'" + out.string() + "' 2>'" + err.string() + "'";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << command;
        const std::string said = fileBytes(out);
        const std::string error = fileBytes(err);

        if (row.outcome == Outcome::Works || (row.outcome == Outcome::Either && loads)) {
            EXPECT_EQ(WEXITSTATUS(status), 0) << error;
            EXPECT_EQ(said, "ended\n");
            // Every program the bar started with is in the file for the next start.
            StoredSettings next;
            ASSERT_NO_THROW(next = readAllSettings(SettingsFile(path.u16string(), *store, *codec)));
            for (int n = 0; n < kSlotCount; ++n) {
                const std::u16string had = loaded.slotPaths[n].value_or(u"");
                if (!isPlaceholderOrEmpty(had, n + 1)) {
                    EXPECT_EQ(next.slotPaths[n], had) << "slot " << n + 1;
                }
            }
            continue;
        }
        EXPECT_EQ(WEXITSTATUS(status), 2) << said;
        EXPECT_EQ(error.rfind("error: ", 0), 0u) << error;
        EXPECT_NE(error.find(row.message), std::string::npos) << error;
        EXPECT_EQ(fileBytes(path), row.bytes);
    }
    fs::remove(script);
    fs::remove(out);
    fs::remove(err);
}
#endif

}  // namespace
}  // namespace quevor::testing
