#pragma once

#include <string>

#include "core/text.h"
#include "settings/codec.h"
#include "settings/layout.h"

namespace quevor::fuzz {

// A path the settings file can hold: it ends in its only ".exe" (or ".EXE"), the code page can
// write it, and it holds none of the key and marker texts the readers and writers search for.
inline bool storablePath(const std::u16string& path, const TextCodec& codec) {
    if (!codec.canEncode(path)) return false;
    const std::u16string folded = replaceAll(path, u".EXE", u".exe");
    if (folded.size() < 4 || folded.find(u".exe") != folded.size() - 4) return false;
    for (const char16_t* marker : {u"W:", u"CL:", u"X:", u"Y:", u"T:", u"==", u"---"}) {
        if (path.find(marker) != std::u16string::npos) return false;
    }
    for (int slot = 1; slot <= kSlotCount + 1; ++slot) {
        if (path.find(slotKey(slot)) != std::u16string::npos) return false;
    }
    return true;
}

}  // namespace quevor::fuzz
