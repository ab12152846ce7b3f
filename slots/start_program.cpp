#include "slots/start_program.h"

#include "core/messages.h"

namespace quevor {

void startSlotProgram(const SlotTable& slots, Toolkit& toolkit, const std::u16string& key) {
    // The stored path wins over one chosen in this run; the placeholder test is the slot's own.
    const int slot = slotOfKey(key);
    const std::u16string path = slot == 0 ? std::u16string() : slots.programPath(slot);
    if (path.empty()) {
        toolkit.window.minimize();
        return;
    }
    toolkit.platform.requestStart(path, [&toolkit, path](std::optional<std::u16string> failure) {
        if (failure) {
            toolkit.platform.showMessage(messageText(Message::cannotStart, {path, *failure}));
            return;
        }
        toolkit.window.minimize();
    });
}

}  // namespace quevor
