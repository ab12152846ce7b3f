#pragma once

#include <string>
#include <string_view>

#include "settings/writers.h"

namespace quevor {

// What the record cycles of a quit leave of a file's text.
struct SavedText {
    std::u16string text;       // the whole new text of the file
    bool numbersKept = false;  // "W:" or "CL:" left untouched: its value stood there already
};

// The quit's record cycles, each rewriting the whole text as the next one reads it.
SavedText saveRecords(std::u16string_view start, const SaveValues& values);

// The width the "W:" record holds for these values.
float savedWidth(const SaveValues& values);
// A window edge as the position record can hold it, pulled into +-kEdgeLimit.
float clampedEdge(float edge);

}  // namespace quevor
