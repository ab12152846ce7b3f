#pragma once

#include <string>

#include "slots/slot_table.h"
#include "toolkit/toolkit.h"

namespace quevor {

// Starts the program off the user-interface thread; the window minimises once it has started.
// A program that cannot be started leaves the window as it is and tells the user why; a start
// the user refused at the elevation prompt changes nothing.
void startProgram(Toolkit& toolkit, const StartRequest& request);

// A left click on the program button with this key ("k11" .. "k115" for slots 1 to 15): starts
// the path stored for the slot in the settings file, or else the one chosen for it in this run,
// and minimises the window once it has started. A program that cannot be started leaves the
// window as it is and tells the user why.
void startSlotProgram(const SlotTable& slots, Toolkit& toolkit, const std::u16string& key);

}  // namespace quevor
