#pragma once

// What the bar's logic needs from the window system and the platform, in small role-named
// pieces. No window-system header here: the simulated toolkit (toolkit/sim) and the Win32 one
// (toolkit/win32) both realise these, and the logic is shared unchanged.
//
// Geometry is in twips (1/1440 inch) as single-precision numbers; a value written is the value
// read back. Every operation that fails throws RuntimeError.

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/int16.h"

namespace quevor {

// The bar's one window.
class Window {
  public:
    virtual ~Window() = default;
    virtual float left() const = 0;
    virtual float top() const = 0;
    virtual float width() const = 0;
    virtual float height() const = 0;
    virtual void setLeft(float twips) = 0;
    virtual void setTop(float twips) = 0;
    virtual void setWidth(float twips) = 0;
    virtual void setHeight(float twips) = 0;
    virtual void minimize() = 0;
    // Shows or hides the title bar and redraws the frame; the outer rectangle stays as it is.
    virtual void setCaptionVisible(bool visible) = 0;
    virtual void makeTopmost() = 0;  // above all non-topmost windows; geometry unchanged
};

// A program's shell icon. Owns the platform handle and releases it when destroyed.
class Icon {
  public:
    virtual ~Icon() = default;
};

// The toolbar of program buttons, with the image list their icons are rendered into.
// Positions are 1-based.
class Toolbar {
  public:
    virtual ~Toolbar() = default;
    // Renders the icon and stores its image under key at index. A key in use is an error.
    virtual void addImage(int16 index, const std::u16string& key, const Icon& icon) = 0;
    // Adds a captionless button at index showing the image stored under imageKey. A key in use
    // is an error.
    virtual void addButton(int16 index, const std::u16string& key,
                           const std::u16string& imageKey) = 0;
    virtual void setToolTip(int16 index, const std::u16string& text) = 0;
    // Renders the icon in place of the image stored under key; the buttons showing it follow.
    virtual void setImage(const std::u16string& key, const Icon& icon) = 0;
    // Takes the button at index away together with its image; both keys are free again and
    // the buttons after it close up.
    virtual void removeButton(int16 index) = 0;
    // Moves the button at index from to index to; the buttons between close up behind it.
    virtual void moveButton(int16 from, int16 to) = 0;
    virtual void clearButtons() = 0;  // the images stay
    // Shows the keyboard focus on the button with this key, none for "". The focus stays with
    // that button as it moves and goes with it when it is removed.
    virtual void showFocus(const std::u16string& key) = 0;
};

// The add button beside the program buttons.
class AddButton {
  public:
    virtual ~AddButton() = default;
    virtual float left() const = 0;
    virtual void setLeft(float twips) = 0;
    virtual float width() const = 0;
    virtual void showFocus(bool focused) = 0;  // the keyboard focus, on it or not
};

// The pop-up menu's items, in menu order. The first four are offered only now and then: remove,
// openFolder and runAsAdmin when the menu was opened on a program button, forgetMissing while
// every slot is taken and some hold programs that cannot be found.
enum class MenuItem {
    remove,
    openFolder,
    runAsAdmin,
    forgetMissing,
    quit,
    clear,
    separator,
    minimise,
    showTitleBar,
    hideTitleBar,
    startupSeparator,
    startWithWindows
};

// One row per item: its caption on screen, its name in quevor-sim's script language and
// whether it is shown before anything changes that.
struct MenuItemInfo {
    MenuItem item;
    // "-" for the separator; remove's caption follows the program's name in 「」
    const char16_t* caption;
    const char* name;
    bool shownAtFirst;
};
inline constexpr std::array<MenuItemInfo, 12> kMenuItems = {{
    {MenuItem::remove, u"を削除", "remove", false},
    {MenuItem::openFolder, u"ファイルの場所を開く", "open-folder", false},
    {MenuItem::runAsAdmin, u"管理者として実行", "run-as-admin", false},
    {MenuItem::forgetMissing, u"見つからない項目を削除", "forget-missing", false},
    {MenuItem::quit, u"終了", "quit", true},
    {MenuItem::clear, u"クリア終了", "clear", true},
    {MenuItem::separator, u"-", "separator", true},
    {MenuItem::minimise, u"最小化", "minimise", true},
    {MenuItem::showTitleBar, u"タイトルバー表示", "show-title-bar", true},
    {MenuItem::hideTitleBar, u"タイトルバー非表示", "hide-title-bar", true},
    {MenuItem::startupSeparator, u"-", "startup-separator", true},
    {MenuItem::startWithWindows, u"Windows の起動時に開く", "start-with-windows", true},
}};
inline constexpr const MenuItemInfo& menuItemInfo(MenuItem item) {
    return kMenuItems[static_cast<std::size_t>(item)];
}
// A line between groups of items, never chosen.
inline constexpr bool isSeparator(MenuItem item) {
    return item == MenuItem::separator || item == MenuItem::startupSeparator;
}

// The button a pop-up menu opened from the keyboard stands beside.
struct MenuAnchor {
    bool addButton = false;  // else the program button at the 1-based position
    int16 position = 0;
};

// The pop-up menu and its items.
class Menu {
  public:
    virtual ~Menu() = default;
    virtual void setVisible(MenuItem item, bool visible) = 0;
    // Replaces the item's caption, which starts as the one in kMenuItems.
    virtual void setCaption(MenuItem item, const std::u16string& caption) = 0;
    // Shows the visible children at the mouse pointer; returns the chosen item once the menu
    // has closed, nullopt when it was dismissed.
    virtual std::optional<MenuItem> popup() = 0;
    // Shows or clears the check mark beside the item (none at first).
    virtual void setChecked(MenuItem item, bool checked) = 0;
    // As popup, for the keyboard: beside the anchor button instead of at the pointer, with the
    // item selected (if shown), so that Enter chooses it.
    virtual std::optional<MenuItem> popupAt(const MenuAnchor& anchor,
                                            std::optional<MenuItem> selected) = 0;
};

// The standard open-file dialog.
class OpenFileDialog {
  public:
    virtual ~OpenFileDialog() = default;
    // Shows the dialog modally with the filter ("description|pattern"); returns the chosen
    // full path, "" when cancelled.
    virtual std::u16string showOpen(const std::u16string& filter) = 0;
};

// The target of a shell shortcut, or why there is none to be had.
struct ShortcutTarget {
    std::optional<std::u16string> path;  // the target's full path
    std::u16string failure;              // without a path: the reason, for the user
};

// A program to start, as a click starts it: the file itself, in its own folder.
struct StartRequest {
    std::u16string path;
    std::u16string parameters;  // its command line after its own quoted path; "" for none
    bool elevated = false;      // with administrator rights, through the elevation prompt
};

// How a start ended.
struct StartResult {
    enum class Outcome { started, refused, failed };  // refused: the user said no at the prompt
    Outcome outcome = Outcome::started;
    std::u16string failure;  // failed: the system's reason
};

// The start-up entry as the system holds it.
struct StartupEntry {
    std::optional<std::u16string> command;  // nullopt: there is none
    std::optional<std::u16string> failure;  // it could not be read: the system's reason
};

// Platform services outside the window.
class Platform {
  public:
    virtual ~Platform() = default;
    // Full path of the first file of this name in the system's file search order.
    virtual std::optional<std::u16string> findFile(const std::u16string& name) = 0;
    virtual bool anotherInstanceRunning() = 0;
    // A program's file is looked at, and a program started, away from the user-interface
    // thread: a sleeping or unreachable drive can take many seconds to answer, and the bar
    // answers the user meanwhile. The answer runs later on the user-interface thread, between
    // events (or within awaitAnswers); an answer already at hand may run before the request
    // returns. Answers still out when the program ends are dropped.
    using IconAnswer = std::function<void(std::unique_ptr<Icon>)>;
    using StartAnswer = std::function<void(StartResult)>;
    using FolderAnswer = std::function<void(std::optional<std::u16string> failure)>;
    // The shell icon of a program file; nullptr when there is none (missing file, no icon).
    virtual void requestProgramIcon(const std::u16string& path, IconAnswer answer) = 0;
    // Starts the program as a separate process, not waiting for it.
    virtual void requestStart(const StartRequest& request, StartAnswer answer) = 0;
    // Shows the program's folder in the file manager with the program's file selected: failure
    // is nullopt when it opened, else the system's reason.
    virtual void requestOpenFolder(const std::u16string& path, FolderAnswer answer) = 0;
    // Runs the answers that come within limitMs, returning once none is out or the time is up.
    virtual void awaitAnswers(int limitMs) = 0;
    // What a program's button shows until its own icon has been found.
    virtual std::unique_ptr<Icon> neutralIcon() = 0;
    // What the shell shortcut (.lnk) at path points to.
    virtual ShortcutTarget resolveShortcut(const std::u16string& path) = 0;
    // Tells the user something (a refused path, a program that would not start).
    virtual void showMessage(const std::u16string& text) = 0;
    // Ends the program: the window goes, the event loop stops, no unload handler runs.
    // The caller returns straight after.
    virtual void endProgram() = 0;

