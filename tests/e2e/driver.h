#pragma once

// Helpers of the end-to-end driver: starting quevor.exe, finding its windows, real input
// through SendInput, and waiting for conditions with a time limit.

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;

// Polls until the condition holds or the limit passes; returns whether it held.
bool waitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds limit = std::chrono::milliseconds(20000));

// Files.
std::string readBytes(const std::wstring& path);
void writeBytes(const std::wstring& path, const std::string& bytes);
void copyFile(const std::wstring& from, const std::wstring& to);
bool exists(const std::wstring& path);
// The lines the probe program appended to its log.
std::vector<std::wstring> startedLog();
void clearStartedLog();

// A running quevor.exe, started with its folder as the working folder. Ends it when destroyed.
class Bar {
public:
    explicit Bar(const std::wstring& exePath);
    Bar(const Bar&) = delete;
    Bar& operator=(const Bar&) = delete;
    ~Bar();

    DWORD pid() const { return info_.dwProcessId; }
    bool running() const;
    bool waitExit(std::chrono::milliseconds limit = std::chrono::milliseconds(20000));
    DWORD exitCode() const;

    // The main window, once it is shown; nullptr if it never came.
    HWND waitWindow();
    HWND window() const;  // the current one (nullptr when there is none)
    HWND toolbar() const;
    HWND addButton() const;
    int buttonCount() const;
    RECT buttonRect(int index) const;  // screen coordinates, 0-based index
    // A visible dialog (#32770) of this process, e.g. the open-file dialog or a message box.
    HWND dialog() const;

private:
    PROCESS_INFORMATION info_{};
};

// Real input.
void moveMouse(int x, int y);
void click(int x, int y, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP);
// Presses the right button, waits (5 s at most) for a pop-up menu, releases the button, as a
// person does; returns the menu window or nullptr.
HWND rightPressForMenu(int x, int y);
void clickCentre(const RECT& r);
void pressKey(WORD key);
void typeText(const std::wstring& text);

RECT windowRect(HWND hwnd);
POINT centre(const RECT& r);
std::wstring windowText(HWND hwnd);
// The visible pop-up menu window, if one is open.
HWND popupMenu();
// Chooses the n-th of the count items (1-based, separator not counted) of the open pop-up
// menu by keyboard.
void chooseMenuItem(int n, int count = 4);
// The text of the bar's visible tooltip, "" when none shows.
std::wstring visibleToolTip(DWORD pid);
// Distinct colours in a screen rectangle (an icon shows many, a blank button few).
std::size_t colourCount(const RECT& r);
// A fingerprint of the pixels in a screen rectangle.
std::vector<COLORREF> pixels(const RECT& r);
void endProcesses(const std::wstring& exeName);

}  // namespace e2e
