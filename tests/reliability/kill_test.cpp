// The POSIX file store killed mid-save: a child process quits once on a real, cleared settings
// file and is killed (SIGKILL), again and again. The quit replaces the file once, atomically:
// whatever moment the process dies at, the file is the old one or the new one, byte for byte,
// and start-up reads it. Kills are aimed by turns at the moment the quit's temporary file
// appears (before the rename, in the middle of writing and flushing it) and at the moment the
// new bytes do (after it), so that both outcomes really happen. (The Windows store is killed
// the same way in the end-to-end test, with quevor.exe itself killed mid quit.)
//   QUEVOR_KILLS  the number of kills (300 unless set; the kill stage runs 1000)

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "settings/codec.h"
#include "support/fake_bar.h"
#include "support/memory_store.h"
#include "support/settings_text.h"
#include "support/temp_folder.h"

namespace quevor::testing {
namespace {

// A quit with a program in a folder with a Japanese name (the codec is CP932).
void quit(const SettingsFile& file) {
    SaveValues bar = loadedBar();
    bar.paths[1] = u"D:\\ゲーム\\play.exe";
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

    const std::string oldText = clearedFile();
    MemoryStore memory;
    memory.files[path] = oldText;
    quit(SettingsFile(path, memory, *codec));
    const std::string newText = memory.files[path];

    std::size_t leftOld = 0, leftNew = 0, leftovers = 0;
    for (int k = 0; k < kills; ++k) {
        store->replace(path, oldText);  // which also takes away the last kill's temporary file
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                quit(file);
            } catch (...) {
                ::_exit(2);
            }
            for (;;) ::pause();
        }
        const auto aimedAt = [&] {  // the new bytes end the wait for the temporary file too
            return folder.read("setting.ini") == newText || (k % 2 == 0 && folder.entries() > 1);
        };
        int status = 0;
        pid_t ended = 0;
        while (!aimedAt() && (ended = ::waitpid(child, &status, WNOHANG)) == 0) {
        }
        if (ended == 0) {
            ASSERT_EQ(::kill(child, SIGKILL), 0);
            ASSERT_EQ(::waitpid(child, &status, 0), child);
        }
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "it ended: " << status;

        const std::string bytes = folder.read("setting.ini");
        ASSERT_TRUE(bytes == oldText || bytes == newText) << "kill " << k << " left\n"
                                                          << shownBytes(bytes);
        ASSERT_NO_THROW((void)startUpReads(file)) << shownBytes(bytes);
        ++(bytes == oldText ? leftOld : leftNew);
        // A kill between creating the temporary file and renaming it leaves that file.
        leftovers += folder.entries() - 1;
    }
    std::printf("%d kills: %zu left the old file, %zu the new one, %zu a temporary file\n", kills,
                leftOld, leftNew, leftovers);
    store->replace(path, oldText);
    EXPECT_EQ(folder.entries(), 1u) << "temporary files stay behind";
    // Kills that all landed on one side would prove nothing about the moments in between.
    EXPECT_GT(leftOld, 0u);
    EXPECT_GT(leftNew, 0u);
}

}  // namespace
}  // namespace quevor::testing
