#pragma once

#include <string>

#include "settings/layout.h"
#include "settings/reader.h"
#include "settings/writers.h"

namespace quevor::testing {

// The live values a save takes from a running bar, as plain fields (slots 1-based).
struct FakeBar : SaveSource {
    bool clearVisible = true;
    int16 hidden = 0;
    float width = 735, addLeft = 0, left = 100, top = 100;
    std::u16string addedPaths[16];
    std::u16string loadedPaths[16];

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

    // The bar as a start-up on these settings leaves it, title bar shown.
    static FakeBar fromLoaded(const StoredSettings& s) {
        FakeBar bar;
        bar.width = s.width.value_or(bar.width);
        bar.addLeft = s.addButtonLeft.value_or(bar.addLeft);
        bar.left = s.position.left.value_or(100);
        bar.top = s.position.top.value_or(100);
        bar.hidden = s.titleBar.value_or(0);
        for (int n = 1; n <= kSlotCount; ++n) bar.loadedPaths[n] = s.slotPaths[n - 1].value_or(u"");
        return bar;
    }
};

}  // namespace quevor::testing
