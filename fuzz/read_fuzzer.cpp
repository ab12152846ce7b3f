// Start-up reading of any bytes: every value is read, or the program stops with the one error
// type and a message. Never a crash, a hang, a sanitizer report or a write.

#include <cmath>

#include "harness.h"

using namespace quevor;
using namespace quevor::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testing::MemoryStore store;
    store.files[kSettingsPath] = std::string(reinterpret_cast<const char*>(data), size);
    const SettingsFile file(kSettingsPath, store, cp932());

    StoredSettings s;
    if (completes([&] { s = readAllSettings(file); })) {
        if (s.width) require(std::isfinite(*s.width), "width not finite");
        if (s.addButtonLeft) require(std::isfinite(*s.addButtonLeft), "add button edge not finite");
        for (int n = 0; n < kSlotCount; ++n) {
            const auto& path = s.slotPaths[n];
            // A stored path is read up to its first ".exe" and given that extension back.
            if (path) require(path->size() >= 4 && path->find(u".exe") == path->size() - 4, "slot value");
        }
    }
    require(store.writes.empty(), "start-up wrote the settings file");
    require(store.files.at(kSettingsPath).size() == size, "start-up changed the settings file");
    return 0;
}
