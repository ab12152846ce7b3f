#include "slots/add_slot_button.h"

#include "settings/layout.h"
#include "slots/file_name.h"

namespace quevor {

void placeSlotButton(SlotTable& slots, Toolbar& toolbar, int slot, const std::u16string& path,
                     const Icon& icon) {
    const std::u16string key = buttonKeyFor(slot);
    const int16 position = slots.placeFor(slot);
    toolbar.addImage(position, key, icon);
    toolbar.addButton(position, key, key);
    toolbar.setToolTip(position, bareFileName(path));
    slots.show(slot, position);
}

void lookUpStoredProgram(SlotTable& slots, Toolkit& toolkit, int slot) {
    const int lookUp = slots.beginLookUp(slot);
    toolkit.platform.requestProgramIcon(
        slots.programPath(slot), [&slots, &toolkit, slot, lookUp](std::unique_ptr<Icon> icon) {
            if (!slots.endLookUp(slot, lookUp)) return;  // removed meanwhile
            const int16 position = slots.positionOf(slot);
            if (position == 0) {
                if (icon)
                    placeSlotButton(slots, toolkit.toolbar, slot, slots.programPath(slot), *icon);
            } else if (icon) {
                toolkit.toolbar.setImage(buttonKeyFor(slot), *icon);
            } else {
                toolkit.toolbar.removeButton(position);
                slots.unshow(slot);
            }
        });
}

void showProgramsStillLookedUp(SlotTable& slots, Toolkit& toolkit) {
    std::unique_ptr<Icon> neutral;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (slots.at(slot).lookUp == 0 || !slots.taken(slot) || slots.positionOf(slot) != 0) {
            continue;
        }
        if (!neutral) neutral = toolkit.platform.neutralIcon();
        placeSlotButton(slots, toolkit.toolbar, slot, slots.programPath(slot), *neutral);
    }
}

void refreshProgramIcons(SlotTable& slots, Toolkit& toolkit) {
    for (const int slot : slots.shownSlots()) {
        if (slots.at(slot).lookUp != 0) continue;  // its first answer is still out
        const std::u16string path = slots.programPath(slot);
        toolkit.platform.requestProgramIcon(
            path, [&slots, &toolkit, slot, path](std::unique_ptr<Icon> icon) {
                if (icon && slots.positionOf(slot) != 0 && slots.programPath(slot) == path) {
                    toolkit.toolbar.setImage(buttonKeyFor(slot), *icon);
                }
            });
    }
}

}  // namespace quevor
