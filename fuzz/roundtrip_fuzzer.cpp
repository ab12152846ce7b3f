// Whatever start-up loads, quitting with those very values and starting again gives the same
// values, and quitting again gives the same bytes.
//
// Held for the files whose loaded paths the add would have taken (storableSlot): a path carrying a key
// or marker text is taken apart by the keyed search by design, and its round trip is not
// promised. Numbers go through the program's own text of a single-precision value, which keeps
// seven significant digits; the expected values are taken through that same text.

#include "harness.h"
#include "storable.h"

using namespace quevor;
using namespace quevor::fuzz;

namespace {

bool storableBar(const LiveBar& bar) {
    for (int n = 1; n <= kSlotCount; ++n) {
        if (!storableSlot(bar.loadedPaths[n], n, cp932())) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string original(reinterpret_cast<const char*>(data), size);
    testing::MemoryStore store;
    store.files[kSettingsPath] = original;
    const SettingsFile file(kSettingsPath, store, cp932());

    StoredSettings loaded;
    if (!completes([&] { loaded = readAllSettings(file); })) return 0;
    const LiveBar bar = LiveBar::fromLoaded(loaded);
    const bool promised = storableBar(bar);

    LiveBar first = bar;
    if (!completes([&] { saveSettings(file, first); })) {
        require(!promised, "a loadable file failed to save");
        return 0;
    }

    StoredSettings reloaded;
    const bool readable = completes([&] { reloaded = readAllSettings(file); });
    if (!promised) return 0;
    require(readable, "the saved file does not load");
    const StoredSettings expected = expectedAfterSave(bar);
    require(reloaded == expected, "values changed\n  loaded   " + describe(loaded) + "\n  reloaded " +
                                      describe(reloaded) + "\n  expected " + describe(expected));

    // Quit again without a change. A "W:" or "CL:" value that equals the live one is left as it
    // stands, so a record without its line break (the cleared state's) gets one only when the
    // next quit rewrites it; from the second quit on no byte moves.
    LiveBar second = bar;
    saveSettings(file, second);
    const std::string settled = store.files.at(kSettingsPath);
    require(readAllSettings(file) == expected, "a second save changed the values");
    LiveBar third = bar;
    saveSettings(file, third);
    require(store.files.at(kSettingsPath) == settled, "a third save changed the bytes");

    // Start again from the settled file and quit: the same bytes, unless the title bar is
    // hidden, where start-up sizes the window from its buttons and the save adds the caption
    // back.
    if (bar.hidden != 1) {
        LiveBar restarted = LiveBar::fromLoaded(reloaded);
        saveSettings(file, restarted);
        require(store.files.at(kSettingsPath) == settled, "a restart and quit changed the bytes");
    }
    return 0;
}
