#include "core/messages.h"
#include "core/text.h"
#include "settings/writers.h"
#include "shell/bar.h"
#include "shell/save_source.h"
#include "shell/start_with_windows.h"
#include "slots/file_name.h"
#include "slots/manage_programs.h"
#include "toolkit/geometry.h"

namespace quevor {
namespace {

constexpr int16 kRightButton = 2;
// The items of a program button's own menu.
constexpr MenuItem kProgramItems[] = {MenuItem::remove, MenuItem::openFolder, MenuItem::runAsAdmin};

}  // namespace

void Bar::onToolbarMouseDown(int16 button, int16, float, float) { openMenu(button); }

void Bar::onAddButtonMouseDown(int16 button, int16, float, float) { openMenu(button); }

void Bar::onProgramButtonMouseDown(const std::u16string& key, int16 button, int16, float, float) {
    openMenu(button, slotOfKey(key));
}

void Bar::openMenu(int16 button, int pressedSlot, const MenuAnchor* anchor,
                   std::optional<MenuItem> selected) {
    if (button != kRightButton) return;
    // The occasional items are offered only while the menu is open, for what holds then.
    Menu& menu = toolkit_.menu;
    const SlotTable& slots = state_.slots;
    const bool onProgram = pressedSlot != 0 && slots.positionOf(pressedSlot) != 0;
    const bool forgettable = slots.firstFreeSlot() == 0 && !slots.missingSlots().empty();
    if (onProgram) {
        menu.setCaption(MenuItem::remove, u"「" + bareFileName(slots.programPath(pressedSlot)) +
                                              u"」" + menuItemInfo(MenuItem::remove).caption);
        for (const MenuItem item : kProgramItems) menu.setVisible(item, true);
    }
    if (forgettable) menu.setVisible(MenuItem::forgetMissing, true);
    // Read now, not at start-up: it may have changed since, and start-up stays quick.
    const StartupEntry startupEntry = showStartWithWindows(toolkit_);
    // Modal: the chosen item's handler runs before anything else is handled.
    const auto item = anchor ? menu.popupAt(*anchor, selected) : menu.popup();
    if (onProgram) {
        for (const MenuItem shown : kProgramItems) menu.setVisible(shown, false);
    }
    if (forgettable) menu.setVisible(MenuItem::forgetMissing, false);
    if (item) runMenuItem(*item, pressedSlot, startupEntry);
}

void Bar::runMenuItem(MenuItem item, int pressedSlot, const StartupEntry& startupEntry) {
    switch (item) {
        case MenuItem::remove: {
            const int16 focusedAt = focusPosition();
            removeProgram(state_.slots, toolkit_, pressedSlot);
            followFocus(focusedAt);
            break;
        }
        case MenuItem::openFolder:
            openProgramFolder(state_.slots, toolkit_, pressedSlot);
            break;
        case MenuItem::runAsAdmin:
            runProgramAsAdmin(state_.slots, toolkit_, pressedSlot);
            break;
        case MenuItem::startWithWindows:
            toggleStartWithWindows(toolkit_, startupEntry);
            break;
        case MenuItem::forgetMissing:
            forgetMissingPrograms(state_.slots, toolkit_);
            break;
        case MenuItem::quit:
            quit();
            break;
        case MenuItem::clear:
            clearAndQuit();
            break;
        case MenuItem::minimise:
            minimise();
            break;
        case MenuItem::showTitleBar:
            showTitleBar();
            break;
        case MenuItem::hideTitleBar:
            hideTitleBar();
            break;
        case MenuItem::separator:
        case MenuItem::startupSeparator:
            break;
    }
}

void Bar::minimise() { toolkit_.window.minimize(); }

void Bar::quit() {
    try {
        saveSettings(settingsFile(), valuesToSave(toolkit_, state_));
    } catch (const RuntimeError& e) {
        // Nothing was written (the store replaces the file whole or not at all): ending now
        // would lose what the bar holds, so it stays open and says why.
        toolkit_.platform.showMessage(messageText(Message::notSavedQuit, {fromUtf8(e.what())}));
        return;
    }
    toolkit_.platform.endProgram();
}

void Bar::clearAndQuit() {
    try {
        clearSettings(settingsFile());
    } catch (const RuntimeError& e) {
        toolkit_.platform.showMessage(messageText(Message::notSavedClear, {fromUtf8(e.what())}));
        return;
    }
    // Only now that the file is cleared: a clear that failed leaves the bar as it was.
    state_.cleared = true;
    toolkit_.menu.setVisible(MenuItem::clear, false);
    toolkit_.window.setWidth(geometry::twips(geometry::kDefaultWidth));
    toolkit_.addButton.setLeft(0.0f);
    toolkit_.toolbar.clearButtons();
    toolkit_.platform.endProgram();  // unloading the only window ends the program
}

void Bar::onSessionEnd() {
    const SaveValues values = valuesToSave(toolkit_, state_);
    if (values == storedValues_) return;
    try {
        saveSettings(settingsFile(), values);
        storedValues_ = values;
    } catch (const RuntimeError&) {
        // Nobody is left to tell while the session ends, and the file is as it was.
    }
}

}  // namespace quevor
