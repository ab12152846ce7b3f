#include "shell/save_source.h"

namespace quevor {

SaveValues valuesToSave(const Toolkit& toolkit, const BarState& state) {
    SaveValues values;
    values.cleared = state.cleared;
    values.titleBarRecord = state.titleBarRecord;
    values.width = toolkit.window.width();
    values.addButtonLeft = toolkit.addButton.left();
    values.left = toolkit.window.left();
    values.top = toolkit.window.top();
    // The slots with buttons are stored in on-screen order; see SlotTable.
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        values.paths[slot - 1] = state.slots.pathToSave(slot);
    }
    return values;
}

}  // namespace quevor
