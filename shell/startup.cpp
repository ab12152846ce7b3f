#include "core/text.h"
#include "settings/layout.h"
#include "settings/reader.h"
#include "shell/bar.h"
#include "shell/save_source.h"
#include "slots/add_slot_button.h"
#include "toolkit/geometry.h"

namespace quevor {
namespace {

// How long start-up waits for the program files' answers before the window shows.
constexpr int kAnswerWaitMs = 300;

}  // namespace

void Bar::start() {
    Platform& platform = toolkit_.platform;
    // A second instance ends before it shows or reads anything.
    if (platform.anotherInstanceRunning()) {
        platform.endProgram();
        return;
    }
    SlotTable& slots = state_.slots;

    const auto found = platform.findFile(u"setting.ini");
    if (!found || found->empty()) {
        platform.endProgram();  // no settings file: end silently
        return;
    }
    state_.settingsPath = *found;
    // The file is read from the disk once; each key is then read from that text, in the order
    // the file's layout relies on. Nothing writes the file during start-up, so every key gets
    // the value a fresh read of the file would give it (and a file that cannot be read or
    // decoded stops start-up here, before any key is used, as the first key's read would).
    const std::u16string file = settingsFile().readSettingsText();

    if (const auto width = readWidth(file)) {
        toolkit_.window.setWidth(*width);
        toolkit_.window.setHeight(geometry::twips(geometry::kShownHeight));
    }
    if (const auto left = readAddButtonLeft(file)) toolkit_.addButton.setLeft(*left);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        std::u16string& loaded = slots.at(slot).loadedPath;
        if (auto path = readSlotPath(file, slot)) loaded = std::move(*path);
        if (isPlaceholderOrEmpty(loaded, slot)) continue;
        // A program without an icon keeps its slot, without a button.
        lookUpStoredProgram(slots, toolkit_, slot);
    }
    // The files are looked at away from this thread, all at once. A normal start has every
    // answer within moments, and the window shows complete; a program on a drive that does not
    // answer gets its button now and its icon later, and the window shows without waiting.
    platform.awaitAnswers(kAnswerWaitMs);
    showProgramsStillLookedUp(slots, toolkit_);
    const StoredPosition position = readPosition(file);
    if (position.left) toolkit_.window.setLeft(*position.left);
    if (position.top) toolkit_.window.setTop(*position.top);
    if (const auto record = readTitleBar(file)) state_.titleBarRecord = *record;

    // Only "T:1" hides the title bar; any other value shows it and is saved back as read.
    if (state_.titleBarRecord == 1) {
        hideTitleBar();
    } else {
        toolkit_.menu.setVisible(MenuItem::showTitleBar, false);
        toolkit_.menu.setVisible(MenuItem::hideTitleBar, true);
    }
    toolkit_.window.makeTopmost();
    storedValues_ = valuesToSave(toolkit_, state_);
}

}  // namespace quevor
