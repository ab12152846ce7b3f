#pragma once

// The end-to-end driver's helpers: files, quevor.exe started and its windows found, real input
// through SendInput, and waiting for conditions with a time limit.

#include <windows.h>
// (first: the other system headers build on it)
#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace e2e {

// Polls every pollMs until the condition holds or the limit passes; returns whether it held.
inline bool waitFor(const std::function<bool()>& condition, ULONGLONG limitMs = 20000,
                    DWORD pollMs = 50) {
    for (const ULONGLONG end = GetTickCount64() + limitMs; !condition(); Sleep(pollMs)) {
        if (GetTickCount64() >= end) return false;
    }
    return true;
}

// Input under Wine is now and then not delivered. The one place that copes with it: sends the
// input (act) and waits 5 s (or waitMs: a program that starts takes longer) for its effect, three
// times at most, each repeat logged with what it repeats; returns whether the effect showed.
inline bool retry(const char* what, const std::function<void()>& act,
                  const std::function<bool()>& shows, DWORD pollMs = 50, ULONGLONG waitMs = 5000) {
    for (int attempt = 1; attempt <= 3; ++attempt) {
        if (attempt > 1) std::fprintf(stderr, "retry %d of %s\n", attempt, what);
        act();
        if (waitFor(shows, waitMs, pollMs)) return true;
    }
    return false;
}

// Ends the session as a sign-out does: Wine's own tool asks every window of the prefix whether
// it may end, then tells them it does.
inline void endSession() { _wsystem(L"C:\\windows\\system32\\wineboot.exe --end-session"); }

