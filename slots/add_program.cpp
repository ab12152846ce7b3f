#include "slots/add_program.h"

#include "core/messages.h"
#include "slots/add_slot_button.h"
#include "slots/path_check.h"
#include "toolkit/geometry.h"

namespace quevor {
namespace {

constexpr float kButtonStep = geometry::twips(geometry::kButtonPitch);

// Empty, or the marker of a cancelled dialog: the next click asks the user.
bool isUnchosen(const std::u16string& entry) { return entry.empty() || entry == kCancelMarker; }

std::u16string named(const std::u16string& path) {
    return messageText(Message::namedProgram, {path});
}

// Takes the user's choice for the slot when the settings file can hold it; otherwise tells
// the user why not, naming it as given, and leaves the slot as it was.
bool takeChoice(SlotTable& slots, Toolkit& toolkit, const TextCodec& codec, int slot,
                const std::u16string& chosen, const std::u16string& named) {
    if (const auto reason = checkStorablePath(chosen, codec)) {
        toolkit.platform.showMessage(messageText(Message::cannotAdd, {named, *reason}));
        return false;
    }
    slots.at(slot).chosenPath = storedPathFor(chosen);
    return true;
}

// Makes the button for the path chosen for the slot and completes the add. Without an icon the
// path stays pending and nothing else changes.
void placeChoice(SlotTable& slots, Toolkit& toolkit, int slot) {
    SlotRecord& record = slots.at(slot);
    if (!addSlotButton(slots, toolkit.toolbar, toolkit.platform, record.chosenPath, slot)) return;
    record.addedPath = record.chosenPath;
    toolkit.addButton.setLeft(toolkit.addButton.left() + kButtonStep);
    toolkit.window.setWidth(toolkit.window.width() + kButtonStep);
    // The fifteenth button takes its step back off the window, leaving the add button outside.
    if (slots.allShown()) {
        toolkit.window.setWidth(toolkit.window.width() - kButtonStep);
    }
}

}  // namespace

void addProgram(SlotTable& slots, Toolkit& toolkit, const TextCodec& codec) {
    // The lowest free slot rather than the button count: after a gap (a stored program without
    // an icon, a placeholder between filled slots) the count would point at a taken slot.
    const int slot = slots.firstFreeSlot();
    if (slot == 0) {
        toolkit.platform.showMessage(fullBarMessage(slots));
        return;
    }
    // A path whose icon was not found last time is retried without the dialog.
    if (isUnchosen(slots.at(slot).chosenPath)) {
        const std::u16string chosen = toolkit.dialog.showOpen(std::u16string(kProgramFilter));
        if (chosen.empty()) {
            slots.at(slot).chosenPath = kCancelMarker;
            return;
        }
        if (!takeChoice(slots, toolkit, codec, slot, chosen, named(chosen))) return;
    }
    placeChoice(slots, toolkit, slot);
}

void addDroppedPrograms(SlotTable& slots, Toolkit& toolkit, const TextCodec& codec,
                        const std::vector<std::u16string>& paths) {
    for (const std::u16string& dropped : paths) {
        const int slot = slots.firstFreeSlot();
        if (slot == 0) {
            toolkit.platform.showMessage(fullBarMessage(slots));
            return;
        }
        std::u16string chosen = dropped;
        std::u16string shown = named(dropped);
        if (endsWithAnyCase(dropped, u".lnk")) {
            const ShortcutTarget target = toolkit.platform.resolveShortcut(dropped);
            if (!target.path) {
                toolkit.platform.showMessage(
                    messageText(Message::cannotAdd, {shown, target.failure}));
                continue;
            }
            chosen = *target.path;
            shown = messageText(Message::namedShortcut, {dropped, chosen});
        }
        // A dropped file is a new choice: it replaces a path still pending for the slot.
        if (takeChoice(slots, toolkit, codec, slot, chosen, shown)) {
            placeChoice(slots, toolkit, slot);
        }
    }
}

std::u16string fullBarMessage(const SlotTable& slots) {
    const std::vector<int> missing = slots.missingSlots();
    if (missing.empty()) return messageText(Message::barFull);
    std::u16string list;
    for (std::size_t i = 0; i < missing.size(); ++i) {
        if (i > 0) list += messageText(Message::listSeparator);
        list += named(slots.programPath(missing[i]));
    }
    return messageText(Message::barFullWithMissing,
                       {list, menuItemInfo(MenuItem::forgetMissing).caption});
}

}  // namespace quevor
