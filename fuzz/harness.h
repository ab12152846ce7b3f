#pragma once

// Shared pieces of the fuzz targets: the settings file in memory, a running bar whose live values
// the save takes, and what the program's own conversions make of a value on its way through the
// file.

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/error.h"
#include "core/int16.h"
#include "core/number.h"
#include "core/text.h"
#include "settings/codec.h"
#include "settings/layout.h"
#include "settings/reader.h"
#include "settings/settings_file.h"
#include "settings/writers.h"
#include "support/memory_store.h"

namespace quevor::fuzz {

inline const std::u16string kSettingsPath = u"/bar/setting.ini";

inline const TextCodec& cp932() {
    static const std::unique_ptr<TextCodec> codec = makeSystemCodec("CP932");
    return *codec;
}

// A broken property: report it the way libFuzzer reports a crash, so the input is kept.
[[noreturn]] inline void broken(const std::string& what) {
    std::fprintf(stderr, "property broken: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

inline void require(bool holds, const std::string& what) {
    if (!holds) broken(what);
}

// Values of a bar that has not been given a setting: its design geometry.
constexpr float kDesignWidth = 735;
constexpr float kDesignAddButtonLeft = 0;
constexpr float kDesignLeft = 100;
constexpr float kDesignTop = 100;

// The live values of a running bar, each handed to the save when it asks.
struct LiveBar final : SaveSource {
    bool clearVisible = true;
    int16 hidden = 0;
    float width = kDesignWidth;
    float addLeft = kDesignAddButtonLeft;
    float left = kDesignLeft;
    float top = kDesignTop;
    std::u16string addedPaths[16];   // 1-based
    std::u16string loadedPaths[16];  // 1-based

    bool clearItemVisible() const override { return clearVisible; }
    int16 titleBarHidden() const override { return hidden; }
    float windowWidth() const override { return width; }
    void setWindowWidth(float w) override { width = w; }
    float addButtonLeft() const override { return addLeft; }
    float windowLeft() const override { return left; }
    float windowTop() const override { return top; }
    std::u16string pathToSave(int slot) override {
        if (addedPaths[slot].empty()) addedPaths[slot] = loadedPaths[slot];
        return addedPaths[slot];
    }

    // The bar as start-up leaves it after reading these settings, title bar shown.
    static LiveBar fromLoaded(const StoredSettings& s) {
        LiveBar bar;
        bar.width = s.width.value_or(kDesignWidth);
        bar.addLeft = s.addButtonLeft.value_or(kDesignAddButtonLeft);
        bar.left = s.position.left ? static_cast<float>(*s.position.left) : kDesignLeft;
        bar.top = s.position.top ? static_cast<float>(*s.position.top) : kDesignTop;
        bar.hidden = s.titleBar.value_or(0);
        for (int n = 1; n <= kSlotCount; ++n) bar.loadedPaths[n] = s.slotPaths[n - 1].value_or(u"");
        return bar;
    }
};

// What a single-precision value becomes once written as text and read back.
inline float throughText(float value) {
    const auto parsed = parseNumber(singleText(value));
    require(parsed.has_value(), "the text of a number is no number: " + toUtf8(singleText(value)));
    return static_cast<float>(*parsed);
}

// The settings a completed save of this bar must leave, as start-up reads them.
inline StoredSettings expectedAfterSave(const LiveBar& before) {
    StoredSettings s;
    const float width = before.hidden == 1 ? before.width + 120.0f : before.width;
    s.width = throughText(width);
    s.addButtonLeft = throughText(before.addLeft);
    for (int n = 1; n <= kSlotCount; ++n) {
        std::u16string path = before.addedPaths[n].empty() ? before.loadedPaths[n] : before.addedPaths[n];
        if (path.empty()) path = placeholder(n);
        // The reader gives every stored ".EXE" back as ".exe".
        s.slotPaths[n - 1] = replaceAll(path, u".EXE", u".exe");
    }
    s.position.left = roundClampToInt16(before.left);
    s.position.top = roundClampToInt16(throughText(before.top < -32768.0f   ? -32768.0f
                                                   : before.top > 32767.0f ? 32767.0f
                                                                            : before.top));
    s.titleBar = before.hidden;
    return s;
}

inline std::string describe(const StoredSettings& s) {
    auto num = [](const auto& v) { return v ? std::to_string(*v) : std::string("-"); };
    std::string out = "W=" + num(s.width) + " CL=" + num(s.addButtonLeft);
    for (int n = 0; n < kSlotCount; ++n) {
        out += " P" + std::to_string(n + 1) + "=" + (s.slotPaths[n] ? toUtf8(*s.slotPaths[n]) : "-");
    }
    out += " X=" + num(s.position.left) + " Y=" + num(s.position.top) + " T=" + num(s.titleBar);
    return out;
}

// File bytes with the line breaks and other control bytes spelled out, for a failure report.
inline std::string shownBytes(const std::string& bytes) {
    std::string out;
    for (const char c : bytes) {
        if (c == '\r') {
            out += "[CR]";
        } else if (c == '\n') {
            out += "[LF]";
        } else if (static_cast<unsigned char>(c) < 0x20) {
            out += "[" + std::to_string(static_cast<unsigned char>(c)) + "]";
        } else {
            out += c;
        }
    }
    return out;
}

// Runs a reader or writer; the one error type is an allowed outcome, anything else escapes
// (and libFuzzer reports it).
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

}  // namespace quevor::fuzz
