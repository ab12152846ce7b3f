#pragma once

#include <filesystem>

#include "core/int16.h"
#include "settings/codec.h"
#include "settings/file_store.h"
#include "settings/settings_file.h"
#include "slots/slot_table.h"
#include "toolkit/toolkit.h"

namespace quevor {

// The run-time state of the main window; lives as long as it.
struct FormState {
    std::filesystem::path settingsPath;  // found once by start-up
    int16 titleBarHidden = 0;            // 1 while the title bar is hidden
    int16 savedWidth = 0;                // the width when the title bar was last hidden
    SlotTable slots;
};

// The main window's logic: start-up, the pop-up menu and its commands, the title-bar toggle,
// adding and starting programs. It owns all run-time state and reaches the window, the
// platform and the settings file only through what it is given.
//
// Handlers run one at a time on the user-interface thread. A failure they do not handle
// themselves is thrown as RuntimeError; the toolkit's event boundary reports it and ends the
// program.
class Form1 final : public FormEvents {
  public:
    Form1(Toolkit& toolkit, FileStore& store, const TextCodec& codec);

    // Start-up. May end the program (another instance, no settings file): the toolkit shows
    // the window only when the program has not ended.
    void Form_Load() override;
    void Form_Unload() override;  // saves nothing: only the menu's quit does
    void Tlb1_ButtonClick(const std::u16string& key) override;
    void Tlb1_MouseDown(int16 button, int16 shift, float x, float y) override;
    void Command1_Click() override;
    void Command1_MouseDown(int16 button, int16 shift, float x, float y) override;
    void Picture1_MouseDown(int16 button, int16 shift, float x, float y) override;

    // The pop-up menu's commands; the mouse handlers dispatch the chosen item to these.
    void menuEnd_Click();         // save and quit
    void menuClr_Click();         // clear the settings and quit
    void menuMin_Click();         // minimise
    void menuTitlebar_Click();    // show the title bar
    void menuTitlbarnon_Click();  // hide the title bar

    const FormState& state() const { return state_; }

  private:
    SettingsFile settingsFile() const;
    void openMenu(int16 button);
    void runMenuItem(MenuItem item);
    // The steps that take the caption away and fit the window to the buttons: shared by the
    // menu command and by start-up when the stored title bar is hidden.
    void hideTitleBar(bool atStartUp);

    Toolkit& toolkit_;
    FileStore& store_;
    const TextCodec& codec_;
    FormState state_;
};

}  // namespace quevor
