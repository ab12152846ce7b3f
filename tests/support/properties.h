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
inline bool storablePath(const std::u16string& path, const TextCodec& codec) {
    return !checkStorablePath(path, codec).has_value();
}
inline bool storableSlot(const std::u16string& path, int slot, const TextCodec& codec) {
    return isPlaceholderOrEmpty(path, slot) || (storablePath(path, codec) && path == storedPathFor(path));
}
inline bool finiteBar(const FakeBar& bar) {
    return std::isfinite(bar.width) && std::isfinite(bar.addLeft) && std::isfinite(bar.left) &&
           std::isfinite(bar.top);
}

// A single-precision value once written as text and read back.
inline float throughText(float value) {
    const auto parsed = parseNumber(singleText(value));
    require(parsed.has_value(), "the text of a number is no number: " + toUtf8(singleText(value)));
    return static_cast<float>(*parsed);
}

// The settings a completed save of this bar leaves, as start-up reads them.
inline StoredSettings expectedAfterSave(const FakeBar& bar) {
    StoredSettings s;
    s.width = throughText(bar.hidden == 1 ? bar.width + 120.0f : bar.width);
    s.addButtonLeft = throughText(bar.addLeft);
    for (int n = 1; n <= kSlotCount; ++n) {
        std::u16string path = bar.addedPaths[n].empty() ? bar.loadedPaths[n] : bar.addedPaths[n];
        s.slotPaths[n - 1] = replaceAll(path.empty() ? placeholder(n) : path, u".EXE", u".exe");
    }
    s.position.left = roundClampToInt16(bar.left);
    s.position.top = roundClampToInt16(throughText(std::fmax(-32768.0f, std::fmin(bar.top, 32767.0f))));
    s.titleBar = bar.hidden;
    return s;
}

inline std::string describe(const StoredSettings& s) {
    auto num = [](const auto& v) { return v ? std::to_string(*v) : std::string("-"); };
    std::string out = "W=" + num(s.width) + " CL=" + num(s.addButtonLeft);
    for (int n = 0; n < kSlotCount; ++n) {
        out += " P" + std::to_string(n + 1) + "=" + (s.slotPaths[n] ? toUtf8(*s.slotPaths[n]) : "-");
    }
    return out + " X=" + num(s.position.left) + " Y=" + num(s.position.top) + " T=" + num(s.titleBar);
}

// Any bytes as setting.ini: start-up reads every value or stops with a message, and writes
// nothing. Whatever loads with storable paths: quitting with the loaded values and starting again
// gives the same values; from the second quit on no byte moves (a "W:" or "CL:" value equal to the
// live one is left as it stands, without the line break a rewrite would add); a restart and quit,
// title bar shown, keeps the bytes too.
inline void checkFileRoundTrip(const std::string& original) {
    MemoryStore store;
    store.files[kSettingsPath] = original;
    const SettingsFile file(kSettingsPath, store, cp932());
    StoredSettings loaded;
    const bool loads = completes([&] { loaded = readAllSettings(file); });
    require(store.writes.empty() && store.files.at(kSettingsPath) == original, "start-up wrote the file");
    if (!loads) return;
    require(!loaded.width || std::isfinite(*loaded.width), "width not finite");
    require(!loaded.addButtonLeft || std::isfinite(*loaded.addButtonLeft), "add button edge not finite");
    for (const auto& path : loaded.slotPaths) {
        require(!path || (path->size() >= 4 && path->find(u".exe") == path->size() - 4), "slot value");
    }
    const FakeBar bar = FakeBar::fromLoaded(loaded);
    bool promised = true;
    for (int n = 1; n <= kSlotCount; ++n) promised = promised && storableSlot(bar.loadedPaths[n], n, cp932());

    FakeBar first = bar;
    if (!completes([&] { saveSettings(file, first); })) return require(!promised, "a loadable file failed to save");
    StoredSettings reloaded;
    const bool readable = completes([&] { reloaded = readAllSettings(file); });
    if (!promised) return;
    const StoredSettings expected = expectedAfterSave(bar);
    require(readable && reloaded == expected, "values changed\n  loaded   " + describe(loaded) +
                                                  "\n  reloaded " + describe(reloaded) + "\n  expected " +
                                                  describe(expected));
    for (int quit = 2; quit <= 3; ++quit) {
        const std::string before = store.files.at(kSettingsPath);
        FakeBar again = bar;
        saveSettings(file, again);
        require(readAllSettings(file) == expected, "a further save changed the values");
        require(quit == 2 || store.files.at(kSettingsPath) == before, "a third save changed the bytes");
    }
    if (bar.hidden == 1) return;  // start-up sizes a hidden bar from its buttons
    const std::string settled = store.files.at(kSettingsPath);
    FakeBar restarted = FakeBar::fromLoaded(reloaded);
    saveSettings(file, restarted);
    require(store.files.at(kSettingsPath) == settled, "a restart and quit changed the bytes");
}

// A path the add check accepts goes through add, quit and the next start-up unchanged in every
// slot, on the cleared file and next to two programs; a further quit keeps the bytes and a clear
// still gives the cleared file.
inline void checkPathRoundTrip(const std::u16string& chosen) {
    if (!storablePath(chosen, cp932())) return;
    const std::u16string stored = storedPathFor(chosen);
    require(storablePath(stored, cp932()), "the stored form of an accepted path is refused");
    for (const std::string& base : {clearedFile(), workedExampleFile()}) {
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            MemoryStore store;
            store.files[kSettingsPath] = base;
            const SettingsFile file(kSettingsPath, store, cp932());
            const std::string where = " (slot " + std::to_string(slot) + ", path " + toUtf8(chosen) + ")";
            FakeBar bar = FakeBar::fromLoaded(readAllSettings(file));
            bar.addedPaths[slot] = stored;
            bar.width += 585;
            bar.addLeft += 585;
            const FakeBar live = bar;
            saveSettings(file, bar);
            const std::string saved = store.files.at(kSettingsPath);
            StoredSettings next;
            require(completes([&] { next = readAllSettings(file); }), "the saved file does not load" + where);
            require(next == expectedAfterSave(live), "values changed" + where + "\n  " + describe(next));
            FakeBar restarted = FakeBar::fromLoaded(next);
            saveSettings(file, restarted);
            require(store.files.at(kSettingsPath) == saved, "a restart and quit changed the bytes" + where);
            clearSettings(file);
            require(store.files.at(kSettingsPath) == clearedFile(),
                    "clearing did not give the cleared file" + where + "\n  " + shownBytes(store.files.at(kSettingsPath)));
        }
    }
}

}  // namespace quevor::testing