inline std::string readBytes(const std::wstring& path) {  // "" when missing
    std::ifstream in(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void writeBytes(const std::wstring& path, const std::string& bytes) {
    if (!(std::ofstream(path.c_str(), std::ios::binary) << bytes))
        throw std::runtime_error("cannot write a test file");
}

inline void copyFile(const std::wstring& from, const std::wstring& to) {  // makes the folders
    SHCreateDirectoryExW(nullptr, to.substr(0, to.find_last_of(L'\\')).c_str(), nullptr);
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) throw std::runtime_error("cannot copy a file");
}

inline RECT windowRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

inline POINT centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

inline std::wstring windowText(HWND hwnd) {  // "" for no window
    wchar_t buffer[1024] = {};
    SendMessageW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

// A visible top-level window of the class (of any process when pid is 0), nullptr if none.
inline HWND topWindow(DWORD pid, const wchar_t* className) {
    for (HWND w = FindWindowExW(nullptr, nullptr, className, nullptr); w;
         w = FindWindowExW(nullptr, w, className, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if ((pid == 0 || owner == pid) && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

inline HWND popupMenu() { return topWindow(0, L"#32768"); }

inline void sendMouse(DWORD flags, int x, int y) {  // flags at a point of the screen
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((x * 65535LL + width / 2) / (width - 1));
    input.mi.dy = static_cast<LONG>((y * 65535LL + height / 2) / (height - 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

inline void moveMouse(POINT to) {
    sendMouse(MOUSEEVENTF_MOVE, to.x, to.y);
    POINT p{};
    waitFor([&] { return GetCursorPos(&p) && p.x == to.x && p.y == to.y; }, 2000);
}

inline void click(POINT at, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP) {
    moveMouse(at);
    sendMouse(down, at.x, at.y);
    sendMouse(up, at.x, at.y);
}

inline void pressKey(WORD key, wchar_t unit = 0) {  // a virtual key, or a character (unit)
    const DWORD flags = unit ? KEYEVENTF_UNICODE : 0;
    INPUT input[2] = {};
    for (int up = 0; up < 2; ++up) {
        input[up].type = INPUT_KEYBOARD;
        input[up].ki = {key, unit, flags | (up ? KEYEVENTF_KEYUP : 0u), 0, 0};
    }
    SendInput(2, input, sizeof(INPUT));
}

// Chooses the first item of the open pop-up menu with a click just inside its top edge. A click
// lost under load chooses nothing and can be sent again; a lost key would choose another item.
inline void chooseFirstMenuItem() {
    const RECT menu = windowRect(popupMenu());
    const POINT first{(menu.left + menu.right) / 2, menu.top + GetSystemMetrics(SM_CYEDGE) + 6};
    click(first);
}

inline std::vector<COLORREF> pixels(const RECT& r) {  // of the screen
    std::vector<COLORREF> out;
    HDC screen = GetDC(nullptr);
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) out.push_back(GetPixel(screen, x, y));
    }
    ReleaseDC(nullptr, screen);
    return out;
}

// A running program, started from the command line in the folder given. Ends it when destroyed.
class Process {
  public:
    explicit Process(std::wstring commandLine, const wchar_t* folder = nullptr) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder, &startup, &info_)) {
            throw std::runtime_error("cannot start a program");
        }
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process() {
        TerminateProcess(info_.hProcess, 99);  // does nothing once it has ended
        WaitForSingleObject(info_.hProcess, 10000);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }

    DWORD pid() const { return info_.dwProcessId; }
    HANDLE process() const { return info_.hProcess; }
    bool running() const { return WaitForSingleObject(process(), 0) == WAIT_TIMEOUT; }
    DWORD waitExit() const {  // the exit code; STILL_ACTIVE when it runs on for 20 s
        DWORD code = STILL_ACTIVE;
        WaitForSingleObject(process(), 20000);
        GetExitCodeProcess(process(), &code);
        return code;
    }

  private:
    PROCESS_INFORMATION info_{};
};

// A running quevor.exe, started with its folder as the working folder.
class Bar : public Process {
  public:
    explicit Bar(const std::wstring& exePath)
        : Process(L'"' + exePath + L'"', exePath.substr(0, exePath.find_last_of(L'\\')).c_str()) {}

    HWND window() const { return topWindow(pid(), L"quevorBar"); }
    HWND waitWindow() const {  // nullptr if it never showed
        waitFor([&] { return window() != nullptr || !running(); });
        return window();
    }
    HWND addButton() const { return FindWindowExW(window(), nullptr, L"Button", nullptr); }
    HWND toolbar() const { return FindWindowExW(window(), nullptr, TOOLBARCLASSNAMEW, nullptr); }
    LRESULT buttonCount() const { return SendMessageW(toolbar(), TB_BUTTONCOUNT, 0, 0); }

    RECT buttonRect(int index) const {  // screen coordinates, 0-based
        // The toolbar writes the rectangle into its own process: into memory allocated there.
        void* remote = VirtualAllocEx(process(), nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
        RECT r{};
        const bool ok = SendMessageW(toolbar(), TB_GETITEMRECT, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(remote)) &&
                        ReadProcessMemory(process(), remote, &r, sizeof r, nullptr);
        VirtualFreeEx(process(), remote, 0, MEM_RELEASE);
        if (!ok) throw std::runtime_error("no such toolbar button");
        MapWindowPoints(toolbar(), HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    // Opens the pop-up menu of a toolbar button (-1: of the add button).
    bool openMenu(int index = -1) const {
        return retry(
            "a right press for the menu", [&] { pressForMenu(index); },
            [] { return popupMenu() != nullptr; });
    }

    // Opens the button's menu if need be and chooses its first item; done tells that it was chosen.
    bool choose(const char* what, int index, const std::function<bool()>& done,
                DWORD pollMs = 50) const {
        const auto act = [&] {
            if (!popupMenu()) pressForMenu(index);
            if (popupMenu()) chooseFirstMenuItem();
        };
        return retry(what, act, done, pollMs);
    }

  private:
    // A right press, held until the menu shows, as a person does.
    void pressForMenu(int index) const {
        const POINT at = centre(index < 0 ? windowRect(addButton()) : buttonRect(index));
        moveMouse(at);
        sendMouse(MOUSEEVENTF_RIGHTDOWN, at.x, at.y);
        waitFor([] { return popupMenu() != nullptr; }, 5000);
        sendMouse(MOUSEEVENTF_RIGHTUP, at.x, at.y);
    }
};

}  // namespace e2e
