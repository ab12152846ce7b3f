#include "settings/layout.h"

#include <string>

#include "core/text.h"

namespace quevor {

std::u16string slotKeyName(int slot) { return u"Path" + ascii(std::to_string(slot)); }
std::u16string slotKey(int slot) { return slotKeyName(slot) + u":"; }
std::u16string placeholder(int slot) { return ascii(std::to_string(slot)) + u".exe"; }

bool isPlaceholderOrEmpty(const std::u16string& path, int slot) {
    return path.empty() || path == placeholder(slot);
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
