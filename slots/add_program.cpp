#include "slots/add_program.h"

#include "settings/layout.h"
#include "slots/add_slot_button.h"
#include "slots/path_check.h"
#include "toolkit/geometry.h"

namespace quevor {
namespace {

constexpr float kButtonStep = geometry::twips(geometry::kButtonPitch);

// Empty, or the marker of a cancelled dialog: the next click asks the user.
bool isUnchosen(const std::u16string& entry) { return entry.empty() || entry == kCancelMarker; }

}  // namespace

void addProgram(SlotTable& slots, Toolkit& toolkit, const TextCodec& codec) {
    // The lowest free slot rather than the button count: after a gap (a stored program without
    // an icon, a placeholder between filled slots) the count would point at a taken slot.
    const int slot = slots.firstFreeSlot();
    if (slot == 0) return;  // every slot is taken: no dialog, nothing that could not be saved

    std::u16string& entry = slots.slotPaths(slot);
    if (isUnchosen(entry)) {
        const std::u16string chosen = toolkit.dialog.showOpen(std::u16string(kProgramFilter));
        if (chosen.empty()) {
            entry = kCancelMarker;
        } else if (const auto reason = checkStorablePath(chosen, codec)) {
            toolkit.platform.showMessage(u"Cannot add \"" + chosen + u"\": " + *reason);
            return;
        } else {
            entry = storedPathFor(chosen);
        }
    }
    // A path whose icon was not found last time is retried here without the dialog.
    if (entry != kCancelMarker) {
        if (addSlotButton(slots, toolkit.toolbar, toolkit.platform, entry,
                          static_cast<int16>(slot))) {
            slots.addedPaths(slot) = entry;
            slots.nextSlot = add16(slots.nextSlot, 1);
            toolkit.addButton.setLeft(toolkit.addButton.left() + kButtonStep);
            toolkit.window.setWidth(toolkit.window.width() + kButtonStep);
        }
    }
    // The fifteenth button takes its step back off the window, leaving the add button outside.
    if (slots.nextSlot == kSlotCount) {
        toolkit.window.setWidth(toolkit.window.width() - kButtonStep);
    }
}

}  // namespace quevor
