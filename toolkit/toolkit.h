#pragma once

// What the bar's logic needs from the window system and the platform, in small role-named
// pieces. No window-system header here: the simulated toolkit (toolkit/sim) and the Win32 one
// (toolkit/win32) both realise these, and the logic is shared unchanged.
//
// Geometry is in twips (1/1440 inch) as single-precision numbers; a value written is the value
// read back. Every operation that fails throws RuntimeError.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/int16.h"

namespace quevor {

// The main window Form1.
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
    virtual void minimize() = 0;  // WindowState := 1
    // The style word (GWL_STYLE) and the frame redraw after changing it.
    virtual std::uint32_t style() const = 0;
    virtual void setStyle(std::uint32_t style) = 0;
    virtual void redrawFrame() = 0;
    virtual void makeTopmost() = 0;  // above all non-topmost windows; geometry unchanged
};

// A program's shell icon. Owns the platform handle and releases it when destroyed.
class Icon {
public:
    virtual ~Icon() = default;
};

// The toolbar Tlb1 with its image list ImageL1 and the scratch surface Picture1 the icons are
// rendered through. Positions are 1-based.
class Toolbar {
public:
    virtual ~Toolbar() = default;
    virtual int16 buttonCount() const = 0;
    // Renders the icon and stores its image under key at index. A key in use is an error.
    virtual void addImage(int16 index, const std::u16string& key, const Icon& icon) = 0;
    // Adds a captionless button at index showing the image stored under imageKey. A key in use
    // is an error.
    virtual void addButton(int16 index, const std::u16string& key,
                           const std::u16string& imageKey) = 0;
    virtual void setToolTip(int16 index, const std::u16string& text) = 0;
    virtual void clearButtons() = 0;  // the images stay
};

// The add button Command1.
class AddButton {
public:
    virtual ~AddButton() = default;
    virtual float left() const = 0;
    virtual void setLeft(float twips) = 0;
    virtual float width() const = 0;
};

enum class MenuItem { menuEnd, menuClr, nemuSeparate, menuMin, menuTitlebar, menuTitlbarnon };

// The pop-up menu: the hidden top-level item "menu" and its six children.
class Menu {
public:
    virtual ~Menu() = default;
    virtual bool visible(MenuItem item) const = 0;
    virtual void setVisible(MenuItem item, bool visible) = 0;
    // Shows the visible children at the mouse pointer; returns the chosen item once the menu
    // has closed, nullopt when it was dismissed.
    virtual std::optional<MenuItem> popup() = 0;
};

// The open-file dialog CommonDialog1.
class OpenFileDialog {
public:
    virtual ~OpenFileDialog() = default;
    // Shows the dialog modally with the filter ("description|pattern"); returns the chosen
    // full path, "" when cancelled.
    virtual std::u16string showOpen(const std::u16string& filter) = 0;
};

// Platform services outside the window.
class Platform {
public:
    virtual ~Platform() = default;
    // Full path of the first file of this name in the system's file search order.
    virtual std::optional<std::filesystem::path> findFile(const std::u16string& name) = 0;
    virtual bool anotherInstanceRunning() = 0;
    // The shell icon of a program file; nullptr when there is none (missing file, no icon).
    virtual std::unique_ptr<Icon> programIcon(const std::u16string& path) = 0;
    // Starts the program as a separate process, not waiting for it. Returns nullopt when it
    // started, else the system's reason.
    virtual std::optional<std::u16string> startProgram(const std::u16string& path) = 0;
    // Tells the user something (a refused path, a program that would not start).
    virtual void showMessage(const std::u16string& text) = 0;
    // Ends the program: the window goes, the event loop stops, no unload handler runs.
    // The caller returns straight after.
    virtual void endProgram() = 0;
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

// The events the toolkit raises on the main window; Form1 implements them.
class FormEvents {
public:
    virtual ~FormEvents() = default;
    virtual void Form_Load() = 0;
    virtual void Form_Unload() = 0;
    virtual void Tlb1_ButtonClick(const std::u16string& key) = 0;
    virtual void Tlb1_MouseDown(int16 button, int16 shift, float x, float y) = 0;
    virtual void Command1_Click() = 0;
    virtual void Command1_MouseDown(int16 button, int16 shift, float x, float y) = 0;
    virtual void Picture1_MouseDown(int16 button, int16 shift, float x, float y) = 0;
};

}  // namespace quevor
