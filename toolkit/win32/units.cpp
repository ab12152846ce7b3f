#include "toolkit/win32/units.h"

#include <algorithm>
#include <cmath>

#include "core/error.h"
#include "core/messages.h"
#include "toolkit/win32/win32.h"

namespace quevor::win32 {
namespace {

constexpr double kMaxPixels = 1e6;

}  // namespace

Units Units::system() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return Units(dpi);
}

double Units::pixels(float twips) const {
    return std::nearbyint(static_cast<double>(twips) * dpi_ / 1440.0);
}

int Units::toPixels(float twips) const {
    const double value = pixels(twips);
    if (!std::isfinite(value) || value < -kMaxPixels || value > kMaxPixels) {
        failOverflow(Message::outOfRange);
    }
    return static_cast<int>(value);
}

int Units::toEdgePixels(float twips) const {
    const double value = pixels(twips);
    if (std::isnan(value)) failOverflow(Message::outOfRange);
    return static_cast<int>(std::clamp(value, -kMaxPixels, kMaxPixels));
}

float Units::toTwips(int pixels) const {
    return static_cast<float>(static_cast<double>(pixels) * 1440.0 / dpi_);
}

}  // namespace quevor::win32