    // The current user's start-up entry for the bar, as stored: the command the system runs
    // at sign-in.
    virtual StartupEntry readStartupEntry() = 0;
    // Stores the command as the start-up entry, or takes the entry away (nullopt; one that is
    // not there already is fine). Returns nullopt when done, else the system's reason.
    virtual std::optional<std::u16string> writeStartupEntry(
        const std::optional<std::u16string>& command) = 0;
    // The full path of the running program's own file.
    virtual std::u16string ownProgramPath() = 0;
    // The path in a form that compares equal, as text, for every spelling of the same file:
    // its long form (where the file exists) in one letter case.
    virtual std::u16string comparablePath(const std::u16string& path) = 0;
};

// Everything the logic reaches, handed to it as one bundle of references.
struct Toolkit {
    Window& window;
    Toolbar& toolbar;
    AddButton& addButton;
    Menu& menu;
    OpenFileDialog& dialog;
    Platform& platform;
};

// The keys the bar answers while it is active, by the key's name; the toolkit translates its
// own key codes. The menu key and Shift+F10 both mean the menu.
enum class Key {
    left,
    right,
    tab,
    enter,
    space,
    del,
    menu,
    f10,
    digit0,
    digit1,
    digit2,
    digit3,
    digit4,
    digit5,
    digit6,
    digit7,
    digit8,
    digit9
};
inline constexpr Key digitKey(int digit) {
    return static_cast<Key>(static_cast<int>(Key::digit0) + digit);
}
// The modifier keys held with a key, bits as the mouse events' shift argument has them.
inline constexpr int16 kShiftHeld = 1;
inline constexpr int16 kControlHeld = 2;
inline constexpr int16 kAltHeld = 4;

// The events the toolkit raises on the bar's window; Bar implements them.
class BarEvents {
  public:
    virtual ~BarEvents() = default;
    virtual void start() = 0;
    // The window was closed other than through the menu (its close button, say): the program
    // ends and saves nothing; only the menu's quit and the session's end save.
    virtual void onClose() = 0;
    // The user's session really ends (sign-out, shutdown): the system ends the process soon
    // after this returns, so nothing may wait for the user.
    virtual void onSessionEnd() = 0;
    virtual void onProgramButtonClick(const std::u16string& key) = 0;
    // A mouse button pressed over the toolbar's empty part, or (the next event) over the
    // program button with this key.
    virtual void onToolbarMouseDown(int16 button, int16 shift, float x, float y) = 0;
    virtual void onProgramButtonMouseDown(const std::u16string& key, int16 button, int16 shift,
                                          float x, float y) = 0;
    // The user dragged the program button with this key along the toolbar and let it go at
    // the 1-based position among the program buttons.
    virtual void onProgramButtonDrag(const std::u16string& key, int16 position) = 0;
    // Files dropped on the window, full paths in the order the drag source gave them.
    virtual void onDrop(const std::vector<std::u16string>& paths) = 0;
    virtual void onAddButtonClick() = 0;
    virtual void onAddButtonMouseDown(int16 button, int16 shift, float x, float y) = 0;
    // The window's display scale changed (moved to a monitor of another DPI): the toolbar has
    // drawn its icons again at the new size from the pictures it holds, and sharper ones may
    // be asked for.
    virtual void onScaleChanged() {}
    // Files dropped on the program button with this key (onDrop is any other place).
    virtual void onDropOnProgramButton(const std::u16string& key,
                                       const std::vector<std::u16string>& paths) = 0;
    // Whether these files, let go on a program button, would be opened with its program
    // rather than added; asked while they are dragged over the window, to show which.
    virtual bool dropOpensWithProgram(const std::vector<std::u16string>& paths) = 0;
    // A key pressed while the bar is active, with the modifiers held; whether the bar used it
    // (a key it does not use gets the system's usual handling).
    virtual bool onKey(Key key, int16 shift) = 0;
};

}  // namespace quevor
