// The two writers on any file text and any live values. A save either stops with the one error
// type and leaves the file byte for byte, or writes once a file from which start-up reads every
// live value back (a loaded "path" no file can hold may be left out, nothing else) and that the
// next save with the same values leaves as it is. A clear writes once or not at all. A file in
// the layout the writers leave stays readable: a save on it completes, a clear gives the cleared
// file.
//
// Input: the live values and the choice of writer are taken from the end of the data; the rest
// is the file, or (when the first choice says so) is ignored and the file is made by a save of
// fuzzed values onto the cleared state, the way every file in the layout comes about.

#include "live_values.h"
#include "harness.h"

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
    const std::size_t writesBefore = store.writes.size();
    const auto unchangedUnlessWrittenOnce = [&](bool done, const char* writer) {
        const std::string& after = store.files.at(kSettingsPath);
        require(done ? store.writes.size() == writesBefore + 1 : after == before,
                std::string(writer) + (done ? " did not write exactly once" : " stopped and changed the file") +
                    "\n  before " + shownBytes(before) + "\n  after  " + shownBytes(after));
    };
    if (clearing) {
        const bool done = completes([&] { clearSettings(file); });
        unchangedUnlessWrittenOnce(done, "a clear");
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
    unchangedUnlessWrittenOnce(done, "a save");
    require(done || !inLayout || !finiteBar(live) || !storableBar(live), "saving onto a file in the layout failed");
    // After a clear (the clear item hidden) only the position and title-bar records are written,
    // so the rest is known only for a file in the layout. What a value that is not finite reads
    // back as is the save's own check.
    if (!done || (!live.clearVisible && !inLayout) || !finiteBar(live)) return 0;

    const std::string saved = store.files.at(kSettingsPath);
    StoredSettings reloaded;
    require(completes([&] { reloaded = readAllSettings(file); }),
            "a saved file does not load\n  before " + shownBytes(before) + "\n  after  " + shownBytes(saved));
    StoredSettings expected = expectedAfterSave(live);
    if (!live.clearVisible) {
        for (int n = 0; n < kSlotCount; ++n) expected.slotPaths[n] = stored.slotPaths[n];
        expected.width = stored.width;
        expected.addButtonLeft = stored.addButtonLeft;
    } else {
        for (int n = 1; n <= kSlotCount; ++n) {
            const std::u16string& path = live.addedPaths[n].empty() ? live.loadedPaths[n] : live.addedPaths[n];
            if (!storableSlot(path, n, cp932()) && reloaded.slotPaths[n - 1] == placeholder(n)) {
                expected.slotPaths[n - 1] = placeholder(n);
            }
        }
    }
    require(reloaded == expected, "values after a save\n  before   " + describe(stored) + "\n  reloaded " +
                                      describe(reloaded) + "\n  expected " + describe(expected) +
                                      "\n  file " + shownBytes(before));
    if (!live.clearVisible) return 0;

    // The next quit leaves the bytes alone, unless this one kept a "W:" or "CL:" value that stood
    // there already without its line break: the next adds it once, and then nothing moves.
    const auto saveAgain = [&] {
        LiveBar again = live;
        require(completes([&] { saveSettings(file, again); }), "a second save failed");
        return store.files.at(kSettingsPath);
    };
    const float width = live.hidden == 1 ? live.width + 120.0f : live.width;
    const std::string joinedWidth = "W:" + toUtf8(singleText(width)) + "Path1:";
    const std::string joinedLeft = "CL:" + toUtf8(singleText(live.addLeft)) + "W:";
    const bool joined = saved.find(joinedWidth) != std::string::npos || saved.find(joinedLeft) != std::string::npos;
    const std::string second = saveAgain();
    require(second == saved || joined,
            "the next quit changed the file\n  first  " + shownBytes(saved) + "\n  second " + shownBytes(second));
    if (second != saved) require(saveAgain() == second, "the file changes at every quit");
    return 0;
}
