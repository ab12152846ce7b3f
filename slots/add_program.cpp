#include "slots/add_program.h"

#include "core/messages.h"
#include "slots/add_slot_button.h"
#include "slots/path_check.h"
#include "toolkit/geometry.h"

namespace quevor {
namespace {

constexpr float kButtonStep = geometry::twips(geometry::kButtonPitch);

std::u16string named(const std::u16string& path) {
    return messageText(Message::namedProgram, {path});
}

// Adds the chosen program in the free slot when the settings file can hold its path and its
// icon is found; otherwise tells the user why, naming it as given, and the slot stays free.
void addChoice(SlotTable& slots, Toolkit& toolkit, const TextCodec& codec, int slot,
               const std::u16string& chosen, const std::u16string& named) {
    std::optional<std::u16string> reason = checkStorablePath(chosen, codec);
    const std::u16string path = storedPathFor(chosen);
    if (!reason && !addSlotButton(slots, toolkit.toolbar, toolkit.platform, path, slot)) {
        reason = messageText(Message::programMissing);
    }
    if (reason) {
        toolkit.platform.showMessage(messageText(Message::cannotAdd, {named, *reason}));
        return;
    }
    slots.at(slot).addedPath = path;
    toolkit.addButton.setLeft(toolkit.addButton.left() + kButtonStep);
    toolkit.window.setWidth(toolkit.window.width() + kButtonStep);
    // The add that takes the last slot takes its step back off the window, leaving the add
    // button outside.
    if (slots.full()) toolkit.window.setWidth(toolkit.window.width() - kButtonStep);
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
    const std::u16string chosen = toolkit.dialog.showOpen(std::u16string(kProgramFilter));
    if (chosen.empty()) return;  // cancelled
    addChoice(slots, toolkit, codec, slot, chosen, named(chosen));
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
        addChoice(slots, toolkit, codec, slot, chosen, shown);
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
