// save_loop PATH: quits and clears the settings file at PATH in a loop until it is killed.
// Writes one line, "ready", once it is about to start. The Windows kill test runs it.

#include <cstdio>
#include <filesystem>

#include "kill_bar.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: save_loop PATH\n");
        return 64;
    }
    try {
        const auto store = quevor::makeSystemFileStore();
        const auto codec = quevor::makeSystemCodec();
        const quevor::SettingsFile file(std::filesystem::path(argv[1]).u16string(), *store, *codec);
        std::printf("ready\n");
        std::fflush(stdout);
        quevor::testing::saveAndClearForever(file, false);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 2;
    }
}
