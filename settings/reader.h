#pragma once

#include <optional>
#include <string>

#include "core/int16.h"
#include "settings/settings_file.h"

namespace quevor {

// The per-key readers of start-up. Each reads the whole file afresh, finds its key anywhere in
// the text and cuts the value at the key the layout puts after it. A missing key gives nullopt
// (the target keeps its value); a value that is no number stops the program.

std::optional<float> readWidth(const SettingsFile& file);          // "W:"
std::optional<float> readAddButtonLeft(const SettingsFile& file);  // "CL:"
std::optional<std::u16string> readSlotPath(const SettingsFile& file, int slot);  // "PathN:"

struct StoredPosition {
    std::optional<int16> left;  // "X:"
    std::optional<int16> top;   // "Y:"
    bool operator==(const StoredPosition&) const = default;
};
// "X:" and "Y:" from one read; edges outside the 16-bit range are pulled to its ends.
StoredPosition readPosition(const SettingsFile& file);

std::optional<int16> readTitleBar(const SettingsFile& file);  // "T:"

// Everything start-up reads, in its order; for tests and tools that want the values at once.
struct StoredSettings {
    std::optional<float> width;
    std::optional<float> addButtonLeft;
    std::optional<std::u16string> slotPaths[15];
    StoredPosition position;
    std::optional<int16> titleBar;
    bool operator==(const StoredSettings&) const = default;
};
StoredSettings readAllSettings(const SettingsFile& file);

}  // namespace quevor
