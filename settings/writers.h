#pragma once

#include <string>

#include "core/error.h"
#include "core/int16.h"
#include "settings/settings_file.h"

namespace quevor {

// The live values a save takes from the running bar, each read when its record is written.
class SaveSource {
public:
    virtual ~SaveSource() = default;
    virtual bool clearItemVisible() const = 0;  // the menu still offers the clear item
    virtual int16 titleBarHidden() const = 0;
    virtual float windowWidth() const = 0;
    virtual void setWindowWidth(float width) = 0;
    virtual float addButtonLeft() const = 0;
    virtual float windowLeft() const = 0;
    virtual float windowTop() const = 0;
    // addedPaths(slot), first completed from loadedPaths(slot) when empty; "" when both are.
    virtual std::u16string pathToSave(int slot) = 0;
};

// A quit whose new file could not be verified: nothing was written, so the bar can stay open.
class SaveNotVerified final : public RuntimeError {
public:
    using RuntimeError::RuntimeError;
};

// Quit saving: one read-modify-write cycle per record ("W:", "CL:", the fifteen slots, then the
// position and title-bar records), run on the text in memory. The result is written once, and
// only when start-up reads every live value back from it and the next quit would leave it as it
// is; a file on which the cycles fail that is first put into the cleared state. When even that
// fails, throws SaveNotVerified and leaves the file (and the window's width) as it was. The
// caller ends the program afterwards.
void saveSettings(const SettingsFile& file, SaveSource& source);

// Clear: every record back to its default, one cycle per record, then the position record, run
// on the text in memory and written once.
void clearSettings(const SettingsFile& file);

}  // namespace quevor
