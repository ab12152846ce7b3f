#pragma once

#include <string>

#include "core/error.h"
#include "core/int16.h"
#include "settings/layout.h"
#include "settings/settings_file.h"

namespace quevor {

// What a quit stores, taken from the running bar once, as it stands when the quit is chosen.
struct SaveValues {
    // The bar was cleared (the menu no longer offers the clear): only the position and title-bar
    // records are written, so the cleared records stay as the clear left them.
    bool cleared = false;
    int16 titleBarRecord =
        0;            // "T:"; 1 (hidden) also widens the saved width (see save_records.cpp)
    float width = 0;  // the window's width as it is shown
    float addButtonLeft = 0;
    float left = 0, top = 0;  // the window's edges
    // Per slot (slot n at [n - 1]) what the bar keeps there: the program of the button that
    // stands at the slot's place among the buttons in on-screen order, or for a slot without a
    // button the path added or loaded for it; "" saves the slot's placeholder.
    std::u16string paths[kSlotCount];

    bool operator==(const SaveValues&) const = default;
};

// A quit whose new file could not be verified: nothing was written, so the bar can stay open.
class SaveNotVerified final : public RuntimeError {
  public:
    using RuntimeError::RuntimeError;
};

// Quit saving: one read-modify-write cycle per record ("W:", "CL:", the fifteen slots, then the
// position and title-bar records), run on the text in memory. The result is written once, and
// only when start-up reads every saved value back from it and the next quit would leave it as
// it is; a file on which the cycles fail that is first put into the cleared state. When even
// that fails, throws SaveNotVerified and leaves the file as it was. The caller ends the program
// afterwards.
void saveSettings(const SettingsFile& file, const SaveValues& values);

// Clear: every record back to its default, one cycle per record, then the position record, run
// on the text in memory and written once, when start-up reads the cleared bar back from it;
// otherwise the file becomes the cleared file. A file that cannot be read is left as it is.
void clearSettings(const SettingsFile& file);

}  // namespace quevor
