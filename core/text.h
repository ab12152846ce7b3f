#pragma once

#include <string>
#include <string_view>

#include "core/int16.h"

namespace quevor {

// Text inside the program is UTF-16, one unit per character of the settings file's code page,
// so search positions count characters exactly as the file's readers and writers see them.

// Builds text from an ASCII literal or string.
std::u16string ascii(std::string_view text);

// Converts between the program's text and UTF-8 (for scripts, logs and test messages).
std::string toUtf8(std::u16string_view text);
std::u16string fromUtf8(std::string_view text);

// 1-based position of the first occurrence of needle, or 0. Positions are 16-bit: an occurrence
// beyond 32767 is an out-of-range error.
int16 findPos(std::u16string_view text, std::u16string_view needle);

// True when needle occurs in text (its position, too, must fit 16 bits).
bool occurs(std::u16string_view text, std::u16string_view needle);

// Replaces every occurrence of from, left to right without overlap. An empty from changes
// nothing.
std::u16string replaceAll(std::u16string_view text, std::u16string_view from,
                          std::u16string_view to);

}  // namespace quevor
