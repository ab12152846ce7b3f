#pragma once

// What must hold for any settings file and any program path, checked by the fuzz targets on
// generated input and by the seed test on every file of fuzz/corpus. A broken property throws
// PropertyBroken: a failure in the test, a crash (and a kept input) under libFuzzer.

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
    s.position.left = roundClampToInt16(bar.left);
    s.position.top =
        roundClampToInt16(throughText(std::fmax(-32768.0f, std::fmin(bar.top, 32767.0f))));
    s.titleBar = bar.titleBarRecord;
    return s;
}

inline std::string describe(const StoredSettings& s) {
    auto num = [](const auto& v) { return v ? std::to_string(*v) : std::string("-"); };
    std::string out = "W=" + num(s.width) + " CL=" + num(s.addButtonLeft);
    for (int n = 0; n < kSlotCount; ++n) {
        out +=
            " P" + std::to_string(n + 1) + "=" + (s.slotPaths[n] ? toUtf8(*s.slotPaths[n]) : "-");
    }
    return out + " X=" + num(s.position.left) + " Y=" + num(s.position.top) +
           " T=" + num(s.titleBar);
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

// Any bytes as setting.ini: start-up reads every value or stops with a message, and writes
// nothing. A clear either stops and leaves the bytes, or writes once a file that reads as the
// cleared bar. A quit of a bar holding two programs of its own either stops and leaves the bytes,
// or writes a file that reads back the bar and that the next quit leaves alone. Whatever loads with
// storable paths, plus a program added in the first free slot: quitting and starting again gives
// the same values; from the second quit on no byte moves (a "W:" or "CL:" value equal to the live
// one is left as it stands, without the line break a rewrite would add); a restart and quit, title
// bar shown, keeps the bytes too.
inline void checkFileRoundTrip(const std::string& original) {
    MemoryStore store;
    const SettingsFile file(kSettingsPath, store, cp932());
    const auto quit = [&](const SaveValues& live) {
        saveSettings(file, live);
        return store.files.at(kSettingsPath);
    };
    SaveValues own = loadedBar();
    own.width = 1905;
    own.addButtonLeft = 1170;
    own.paths[0] = u"C:\\Tools\\edit.exe";
    own.paths[14] = u"Z:\\last.exe";
    store.files[kSettingsPath] = original;
    if (completes([&] { quit(own); })) {
        require(startUpReads(file) == expectedAfterSave(own),
                "a bar's own values did not come back");
        // The next quit keeps the bytes, unless a "W:" or "CL:" value equal to the bar's stood
        // without its whole line break: that one adds it, and then nothing moves.
        const std::string first = store.files.at(kSettingsPath), second = quit(own);
        const bool joined = first.find("W:1905Path1:") != std::string::npos ||
                            first.find("CL:1170W:") != std::string::npos ||
                            first.find("W:1905\r\n") == std::string::npos ||
                            first.find("CL:1170\r\n") == std::string::npos;
        require((second == first || joined) && quit(own) == second,
                "the next quit changed the file");
    } else {
        require(store.files.at(kSettingsPath) == original, "a failed save changed the file");
    }

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
    require(!loaded.width || std::isfinite(*loaded.width), "width not finite");
    require(!loaded.addButtonLeft || std::isfinite(*loaded.addButtonLeft),
            "add button edge not finite");
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

    if (!completes([&] { quit(bar); })) return require(!promised, "a loadable file failed to save");
    StoredSettings reloaded;
    const bool readable = completes([&] { reloaded = startUpReads(file); });
    if (!promised) return;
    const StoredSettings expected = expectedAfterSave(bar);
    require(readable && reloaded == expected, "values changed\n  loaded   " + describe(loaded) +
                                                  "\n  reloaded " + describe(reloaded) +
                                                  "\n  expected " + describe(expected));
    const std::string second = quit(bar);
    require(startUpReads(file) == expected && quit(bar) == second,
            "a further save changed the file");
    if (bar.titleBarRecord == 1) return;  // start-up sizes a hidden bar from its buttons
    require(quit(loadedBar(reloaded)) == second, "a restart and quit changed the bytes");
}

// A path the add check accepts goes through add, quit and the next start-up unchanged in every
// slot, on the cleared file and next to two programs; a restart and quit keeps the bytes and a
// clear still gives the cleared file.
inline void checkPathRoundTrip(const std::u16string& chosen) {
    if (!storablePath(chosen)) return;
    const std::u16string stored = storedPathFor(chosen);
    require(storablePath(stored), "the stored form of an accepted path is refused");
    for (const std::string& base : {clearedFile(), workedExampleFile()}) {
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            MemoryStore store;
            store.files[kSettingsPath] = base;
            const SettingsFile file(kSettingsPath, store, cp932());
            const std::string where =
                " (slot " + std::to_string(slot) + ", " + toUtf8(chosen) + ")";
            SaveValues bar = loadedBar(startUpReads(file));
            bar.paths[slot - 1] = stored;
            bar.width += 585;
            bar.addButtonLeft += 585;
            const StoredSettings expected = expectedAfterSave(bar);
            saveSettings(file, bar);
            const std::string saved = store.files.at(kSettingsPath);
            StoredSettings next;
            require(completes([&] { next = startUpReads(file); }) && next == expected,
                    "values changed" + where + "\n  " + describe(next));
            saveSettings(file, loadedBar(next));
            require(store.files.at(kSettingsPath) == saved,
                    "a restart and quit changed the file" + where);
            clearSettings(file);
            require(store.files.at(kSettingsPath) == clearedFile(),
                    "clearing did not give the cleared file" + where);
        }
    }
}

}  // namespace quevor::testing
