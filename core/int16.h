#pragma once

#include <cstdint>

namespace quevor {

// Counters, flags, search positions and integer geometry are 16-bit signed; leaving the range
// is an overflow error, never a silent wrap.
using int16 = std::int16_t;

constexpr int16 kInt16Min = INT16_MIN;
constexpr int16 kInt16Max = INT16_MAX;

// Narrows to 16 bits; outside -32768..32767 throws an out-of-range RuntimeError
// (ErrorKind::overflow).
int16 toInt16(long long value);
int16 add16(int16 a, int16 b);
int16 sub16(int16 a, int16 b);
int16 mul16(int16 a, int16 b);

// Conversion of a number to an integer: nearest, halves to the even neighbour.
// Throws an out-of-range error when the result does not fit 16 bits (or the value is not finite).
int16 roundToInt16(double value);

// The same rounding, but a value outside the 16-bit range is pulled to its nearest end.
// Used for window edges, which the settings file can only hold as 16-bit values.
int16 roundClampToInt16(double value);

}  // namespace quevor
