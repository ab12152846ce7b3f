#include "slots/add_slot_button.h"

#include "slots/file_name.h"

namespace quevor {

bool addSlotButton(SlotTable& slots, Toolbar& toolbar, Platform& platform,
                   const std::u16string& path, int16 keyNumber) {
    // Owned here: released when this call returns, once the image list holds its copy.
    const std::unique_ptr<Icon> icon = platform.programIcon(path);
    if (!icon) return false;
    const std::u16string key = buttonKeyFor(keyNumber);
    toolbar.addImage(slots.buttonCounter, key, *icon);
    toolbar.addButton(slots.buttonCounter, key, key);
    toolbar.setToolTip(slots.buttonCounter, bareFileName(path));
    slots.buttonCounter = add16(slots.buttonCounter, 1);
    return true;
}

}  // namespace quevor
