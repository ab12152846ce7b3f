#pragma once

#include "core/int16.h"
#include "settings/codec.h"
#include "slots/slot_table.h"
#include "toolkit/toolkit.h"

namespace quevor {

// Takes the slot's program off the bar: its button goes, the buttons after it close up, the
// add button moves one step left and the window narrows by one step, and the slot is free and
// stored empty. A full bar (every slot taken, missing programs included) keeps its width: the
// add that took its last slot took that step off already. A slot without a button is left
// alone.
void removeProgram(SlotTable& slots, Toolkit& toolkit, int slot);

// Moves the slot's button to the 1-based position among the buttons (the first or last place
// when beyond them). Nothing else moves; the next save stores the programs in the new order.
// A move that would give a program the settings file can only hold in its own slot (a path from
// a hand-edited file) another slot is refused with a message.
void moveProgram(SlotTable& slots, Toolkit& toolkit, const TextCodec& codec, int slot,
                 int16 position);

// Frees the slots of the programs that could not be found at start-up; they are stored empty.
// The add button and the window end where removing each of them from the bar would leave them.
void forgetMissingPrograms(SlotTable& slots, Toolkit& toolkit);

// Shows the folder of the slot's program (the one its button starts) with the file selected. A
// program that cannot be found, or a folder that will not open, is reported.
void openProgramFolder(const SlotTable& slots, Toolkit& toolkit, int slot);

// Starts the slot's program with administrator rights and minimises the window, as a click
// does; a failure is reported as a click's is. When the user refuses at the system's prompt,
// nothing happens.
void runProgramAsAdmin(const SlotTable& slots, Toolkit& toolkit, int slot);

}  // namespace quevor
