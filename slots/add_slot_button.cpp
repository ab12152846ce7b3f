#include "slots/add_slot_button.h"

#include "slots/file_name.h"

namespace quevor {

bool addSlotButton(SlotTable& slots, Toolbar& toolbar, Platform& platform,
                   const std::u16string& path, int slot) {
    // Owned here: released when this call returns, once the image list holds its copy.
    const std::unique_ptr<Icon> icon = platform.programIcon(path);
    if (!icon) return false;
    const std::u16string key = buttonKeyFor(slot);
    const int16 position = slots.placeFor(slot);
    toolbar.addImage(position, key, *icon);
    toolbar.addButton(position, key, key);
    toolbar.setToolTip(position, bareFileName(path));
    slots.show(slot, position);
    return true;
}

}  // namespace quevor
