#include "shell/bar.h"

#include "slots/add_program.h"
#include "slots/add_slot_button.h"
#include "slots/manage_programs.h"
#include "slots/open_with.h"
#include "slots/start_program.h"

namespace quevor {

Bar::Bar(Toolkit& toolkit, FileStore& store, const TextCodec& codec)
    : toolkit_(toolkit), store_(store), codec_(codec) {}

SettingsFile Bar::settingsFile() const { return SettingsFile(state_.settingsPath, store_, codec_); }

void Bar::onClose() {}

void Bar::onProgramButtonClick(const std::u16string& key) {
    startSlotProgram(state_.slots, toolkit_, key);
}

// The add that shows the last program puts the add button outside the window: the keyboard
// focus on it moves to the last program.
void Bar::onAddButtonClick() {
    const int16 focusedAt = focusPosition();
    adds_.addChosenProgram();
    followFocus(focusedAt);
}

void Bar::onDrop(const std::vector<std::u16string>& paths) {
    const int16 focusedAt = focusPosition();
    adds_.addDroppedPrograms(paths);
    followFocus(focusedAt);
}

void Bar::onDropOnProgramButton(const std::u16string& key,
                                const std::vector<std::u16string>& paths) {
    const int16 focusedAt = focusPosition();
    dropOnProgram(state_.slots, adds_, toolkit_, key, paths);
    followFocus(focusedAt);
}

bool Bar::dropOpensWithProgram(const std::vector<std::u16string>& paths) {
    return holdsDocuments(paths, toolkit_.platform);
}

void Bar::onScaleChanged() { refreshProgramIcons(state_.slots, toolkit_); }

void Bar::onProgramButtonDrag(const std::u16string& key, int16 position) {
    moveProgram(state_.slots, toolkit_, codec_, slotOfKey(key), position);
}

}  // namespace quevor
