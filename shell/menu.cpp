#include "core/text.h"
#include "settings/writers.h"
#include "shell/bar.h"
#include "shell/save_source.h"
#include "toolkit/geometry.h"

namespace quevor {
namespace {

constexpr int16 kRightButton = 2;

}  // namespace

void Bar::onToolbarMouseDown(int16 button, int16, float, float) { openMenu(button); }

void Bar::onAddButtonMouseDown(int16 button, int16, float, float) { openMenu(button); }

void Bar::openMenu(int16 button) {
    if (button != kRightButton) return;
    // Modal: the chosen item's handler runs before anything else is handled.
    if (const auto item = toolkit_.menu.popup()) runMenuItem(*item);
}

void Bar::runMenuItem(MenuItem item) {
    switch (item) {
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
            break;
    }
}

void Bar::minimise() { toolkit_.window.minimize(); }

void Bar::quit() {
    BarSaveSource source(toolkit_, state_);
    try {
        saveSettings(settingsFile(), source);
    } catch (const SaveNotVerified& e) {
        // Nothing was written: ending now would lose what the bar holds, so it stays open and
        // says why. Any other failure ends the program with its report, the file untouched.
        toolkit_.platform.showMessage(fromUtf8(e.what()));
        return;
    }
    toolkit_.platform.endProgram();
}

void Bar::clearAndQuit() {
    clearSettings(settingsFile());
    // Hidden first: a save that followed would then leave the cleared records alone.
    toolkit_.menu.setVisible(MenuItem::clear, false);
    toolkit_.window.setWidth(geometry::twips(geometry::kDefaultWidth));
    toolkit_.addButton.setLeft(0.0f);
    toolkit_.toolbar.clearButtons();
    state_.slots.buttonCounter = 1;
    toolkit_.platform.endProgram();  // unloading the only window ends the program
}

}  // namespace quevor
