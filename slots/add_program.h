#pragma once

#include "settings/codec.h"
#include "slots/slot_table.h"
#include "toolkit/toolkit.h"

namespace quevor {

// The filter of the open-file dialog: one entry, exe files.
inline constexpr std::u16string_view kProgramFilter = u"exeファイル(*.exe)|*.exe";

// A click on the add button: fills the lowest free slot with a program chosen in the open-file
// dialog (or retries the path still pending for that slot), makes its button, records it for
// the next save, moves the add button one step right and widens the window by the same step.
// With every slot taken it does nothing. A path the settings file cannot hold is refused with a
// message and changes nothing.
void addProgram(SlotTable& slots, Toolkit& toolkit, const TextCodec& codec);

}  // namespace quevor
