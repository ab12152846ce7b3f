#pragma once

// What must hold for any settings file and any program path, checked by the fuzz targets on
// generated input and by the seed test on every file of fuzz/corpus. A broken property throws
// PropertyBroken: a failure in the test, a crash (and a kept input) under libFuzzer.

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>

#include "core/error.h"
#include "core/number.h"
#include "core/text.h"
#include "settings/codec.h"
#include "slots/path_check.h"
#include "support/fake_bar.h"
#include "support/memory_store.h"
#include "support/settings_text.h"

namespace quevor::testing {

struct PropertyBroken : std::logic_error {
    using std::logic_error::logic_error;
};

inline void require(bool holds, const std::string& what) {
    if (!holds) throw PropertyBroken(what);
}

// Runs a reader or writer: false when it stopped with the one error type (which must say why).
template <typename F>
bool completes(F&& action) {
    try {
        action();
        return true;
    } catch (const RuntimeError& e) {
        require(e.what()[0] != '\0', "an error without a message");
        return false;
    }
}

inline const TextCodec& cp932() {
    static const std::unique_ptr<TextCodec> codec = makeSystemCodec("CP932");
    return *codec;
}
inline const std::u16string kSettingsPath = u"/bar/setting.ini";

// Only paths the add takes, in the form it stores them, are promised a round trip: a path with
// a key or marker text in it is taken apart by the keyed search by design.
inline bool storablePath(const std::u16string& path) { return !checkStorablePath(path, cp932()); }
inline bool storableSlot(const std::u16string& path, int slot) {
    return isPlaceholderOrEmpty(path, slot) || (storablePath(path) && path == storedPathFor(path));
}

// The settings a completed save of this bar leaves, as start-up reads them.
inline StoredSettings expectedAfterSave(const SaveValues& bar) {
    const auto throughText = [](float v) {
        return static_cast<float>(parseNumber(singleText(v)).value());
    };
    StoredSettings s;
    s.width = throughText(bar.titleBarRecord == 1 ? bar.width + 120.0f : bar.width);
    s.addButtonLeft = throughText(bar.addButtonLeft);
    for (int n = 1; n <= kSlotCount; ++n) {
        const std::u16string& path = bar.paths[n - 1];
        s.slotPaths[n - 1] = replaceAll(path.empty() ? placeholder(n) : path, u".EXE", u".exe");
    }
    s.position.left = roundClampEdge(bar.left);
    s.position.top = roundClampEdge(throughText(std::clamp(bar.top, -kEdgeLimit, kEdgeLimit)));
    s.titleBar = bar.titleBarRecord;
    return s;
}

// Start-up's reading of a cleared bar: no program and no missing one, the cleared file's
// geometry, the title bar shown.
inline bool readsAsClearedBar(const StoredSettings& s) {
    const StoredSettings cleared = readAllSettings(fromUtf8(clearedFile()));
    for (int n = 1; n <= kSlotCount; ++n) {
        if (!isPlaceholderOrEmpty(s.slotPaths[n - 1].value_or(u""), n)) return false;
    }
    return s.width == cleared.width && s.addButtonLeft == cleared.addButtonLeft &&
           s.position == cleared.position && s.titleBar.value_or(0) == 0;
}

// A quit of these live values on the file as it stands either stops and leaves the bytes, or
// writes once a file from which start-up reads every value back (a "path" no file can hold may
// come back as its placeholder, nothing else) and that the next quits leave alone; but a "W:" or
// "CL:" value equal to the live one that stood without its line break gets it from the next quit,
// and then nothing moves. Gives whether the quit completed.
inline bool checkQuit(MemoryStore& store, const SettingsFile& file, const SaveValues& live) {
    const std::string before = store.files.at(kSettingsPath);
    const auto quit = [&] {
        saveSettings(file, live);
        return store.files.at(kSettingsPath);
    };
    store.writes.clear();
    if (!completes(quit)) {
        require(store.files.at(kSettingsPath) == before, "a failed save changed the file");
        return false;
    }
    const std::string saved = store.files.at(kSettingsPath);
    const std::string diff = "\n  before " + shownBytes(before) + "\n  after " + shownBytes(saved);
    require(store.writes.size() == 1, "a save did not write once" + diff);
    // A save after a clear writes only the position and title-bar records; what a value that is
    // not finite reads back as is the save's own check (the sum in double is finite exactly when
    // all four are).
    const double edges = double(live.width) + live.addButtonLeft + live.left + live.top;
    if (live.cleared || !std::isfinite(edges)) return true;

    // A saved file that does not load throws: a crash under libFuzzer, the input kept.
    const StoredSettings reloaded = startUpReads(file);
    StoredSettings expected = expectedAfterSave(live);
    for (int n = 1; n <= kSlotCount; ++n) {
        if (!storableSlot(live.paths[n - 1], n) && reloaded.slotPaths[n - 1] == placeholder(n)) {
            expected.slotPaths[n - 1] = placeholder(n);
        }
    }
    require(reloaded == expected, "the values did not come back" + diff);
    const auto bare = [&](const std::string& record) {  // its first copy without CR LF
        const auto at = saved.find(record);
        return at == std::string::npos || saved.compare(at + record.size(), 2, "\r\n") != 0;
    };
    const float width = live.titleBarRecord == 1 ? live.width + 120.0f : live.width;
    const bool joined = bare("W:" + toUtf8(singleText(width))) ||
                        bare("CL:" + toUtf8(singleText(live.addButtonLeft)));
    const std::string next = quit();
    require((next == saved || joined) && quit() == next,
            "the next quits changed the file\n  first  " + shownBytes(saved) + "\n  second " +
                shownBytes(next) + "\n  third  " + shownBytes(store.files.at(kSettingsPath)));
    return true;
}

// A quit of what start-up reads from the file, title bar shown, leaves it as it is.
inline void checkRestartKeepsBytes(const SettingsFile& file, MemoryStore& store) {
    const std::string saved = store.files.at(kSettingsPath);
    saveSettings(file, loadedBar(startUpReads(file)));
    require(store.files.at(kSettingsPath) == saved, "a restart and quit changed the bytes");
}

// Any bytes as setting.ini: start-up reads every value or stops with a message, and writes
// nothing. A clear either stops and leaves the bytes, or writes once a file that reads as the
// cleared bar. A quit of a bar holding two programs of its own keeps checkQuit. Whatever loads,
// plus a program added in the first free slot, keeps it too; with storable paths the quit
// completes, and a restart and quit, title bar shown, keeps the bytes.
inline void checkFileRoundTrip(const std::string& original) {
    MemoryStore store;
    const SettingsFile file(kSettingsPath, store, cp932());
    SaveValues own = loadedBar();
    own.width = 1905;
    own.addButtonLeft = 1170;
    own.paths[0] = u"C:\\Tools\\edit.exe";
    own.paths[14] = u"Z:\\last.exe";
    store.files[kSettingsPath] = original;
    checkQuit(store, file, own);

    store.files[kSettingsPath] = original;
    store.writes.clear();
    if (StoredSettings cleared; completes([&] { clearSettings(file); })) {
        require(
            store.writes.size() == 1 && completes([&] { cleared = startUpReads(file); }) &&
                readsAsClearedBar(cleared),
            "a clear did not give the cleared bar: " + shownBytes(store.files.at(kSettingsPath)));
    } else {
        require(store.files.at(kSettingsPath) == original, "a failed clear changed the file");
    }

    store.files[kSettingsPath] = original;
    store.writes.clear();
    StoredSettings loaded;
    const bool loads = completes([&] { loaded = startUpReads(file); });
    require(store.writes.empty() && store.files.at(kSettingsPath) == original,
            "start-up wrote the file");
    if (!loads) return;
    for (const auto& path : loaded.slotPaths) {
        require(!path || (path->size() >= 4 && path->find(u".exe") == path->size() - 4),
                "slot value");
    }
    SaveValues bar = loadedBar(loaded);
    bool promised = true;
    int spare = 0;
    for (int n = kSlotCount; n >= 1; --n) {
        promised = promised && storableSlot(bar.paths[n - 1], n);
        if (isPlaceholderOrEmpty(bar.paths[n - 1], n)) spare = n;
    }
    if (spare != 0) bar.paths[spare - 1] = u"C:\\new\\added.exe";
    if (!checkQuit(store, file, bar)) return require(!promised, "a loadable file failed to save");
    // A hidden bar is sized from its buttons at start-up.
    if (promised && bar.titleBarRecord != 1) checkRestartKeepsBytes(file, store);
}

// A path the add check accepts goes through add, quit (checkQuit) and the next start-up
// unchanged in every slot, on the cleared file and next to two programs, and a restart and quit
// keeps the bytes.
inline void checkPathRoundTrip(const std::u16string& chosen) {
    if (!storablePath(chosen)) return;
    const std::u16string stored = storedPathFor(chosen);
    require(storablePath(stored), "the stored form of an accepted path is refused");
    for (const std::string& base : {clearedFile(), workedExampleFile()}) {
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            MemoryStore store;
            store.files[kSettingsPath] = base;
            const SettingsFile file(kSettingsPath, store, cp932());
            SaveValues bar = loadedBar(startUpReads(file));
            bar.paths[slot - 1] = stored;
            bar.width += 585;
            bar.addButtonLeft += 585;
            require(checkQuit(store, file, bar),
                    "an accepted path did not save: " + toUtf8(chosen));
            checkRestartKeepsBytes(file, store);
        }
    }
}

}  // namespace quevor::testing
