// The two writers on any file text and any live values: each ends in the one error type or in a
// file, never in undefined behaviour. A save that completes leaves a file that reads back the
// live values (paths the file can hold, finite geometry). A file in the layout the writers leave
// stays readable: a save on it completes, a clear gives the cleared file.
//
// Input: the live values and the choice of writer are taken from the end of the data; the rest
// is the file, or (when the first choice says so) is ignored and the file is made by a save of
// fuzzed values onto the cleared state, the way every file in the layout comes about.

#include "live_values.h"
#include "storable.h"

using namespace quevor;
using namespace quevor::fuzz;

namespace {

bool storableBar(const LiveBar& bar) {
    for (int n = 1; n <= kSlotCount; ++n) {
        for (const std::u16string* path : {&bar.addedPaths[n], &bar.loadedPaths[n]}) {
            if (!storableSlot(*path, n, cp932())) return false;
        }
    }
    return true;
}

std::string clearedFile() { return toUtf8(clearedStateText()) + "\r\n"; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const bool inLayout = in.ConsumeIntegralInRange<int>(0, 3) == 0;
    const bool clearing = in.ConsumeIntegralInRange<int>(0, 3) == 0;
    testing::MemoryStore store;
    const SettingsFile file(kSettingsPath, store, cp932());

    if (inLayout) {
        // The file a quit left: the cleared state saved with storable values.
        store.files[kSettingsPath] = clearedFile();
        LiveBar earlier = consumeBar(in, false);
        earlier.clearVisible = true;
        for (int n = 1; n <= kSlotCount; ++n) {
            for (std::u16string* path : {&earlier.addedPaths[n], &earlier.loadedPaths[n]}) {
                if (!storableSlot(*path, n, cp932())) path->clear();
            }
        }
        LiveBar saving = earlier;
        saveSettings(file, saving);
        const StoredSettings got = readAllSettings(file);
        const StoredSettings want = expectedAfterSave(earlier);
        require(got == want, "a save onto the cleared state\n  read     " + describe(got) +
                                 "\n  expected " + describe(want));
    }
    LiveBar bar = consumeBar(in, !inLayout);
    if (!inLayout) {
        const std::string rest = in.ConsumeRemainingBytesAsString();
        store.files[kSettingsPath] = rest;
    }
    const StoredSettings stored = inLayout ? readAllSettings(file) : StoredSettings{};

    const std::string before = store.files.at(kSettingsPath);
    if (clearing) {
        const bool done = completes([&] { clearSettings(file); });
        if (inLayout) {
            require(done, "clearing a file in the layout failed");
            // The clear cuts a path at its first ".exe"; a path stored with ".EXE" takes the
            // next record with it, which then reads as an empty slot: the bytes differ, the
            // settings do not.
            StoredSettings cleared;
            require(completes([&] { cleared = readAllSettings(file); }), "a cleared file does not load");
            bool defaults = cleared.width == 735.0f && cleared.addButtonLeft == 0.0f &&
                            cleared.position == StoredPosition{100, 100} && !cleared.titleBar;
            for (int n = 1; n <= kSlotCount; ++n) {
                defaults = defaults && isPlaceholderOrEmpty(cleared.slotPaths[n - 1].value_or(u""), n);
            }
            require(defaults, "a cleared file reads " + describe(cleared));
            require(before.find(".EXE") != std::string::npos || store.files.at(kSettingsPath) == clearedFile(),
                    "clearing did not give the cleared file\n  before " + shownBytes(before) +
                        "\n  after  " + shownBytes(store.files.at(kSettingsPath)));
        }
        return 0;
    }

    const LiveBar live = bar;
    const bool done = completes([&] { saveSettings(file, bar); });
    if (!finiteBar(live) || !storableBar(live)) return 0;
    require(done || !inLayout, "saving onto a file in the layout failed");
    // Whatever the file held, a save that completes has written every live value: a file that
    // lost its layout is rebuilt from the cleared state first. After a clear (the clear item
    // hidden) only the position and title-bar records are written, so the rest is known only
    // for a file in the layout.
    if (!done || (!live.clearVisible && !inLayout)) return 0;

    StoredSettings reloaded;
    require(completes([&] { reloaded = readAllSettings(file); }), "a saved file does not load\n  before " +
                                                                     shownBytes(before) + "\n  after  " +
                                                                     shownBytes(store.files.at(kSettingsPath)));
    StoredSettings expected = expectedAfterSave(live);
    if (!live.clearVisible) {
        for (int n = 0; n < kSlotCount; ++n) expected.slotPaths[n] = stored.slotPaths[n];
        expected.width = stored.width;
        expected.addButtonLeft = stored.addButtonLeft;
    }
    require(reloaded == expected, "values after a save\n  before   " + describe(stored) + "\n  reloaded " +
                                      describe(reloaded) + "\n  expected " + describe(expected) +
                                      "\n  file " + shownBytes(before));
    return 0;
}
