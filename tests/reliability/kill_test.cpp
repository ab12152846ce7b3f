#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>

#include "harness.h"
#include "kill_checks.h"

namespace quevor::testing {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Quit, clear, quit, clear ... on the real file until killed.
[[noreturn]] void saveAndClearForever(const fs::path& path, int ready) {
    try {
        const auto store = makeSystemFileStore();
        const auto codec = makeSystemCodec("CP932");
        const SettingsFile file(path.u16string(), *store, *codec);
        const char go = 1;
        if (::write(ready, &go, 1) != 1) ::_exit(3);
        testing::saveAndClearForever(file, true);
    } catch (...) {
        ::_exit(2);
    }
}

int envCount(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value ? std::atoi(value) : fallback;
}

// A quit and a clear each replace the file once, atomically: whatever moment the process dies
// at, the file is the old one or the new one, and start-up reads it.
TEST(KillDuringSave, EveryKillLeavesTheOldOrTheNewFile) {
    const int kills = envCount("QUEVOR_KILLS", 300);
    const std::set<std::string> states = endStates(*makeSystemCodec("CP932"), true);

    const fs::path folder = fs::temp_directory_path() / ("quevor-kill-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path path = folder / "setting.ini";
    const auto store = makeSystemFileStore();
    const auto codec = makeSystemCodec("CP932");
    const SettingsFile file(path.u16string(), *store, *codec);

    // How long one quit and one clear take here, so the kills spread over the whole loop.
    store->replace(path.u16string(), clearedFile());
    const auto begun = Clock::now();
    fuzz::LiveBar timing = killedBar(true);
    saveSettings(file, timing);
    clearSettings(file);
    const auto loop = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - begun);

    std::mt19937 random(::testing::UnitTest::GetInstance()->random_seed());
    std::uniform_int_distribution<long> delay(0, 2 * loop.count() + 100);
    std::set<std::string> seen;
    int leftovers = 0;
    for (int k = 0; k < kills; ++k) {
        store->replace(path.u16string(), clearedFile());
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            saveAndClearForever(path, ready[1]);
        }
        ::close(ready[1]);
        char go = 0;
        ASSERT_EQ(::read(ready[0], &go, 1), 1) << "the child did not start";
        ::close(ready[0]);
        ::usleep(static_cast<useconds_t>(delay(random)));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the child ended by itself: " << status;

        ASSERT_NO_FATAL_FAILURE(expectCompleteState(file, states, k, seen, leftovers));
    }
    expectNoTemporaryFileStays(*store, path);
    // Kills that all landed on one side would prove nothing about the moments in between.
    EXPECT_EQ(seen, states);
    std::printf("%d kills, %zu of %zu states seen, %d temporary files left behind, loop %ld us\n", kills,
                seen.size(), states.size(), leftovers, static_cast<long>(loop.count()));
}

#ifdef QUEVOR_SIM
// The same end to end: quevor-sim starts on the two-program file, the user adds a third program
// and quits, and the whole process is killed at a random moment of its run.
TEST(KillDuringSave, KillingTheBarMidQuitLeavesTheOldOrTheNewFile) {
    const int kills = envCount("QUEVOR_SIM_KILLS", 100);
    const fs::path folder = fs::temp_directory_path() / ("quevor-simkill-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path path = folder / "setting.ini";
    const fs::path script = folder / "script";
    std::ofstream(script) << "exists C:\\new.exe\nstart\nadd C:\\new.exe\npress add 2\nchoose quit\n";

    // The file the quit writes, from the same start in memory.
    MemoryStore memory;
    const std::u16string memoryPath = u"/bar/setting.ini";
    memory.files[memoryPath] = workedExampleFile();
    const auto codec = makeSystemCodec("CP932");
    const auto store = makeSystemFileStore();
    fuzz::LiveBar bar = fuzz::LiveBar::fromLoaded(readAllSettings(SettingsFile(memoryPath, memory, *codec)));
    bar.addedPaths[3] = u"C:\\new.exe";
    bar.width += 585;
    bar.addLeft += 585;
    saveSettings(SettingsFile(memoryPath, memory, *codec), bar);
    const std::set<std::string> states = {workedExampleFile(), memory.files[memoryPath]};

    auto run = [&]() -> pid_t {
        const pid_t child = ::fork();
        if (child == 0) {
            const int in = ::open(script.c_str(), O_RDONLY);
            const int out = ::open("/dev/null", O_WRONLY);
            if (in < 0 || out < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(out, 2) < 0) ::_exit(3);
            ::execl(QUEVOR_SIM, QUEVOR_SIM, folder.c_str(), static_cast<char*>(nullptr));
            ::_exit(4);
        }
        return child;
    };

    // One whole run, not killed: it must end normally in the last state.
    std::ofstream(path, std::ios::binary) << workedExampleFile();
    const auto begun = Clock::now();
    int status = 0;
    const pid_t whole = run();
    ASSERT_GT(whole, 0);
    ASSERT_EQ(::waitpid(whole, &status, 0), whole);
    const auto length = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - begun);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    ASSERT_EQ(fileBytes(path), memory.files[memoryPath]);

    std::mt19937 random(::testing::UnitTest::GetInstance()->random_seed());
    std::uniform_int_distribution<long> delay(0, length.count());
    std::set<std::string> seen;
    for (int k = 0; k < kills; ++k) {
        fs::remove(path);
        std::ofstream(path, std::ios::binary) << workedExampleFile();
        const pid_t child = run();
        ASSERT_GT(child, 0);
        ::usleep(static_cast<useconds_t>(delay(random)));
        ::kill(child, SIGKILL);  // it may have ended already
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) == 0)) << status;

        const std::string bytes = fileBytes(path);
        ASSERT_TRUE(states.count(bytes)) << "kill " << k << " left\n" << fuzz::shownBytes(bytes);
        ASSERT_NO_THROW((void)readAllSettings(SettingsFile(path.u16string(), *store, *codec)));
        seen.insert(bytes);
    }
    fs::remove_all(folder);
    EXPECT_EQ(seen, states);
    std::printf("%d kills of quevor-sim, %zu of %zu states seen, run %ld us\n", kills, seen.size(),
                states.size(), static_cast<long>(length.count()));
}
#endif

}  // namespace
}  // namespace quevor::testing
