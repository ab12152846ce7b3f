#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/int16.h"

namespace quevor {

// The per-key readers of start-up. Each is given the whole text of the file (start-up reads the
// file once and hands every reader that text), finds its key anywhere in it and cuts the value at
// the key the layout puts after it (see layout.h). A missing key gives nullopt (the target keeps
// its value); a value that is no number stops the program.

std::optional<float> readWidth(std::u16string_view text);                        // "W:"
std::optional<float> readAddButtonLeft(std::u16string_view text);                // "CL:"
std::optional<std::u16string> readSlotPath(std::u16string_view text, int slot);  // "PathN:"

// Window edges in whole twips (see roundClampEdge in layout.h).
struct StoredPosition {
    std::optional<float> left;  // "X:"
    std::optional<float> top;   // "Y:"
    bool operator==(const StoredPosition&) const = default;
};
// "X:" and "Y:" from one read; edges beyond kEdgeLimit are pulled to it.
StoredPosition readPosition(std::u16string_view text);

std::optional<int16> readTitleBar(std::u16string_view text);  // "T:"

// Everything start-up reads, in its order; for tests and tools that want the values at once.
struct StoredSettings {
    std::optional<float> width;
    std::optional<float> addButtonLeft;
    std::optional<std::u16string> slotPaths[15];
    StoredPosition position;
    std::optional<int16> titleBar;
    bool operator==(const StoredSettings&) const = default;
};
StoredSettings readAllSettings(std::u16string_view text);

}  // namespace quevor
