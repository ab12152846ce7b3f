#include "slots/manage_programs.h"

#include <algorithm>

#include "core/messages.h"
#include "slots/path_check.h"
#include "slots/start_program.h"
#include "toolkit/geometry.h"

namespace quevor {
namespace {

constexpr float kButtonStep = geometry::twips(geometry::kButtonPitch);

// Frees a taken slot, stored empty from now on, and takes its step off the bar: the add button
// moves one step left and the window narrows by one step, except that a full bar keeps its
// width (the add that filled it took that step off already).
void freeSlot(SlotTable& slots, Toolkit& toolkit, int slot) {
    const bool wasFull = slots.full();
    slots.unshow(slot);
    slots.forget(slot);
    toolkit.addButton.setLeft(toolkit.addButton.left() - kButtonStep);
    if (!wasFull) toolkit.window.setWidth(toolkit.window.width() - kButtonStep);
}

}  // namespace

void removeProgram(SlotTable& slots, Toolkit& toolkit, int slot) {
    const int16 position = slots.positionOf(slot);
    if (position == 0) return;
    toolkit.toolbar.removeButton(position);
    freeSlot(slots, toolkit, slot);
}

void moveProgram(SlotTable& slots, Toolkit& toolkit, const TextCodec& codec, int slot,
                 int16 position) {
    const int16 from = slots.positionOf(slot);
    if (from == 0) return;
    const int16 to = std::clamp<int16>(position, 1, slots.shownCount());
    if (to == from) return;
    SlotTable moved = slots;
    moved.moveShown(from, to);
    for (const int shown : moved.shownSlots()) {
        const std::u16string path = moved.pathToSave(shown);
        if (path == moved.programPath(shown)) continue;  // stays in its own slot
        if (const auto reason = checkStorablePath(path, codec)) {
            toolkit.platform.showMessage(messageText(Message::cannotMove, {path, *reason}));
            return;
        }
    }
    toolkit.toolbar.moveButton(from, to);
    slots = std::move(moved);
}

void forgetMissingPrograms(SlotTable& slots, Toolkit& toolkit) {
    // The bar's size still counts them (see SlotTable::full): each goes as if removed.
    for (const int slot : slots.missingSlots()) freeSlot(slots, toolkit, slot);
}

void openProgramFolder(const SlotTable& slots, Toolkit& toolkit, int slot) {
    if (slots.positionOf(slot) == 0) return;
    const std::u16string path = slots.programPath(slot);
    toolkit.platform.requestOpenFolder(path, [&toolkit,
                                              path](std::optional<std::u16string> reason) {
        if (reason) {
            toolkit.platform.showMessage(messageText(Message::cannotOpenFolder, {path, *reason}));
        }
    });
}

void runProgramAsAdmin(const SlotTable& slots, Toolkit& toolkit, int slot) {
    if (slots.positionOf(slot) == 0) return;
    startProgram(toolkit, StartRequest{slots.programPath(slot), u"", true});
}

}  // namespace quevor
