#include "settings/layout.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/error.h"
#include "core/messages.h"
#include "core/text.h"

namespace quevor {

std::u16string slotKeyName(int slot) { return u"Path" + ascii(std::to_string(slot)); }
std::u16string slotKey(int slot) { return slotKeyName(slot) + u":"; }
std::u16string placeholder(int slot) { return ascii(std::to_string(slot)) + u".exe"; }

bool isPlaceholderOrEmpty(const std::u16string& path, int slot) {
    return path.empty() || path == placeholder(slot);
}

float roundClampEdge(double edge) {
    if (std::isnan(edge)) failOverflow(Message::outOfRange);
    const double limit = kEdgeLimit;
    const double clamped = std::clamp(edge, -limit, limit);
    // By hand rather than through the rounding mode, which a system DLL may have changed.
    const double floor = std::floor(clamped);
    const double rest = clamped - floor;
    const bool up = rest > 0.5 || (rest == 0.5 && std::fmod(floor, 2.0) != 0.0);
    return static_cast<float>(up ? floor + 1.0 : floor);
}

std::u16string clearedStateText() {
    std::u16string text = u"CL:0W:735";
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        text += slotKey(slot) + placeholder(slot);
        if (slot < kSlotCount) text += u"\r\n";
    }
    text += u"Path16:16.exe\r\n\rX:100Y:100";
    return text;
}

}  // namespace quevor
