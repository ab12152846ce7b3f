// The POSIX file store killed mid-save: a child process quits and clears a real settings file in
// a loop and is killed (SIGKILL) at a random moment, again and again. Each quit and each clear
// replaces the file once, atomically: whatever moment the process dies at, the file is the old
// one or the new one, byte for byte, and start-up reads it. (The Windows store is killed the same
// way in the end-to-end test, with quevor.exe itself killed mid quit.)
//   QUEVOR_KILLS  the number of kills (300 unless set; the kill stage runs 1000)

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <set>

#include "settings/codec.h"
#include "support/fake_bar.h"
#include "support/memory_store.h"
#include "support/settings_text.h"
#include "support/temp_folder.h"

namespace quevor::testing {
namespace {

using Clock = std::chrono::steady_clock;

// A quit with two programs, the second in a folder with a Japanese name (the codec is CP932).
void quit(const SettingsFile& file) {
    SaveValues bar = loadedBar();
    bar.paths[0] = u"C:\\Tools\\edit.exe";
    bar.paths[1] = u"D:\\ゲーム\\play.exe";
    bar.addButtonLeft = 1170;
    bar.width = 1905;
    bar.left = -120;
    bar.top = 4000;
    saveSettings(file, bar);
}

TEST(KillDuringSave, EveryKillLeavesTheOldOrTheNewFile) {
    const char* count = std::getenv("QUEVOR_KILLS");
    const int kills = count ? std::atoi(count) : 300;
    const auto codec = makeSystemCodec("CP932");
    const auto store = makeSystemFileStore();
    const TempFolder folder;
    const std::u16string path = (folder / "setting.ini").u16string();
    const SettingsFile file(path, *store, *codec);

    // The two files the loop leaves: the cleared one, where each quit starts and each clear
    // ends, and the one each quit writes. A kill at any moment must leave exactly one of them.
    MemoryStore memory;
    memory.files[path] = clearedFile();
    quit(SettingsFile(path, memory, *codec));
    const std::set<std::string> states = {clearedFile(), memory.files[path]};

    // How long one quit and one clear take here, so the kills spread over the whole loop.
    store->replace(path, clearedFile());
    const auto begun = Clock::now();
    quit(file);
    clearSettings(file);
    const auto loop = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - begun);

    std::mt19937 random(::testing::UnitTest::GetInstance()->random_seed());
    std::uniform_int_distribution<long> delay(0, 2 * loop.count() + 100);
    std::set<std::string> seen;
    std::size_t leftovers = 0;
    for (int k = 0; k < kills; ++k) {
        store->replace(path, clearedFile());
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                for (;;) {
                    quit(file);
                    clearSettings(file);
                }
            } catch (...) {
                ::_exit(2);
            }
        }
        ::usleep(static_cast<useconds_t>(delay(random)));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "it ended: " << status;

        const std::string bytes = folder.read("setting.ini");
        ASSERT_TRUE(states.count(bytes)) << "kill " << k << " left\n" << shownBytes(bytes);
        ASSERT_NO_THROW((void)startUpReads(file)) << shownBytes(bytes);
        seen.insert(bytes);
        // A kill between creating the temporary file and renaming it leaves that file; it is
        // counted, and the next complete replace takes it away.
        leftovers += folder.entries() - 1;
    }
    store->replace(path, clearedFile());
    EXPECT_EQ(folder.entries(), 1u) << "temporary files stay behind";
    // Kills that all landed on one side would prove nothing about the moments in between.
    EXPECT_EQ(seen, states);
    std::printf("%d kills, %zu of %zu states seen, %zu temporary files left behind, loop %ld us\n",
                kills, seen.size(), states.size(), leftovers, static_cast<long>(loop.count()));
}

}  // namespace
}  // namespace quevor::testing
