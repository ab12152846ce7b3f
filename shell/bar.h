#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/int16.h"
#include "settings/codec.h"
#include "settings/file_store.h"
#include "settings/settings_file.h"
#include "settings/writers.h"
#include "slots/add_program.h"
#include "slots/slot_table.h"
#include "toolkit/toolkit.h"

namespace quevor {

// The run-time state of the bar; lives as long as its window.
struct BarState {
    std::u16string settingsPath;  // found once by start-up
    bool cleared = false;         // the settings were cleared: a save leaves them so
    bool titleBarHidden = false;
    // The "T:" record: as start-up read it until the title bar is toggled, then 1 or 0. Files
    // already written keep it (a hand-edited "T:5" shows the title bar and is saved as "T:5").
    int16 titleBarRecord = 0;
    int16 savedWidth = 0;  // the width when the title bar was last hidden
    SlotTable slots;
    // The keyboard focus: a program button's slot, kAddButtonFocus, or 0 until a key first
    // shows it.
    int focusedSlot = 0;
};

inline constexpr int kAddButtonFocus = -1;

// The bar's logic: start-up, the pop-up menu and its commands, the title-bar toggle,
// adding and starting programs. It owns all run-time state and reaches the window, the
// platform and the settings file only through what it is given.
//
// Handlers run one at a time on the user-interface thread. A failure they do not handle
// themselves is thrown as RuntimeError; the toolkit's event boundary reports it and ends the
// program.
class Bar final : public BarEvents {
  public:
    Bar(Toolkit& toolkit, FileStore& store, const TextCodec& codec);

    // Start-up. May end the program (another instance, no settings file): the toolkit shows
    // the window only when the program has not ended.
    void start() override;
    void onClose() override;
    // Saves as the quit does when something it would save has changed, and says nothing.
    void onSessionEnd() override;
    void onProgramButtonClick(const std::u16string& key) override;
    void onToolbarMouseDown(int16 button, int16 shift, float x, float y) override;
    void onProgramButtonMouseDown(const std::u16string& key, int16 button, int16 shift, float x,
                                  float y) override;
    void onProgramButtonDrag(const std::u16string& key, int16 position) override;
    void onDrop(const std::vector<std::u16string>& paths) override;
    void onAddButtonClick() override;
    void onAddButtonMouseDown(int16 button, int16 shift, float x, float y) override;
    void onScaleChanged() override;
    void onDropOnProgramButton(const std::u16string& key,
                               const std::vector<std::u16string>& paths) override;
    bool dropOpensWithProgram(const std::vector<std::u16string>& paths) override;
    // Left and Right (and Tab, Shift+Tab) move the focus along the program buttons and the add
    // button, stopping at the ends; Enter and Space press the focused button as a click does;
    // the menu key and Shift+F10 open its menu beside it, Delete with the program's removal
    // selected; Ctrl+Left and Ctrl+Right move its program one place as a drag does; the digits
    // 1 to 9 and 0 start the first ten programs.
    bool onKey(Key key, int16 shift) override;

    // The pop-up menu's commands; the mouse handlers dispatch the chosen item to these.
    // A file that cannot be written leaves the bar open as it was, saying why: choosing the
    // item again tries again.
    void quit();          // save and quit
    void clearAndQuit();  // clear the settings and quit
    void minimise();
    // The title bar comes and goes; the window is fitted to the buttons. Start-up hides it too
    // when the file says so.
    void showTitleBar();
    void hideTitleBar();

    const BarState& state() const { return state_; }

  private:
    SettingsFile settingsFile() const;
    // pressedSlot: the slot of the program button the menu was opened on, 0 for none.
    // anchor: opened from the keyboard, beside that button, with selected selected.
    void openMenu(int16 button, int pressedSlot = 0, const MenuAnchor* anchor = nullptr,
                  std::optional<MenuItem> selected = std::nullopt);
    // startupEntry: the start-up entry as read when the menu opened.
    void runMenuItem(MenuItem item, int pressedSlot, const StartupEntry& startupEntry);

    // The keyboard focus (keyboard.cpp). The order it moves in: the program buttons as shown,
    // then the add button while it stands in the window.
    std::vector<int> focusOrder() const;
    // The focus's index in the order, -1 while it is not shown.
    int focusIndex(const std::vector<int>& order) const;
    int16 focusPosition() const;  // its 1-based place, for following it
    void showFocus(int slot);
    // After buttons have gone or the add button has left the window: the focus moves to what
    // now stands at its place, at the last one at most.
    void followFocus(int16 positionBefore);
    bool stepFocus(int step);
    bool moveFocusedProgram(int step);
    bool pressFocused();
    bool menuAtFocus(std::optional<MenuItem> selected);
    bool startNumbered(int number);

    Toolkit& toolkit_;
    FileStore& store_;
    const TextCodec& codec_;
    BarState state_;
    AddQueue adds_{state_.slots, toolkit_, codec_};
    // What a save would store, as start-up left the bar or a session's end last saved it: a
    // session's end with nothing changed since leaves the file alone.
    SaveValues storedValues_;
};

}  // namespace quevor
