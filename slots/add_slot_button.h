#pragma once

#include <string>

#include "core/int16.h"
#include "slots/slot_table.h"
#include "toolkit/toolkit.h"

namespace quevor {

// Turns a program path into the slot's toolbar button: the program's shell icon becomes the
// image under the key "k1" followed by the slot number, a captionless button showing it goes in
// before the first button of a higher slot (at the end when there is none), and its tooltip is
// the bare file name. Returns false, changing nothing, when the program has no icon (missing
// file, no icon). The icon is released before returning.
bool addSlotButton(SlotTable& slots, Toolbar& toolbar, Platform& platform,
                   const std::u16string& path, int slot);

}  // namespace quevor
