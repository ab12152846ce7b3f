#include "core/int16.h"

#include <cmath>

#include "core/error.h"
#include "core/messages.h"

namespace quevor {

int16 toInt16(long long value) {
    if (value < kInt16Min || value > kInt16Max) failOverflow(Message::outOfRange);
    return static_cast<int16>(value);
}

int16 add16(int16 a, int16 b) { return toInt16(static_cast<long long>(a) + b); }
int16 sub16(int16 a, int16 b) { return toInt16(static_cast<long long>(a) - b); }
int16 mul16(int16 a, int16 b) { return toInt16(static_cast<long long>(a) * b); }

namespace {
double roundHalfEven(double value) {
    // nearbyint honours the current rounding mode, which is round-to-nearest-even by default;
    // do it by hand so a changed FPU mode cannot alter stored geometry.
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff < 0.5) return floor;
    if (diff > 0.5) return floor + 1.0;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}
}  // namespace

int16 roundToInt16(double value) {
    if (!std::isfinite(value)) failOverflow(Message::outOfRange);
    const double rounded = roundHalfEven(value);
    if (rounded < kInt16Min || rounded > kInt16Max) failOverflow(Message::outOfRange);
    return static_cast<int16>(rounded);
}

int16 roundClampToInt16(double value) {
    if (std::isnan(value)) failOverflow(Message::outOfRange);
    if (value <= kInt16Min) return kInt16Min;
    if (value >= kInt16Max) return kInt16Max;
    return roundToInt16(value);
}

}  // namespace quevor
