#include "settings/writers.h"
#include "shell/form1.h"
#include "shell/save_source.h"

namespace quevor {
namespace {

constexpr int16 kRightButton = 2;

}  // namespace

void Form1::Tlb1_MouseDown(int16 button, int16, float, float) { openMenu(button); }

void Form1::Command1_MouseDown(int16 button, int16, float, float) { openMenu(button); }

void Form1::openMenu(int16 button) {
    if (button != kRightButton) return;
    // Modal: the chosen item's handler runs before anything else is handled.
    if (const auto item = toolkit_.menu.popup()) runMenuItem(*item);
}

void Form1::runMenuItem(MenuItem item) {
    switch (item) {
        case MenuItem::menuEnd:
            menuEnd_Click();
            break;
        case MenuItem::menuClr:
            menuClr_Click();
            break;
        case MenuItem::menuMin:
            menuMin_Click();
            break;
        case MenuItem::menuTitlebar:
            menuTitlebar_Click();
            break;
        case MenuItem::menuTitlbarnon:
            menuTitlbarnon_Click();
            break;
        case MenuItem::nemuSeparate:
            break;
    }
}

void Form1::menuMin_Click() { toolkit_.window.minimize(); }

void Form1::menuEnd_Click() {
    FormSaveSource source(toolkit_, state_);
    saveSettings(settingsFile(), source);
    toolkit_.platform.endProgram();
}

void Form1::menuClr_Click() {
    clearSettings(settingsFile());
    // Hidden first: a save that followed would then leave the cleared records alone.
    toolkit_.menu.setVisible(MenuItem::menuClr, false);
    toolkit_.window.setWidth(735.0f);
    toolkit_.addButton.setLeft(0.0f);
    toolkit_.toolbar.clearButtons();
    state_.slots.buttonCounter = 1;
    toolkit_.platform.endProgram();  // unloading the only window ends the program
}

}  // namespace quevor
