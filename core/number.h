#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quevor {

// Text of a single-precision number: whole numbers as plain digits with a leading "-" when
// negative; other values with up to seven significant digits and a "." decimal point.
std::u16string singleText(float value);

// Reads a decimal number, ignoring blanks, tabs, CR and LF around it. Accepts an optional sign,
// digits with an optional fraction, and an optional exponent; anything else is no number.
std::optional<double> parseNumber(std::u16string_view text);

}  // namespace quevor
