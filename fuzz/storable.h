#pragma once

#include <string>

#include "settings/codec.h"
#include "settings/layout.h"
#include "slots/path_check.h"

namespace quevor::fuzz {

// A path the settings file can hold: one the add button would take into the bar. Only for these
// does the program promise a round trip; a path with a key or marker text in it is taken apart by
// the keyed search by design.
inline bool storablePath(const std::u16string& path, const TextCodec& codec) {
    return !checkStorablePath(path, codec).has_value();
}

// What slot N of a bar may hold for the promise: nothing, its placeholder, or an accepted path
// in the form the add stores it.
inline bool storableSlot(const std::u16string& path, int slot, const TextCodec& codec) {
    return isPlaceholderOrEmpty(path, slot) || (storablePath(path, codec) && path == storedPathFor(path));
}

}  // namespace quevor::fuzz
