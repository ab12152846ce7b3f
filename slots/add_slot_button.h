#pragma once

#include <string>

#include "core/int16.h"
#include "slots/slot_table.h"
#include "toolkit/toolkit.h"

namespace quevor {

// Puts the slot's program button on the toolbar: the icon becomes the image under the key "k1"
// followed by the slot number, a captionless button showing it goes in before the first button
// of a higher slot (at the end when there is none), and its tooltip is the bare file name.
void placeSlotButton(SlotTable& slots, Toolbar& toolbar, int slot, const std::u16string& path,
                     const Icon& icon);

// Start-up: looks the program stored for the slot up. Found, it gets its button; missing, it
// keeps its slot without one.
void lookUpStoredProgram(SlotTable& slots, Toolkit& toolkit, int slot);

// The window is about to show: the stored programs whose files have not answered yet get their
// buttons now, with the neutral icon, each at its slot's place, so that the bar stands as it
// will. The answer gives the button its icon, or takes it away as if the program had been
// missing from the start: its slot is kept, and the window and the add button stay as they
// are, as they do for a program found missing before the window shows.
void showProgramsStillLookedUp(SlotTable& slots, Toolkit& toolkit);

// The display scale changed: every program button's icon is looked up again at the toolbar's
// new icon size, and replaced when it comes (the drawn one stays for a program no longer there).
void refreshProgramIcons(SlotTable& slots, Toolkit& toolkit);

}  // namespace quevor
