#include "slots/start_program.h"

#include "core/messages.h"

namespace quevor {

void startProgram(Toolkit& toolkit, const StartRequest& request) {
    toolkit.platform.requestStart(request, [&toolkit, path = request.path](StartResult result) {
        switch (result.outcome) {
            case StartResult::Outcome::started:
                toolkit.window.minimize();
                break;
            case StartResult::Outcome::failed:
                toolkit.platform.showMessage(
                    messageText(Message::cannotStart, {path, result.failure}));
                break;
            case StartResult::Outcome::refused:
                break;  // the user's own answer at the prompt needs no message
        }
    });
}

void startSlotProgram(const SlotTable& slots, Toolkit& toolkit, const std::u16string& key) {
    // The stored path wins over one chosen in this run; the placeholder test is the slot's own.
    const int slot = slotOfKey(key);
    const std::u16string path = slot == 0 ? std::u16string() : slots.programPath(slot);
    if (path.empty()) {
        toolkit.window.minimize();
        return;
    }
    startProgram(toolkit, StartRequest{path, u"", false});
}

}  // namespace quevor
