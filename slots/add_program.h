#pragma once

#include <string>
#include <vector>

#include "settings/codec.h"
#include "slots/slot_table.h"
#include "toolkit/toolkit.h"

namespace quevor {

// The filter of the open-file dialog: one entry, exe files.
inline constexpr std::u16string_view kProgramFilter = u"exeファイル(*.exe)|*.exe";

// A click on the add button: fills the lowest free slot with a program chosen in the open-file
// dialog, makes its button, records it for the next save, moves the add button one step right
// and widens the window by the same step (the add that takes the last slot leaves the width).
// A cancelled dialog adds nothing. A path the settings file cannot hold, or a program whose
// icon is not found (the file is gone), is refused with a message naming it and changes
// nothing. With every slot taken it opens no dialog and tells the user so.
void addProgram(SlotTable& slots, Toolkit& toolkit, const TextCodec& codec);

// Files dropped on the bar, taken one by one in the order given, each exactly as if chosen in
// the dialog; a shortcut (.lnk) stands for the program it points to. Once every slot is taken
// the rest of the drop is left and the user is told so, once.
void addDroppedPrograms(SlotTable& slots, Toolkit& toolkit, const TextCodec& codec,
                        const std::vector<std::u16string>& paths);

// What the user is told when an add finds every slot taken: with the programs that could not be
// found, when some of them hold slots, and how to free those.
std::u16string fullBarMessage(const SlotTable& slots);

}  // namespace quevor
