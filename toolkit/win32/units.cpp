#include "toolkit/win32/units.h"

#include <cmath>

#include "core/error.h"
#include "core/messages.h"
#include "toolkit/win32/win32.h"

namespace quevor::win32 {

Units Units::system() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return Units(dpi);
}

int Units::toPixels(float twips) const {
    const double pixels = std::nearbyint(static_cast<double>(twips) * dpi_ / 1440.0);
    if (!std::isfinite(pixels) || pixels < -1e6 || pixels > 1e6) failOverflow(Message::outOfRange);
    return static_cast<int>(pixels);
}

float Units::toTwips(int pixels) const {
    return static_cast<float>(static_cast<double>(pixels) * 1440.0 / dpi_);
}

}  // namespace quevor::win32
