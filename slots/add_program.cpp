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

}  // namespace

void AddQueue::addChosenProgram() {
    // The lowest free slot rather than the button count: after a gap (a stored program without
    // an icon, a placeholder between filled slots) the count would point at a taken slot.
    if (slots_.firstFreeSlot() == 0) {
        toolkit_.platform.showMessage(fullBarMessage(slots_));
        return;
    }
    const std::u16string chosen = toolkit_.dialog.showOpen(std::u16string(kProgramFilter));
    if (chosen.empty()) return;  // cancelled
    ask(++lastGroup_, chosen, named(chosen));
}

void AddQueue::addDroppedPrograms(const std::vector<std::u16string>& paths) {
    const int group = ++lastGroup_;
    for (const std::u16string& dropped : paths) {
        if (!endsWithAnyCase(dropped, u".lnk")) {
            ask(group, dropped, named(dropped));
            continue;
        }
        const ShortcutTarget target = toolkit_.platform.resolveShortcut(dropped);
        if (!target.path) {
            ask(group, dropped, named(dropped),
                messageText(Message::cannotAdd, {named(dropped), target.failure}));
            continue;
        }
        ask(group, *target.path, messageText(Message::namedShortcut, {dropped, *target.path}));
    }
}

void AddQueue::ask(int group, const std::u16string& chosen, const std::u16string& shown,
                   std::optional<std::u16string> refusal) {
    Entry& entry = waiting_.emplace_back();
    entry.number = ++lastNumber_;
    entry.group = group;
    entry.named = shown;
    entry.refusal = std::move(refusal);
    if (!entry.refusal) {
        if (const auto reason = checkStorablePath(chosen, codec_)) {
            entry.refusal = messageText(Message::cannotAdd, {shown, *reason});
        }
    }
    if (entry.refusal) {
        entry.answered = true;
        completeAnswered();
        return;
    }
    entry.path = storedPathFor(chosen);
    const int number = entry.number;
    toolkit_.platform.requestProgramIcon(entry.path, [this, number](std::unique_ptr<Icon> icon) {
        answer(number, std::move(icon));
    });
}

void AddQueue::answer(int number, std::unique_ptr<Icon> icon) {
    for (Entry& entry : waiting_) {
        if (entry.number != number) continue;
        entry.icon = std::move(icon);
        entry.answered = true;
        completeAnswered();
        return;
    }
}

void AddQueue::completeAnswered() {
    while (!waiting_.empty() && waiting_.front().answered) {
        Entry entry = std::move(waiting_.front());
        waiting_.pop_front();
        complete(entry);
    }
}

void AddQueue::complete(Entry& entry) {
    if (entry.group == fullGroup_) return;
    const int slot = slots_.firstFreeSlot();
    if (slot == 0) {
        fullGroup_ = entry.group;
        toolkit_.platform.showMessage(fullBarMessage(slots_));
        return;
    }
    if (entry.refusal) {
        toolkit_.platform.showMessage(*entry.refusal);
        return;
    }
    if (!entry.icon) {
        toolkit_.platform.showMessage(
            messageText(Message::cannotAdd, {entry.named, messageText(Message::programMissing)}));
        return;
    }
    placeSlotButton(slots_, toolkit_.toolbar, slot, entry.path, *entry.icon);
    entry.icon.reset();
    slots_.at(slot).addedPath = entry.path;
    toolkit_.addButton.setLeft(toolkit_.addButton.left() + kButtonStep);
    toolkit_.window.setWidth(toolkit_.window.width() + kButtonStep);
    // The add that takes the last slot takes its step back off the window, leaving the add
    // button outside.
    if (slots_.full()) toolkit_.window.setWidth(toolkit_.window.width() - kButtonStep);
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
