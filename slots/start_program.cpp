#include "slots/start_program.h"

#include "settings/layout.h"

namespace quevor {
namespace {

// The slot whose key this is; exact comparison, so "K11" or "k11 " is none. 0 for none.
int slotOfKey(const std::u16string& key) {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (key == buttonKeyFor(slot)) return slot;
    }
    return 0;
}

// The stored path wins over one chosen in this run; the placeholder test is the slot's own.
std::u16string pathOfSlot(const SlotTable& slots, int slot) {
    if (!isPlaceholderOrEmpty(slots.loadedPaths(slot), slot)) return slots.loadedPaths(slot);
    return slots.slotPaths(slot);
}

}  // namespace

void startSlotProgram(const SlotTable& slots, Toolkit& toolkit, const std::u16string& key) {
    const int slot = slotOfKey(key);
    const std::u16string path = slot == 0 ? std::u16string() : pathOfSlot(slots, slot);
    if (!path.empty()) {
        if (const auto reason = toolkit.platform.startProgram(path)) {
            toolkit.platform.showMessage(u"Cannot start \"" + path + u"\": " + *reason);
            return;
        }
    }
    toolkit.window.minimize();
}

}  // namespace quevor
