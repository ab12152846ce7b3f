#pragma once

#include <array>
#include <string>

#include "settings/reader.h"
#include "settings/writers.h"

namespace quevor::testing {

// Byte strings are written with [CR] and [LF] spelled out so expected files read like the
// layout they describe.
inline std::string bytes(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, 4, "[CR]") == 0) {
            out += '\r';
            i += 4;
        } else if (text.compare(i, 4, "[LF]") == 0) {
            out += '\n';
            i += 4;
        } else {
            out += text[i++];
        }
    }
    return out;
}

// The file as clearing leaves it, written out byte by byte.
inline std::string clearedFile() {
    std::string out = "CL:0W:735Path1:1.exe[CR][LF]";
    for (int n = 2; n <= 14; ++n) {
        out += "Path" + std::to_string(n) + ":" + std::to_string(n) + ".exe[CR][LF]";
    }
    out += "Path15:15.exePath16:16.exe[CR][LF][CR]X:100Y:100[CR][LF]";
    return bytes(out);
}

// The live values of a running bar, as plain fields.
struct FakeBar : SaveSource {
    bool clearVisible = true;
    int16 hidden = 0;
    float width = 735, addLeft = 0, left = 100, top = 100;
    std::array<std::u16string, 16> addedPaths{};   // 1-based
    std::array<std::u16string, 16> loadedPaths{};  // 1-based

    bool clearItemVisible() const override { return clearVisible; }
    int16 titleBarHidden() const override { return hidden; }
    float windowWidth() const override { return width; }
    void setWindowWidth(float w) override { width = w; }
    float addButtonLeft() const override { return addLeft; }
    float windowLeft() const override { return left; }
    float windowTop() const override { return top; }
    std::u16string pathToSave(int slot) override {
        auto& added = addedPaths[static_cast<std::size_t>(slot)];
        if (added.empty()) added = loadedPaths[static_cast<std::size_t>(slot)];
        return added;
    }
    // What a start-up would have loaded from the file.
    void load(const StoredSettings& s) {
        for (int n = 1; n <= 15; ++n) {
            loadedPaths[static_cast<std::size_t>(n)] = s.slotPaths[n - 1].value_or(u"");
        }
    }
};

}  // namespace quevor::testing
