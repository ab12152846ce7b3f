#include "driver.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <thread>

namespace e2e {

bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (true) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

std::string readBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    if (!in) return {};
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write a test file");
}

static void makeFolders(const std::wstring& path) {
    for (std::size_t i = 3; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == L'\\') CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
    }
}

void copyFile(const std::wstring& from, const std::wstring& to) {
    const std::size_t slash = to.find_last_of(L'\\');
    if (slash != std::wstring::npos) makeFolders(to.substr(0, slash));
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) throw std::runtime_error("cannot copy a file");
}

bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> startedLog() {
    const std::string bytes = readBytes(L"C:\\e2e\\started.log");
    std::wstring text(bytes.size() / 2, L'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                       (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(L"\r\n", start);
        if (end == std::wstring::npos) break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

void clearStartedLog() { DeleteFileW(L"C:\\e2e\\started.log"); }

Bar::Bar(const std::wstring& exePath) {
    const std::wstring folder = exePath.substr(0, exePath.find_last_of(L'\\'));
    std::wstring commandLine = L"\"" + exePath + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info_)) {
        throw std::runtime_error("cannot start quevor.exe");
    }
}

Bar::~Bar() {
    if (running()) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 10000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool Bar::running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

bool Bar::waitExit(std::chrono::milliseconds limit) {
    return WaitForSingleObject(info_.hProcess, static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

DWORD Bar::exitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

namespace {

std::wstring classOf(HWND hwnd) {
    wchar_t buffer[256] = {};
    GetClassNameW(hwnd, buffer, 256);
    return buffer;
}

struct Search {
    DWORD pid;
    const wchar_t* className;
    bool visibleOnly;
    HWND found = nullptr;
};

BOOL CALLBACK searchWindow(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (search->pid != 0 && pid != search->pid) return TRUE;
    if (search->visibleOnly && !IsWindowVisible(hwnd)) return TRUE;
    if (classOf(hwnd) != search->className) return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND findTopLevel(DWORD pid, const wchar_t* cls, bool visibleOnly) {
    Search search{pid, cls, visibleOnly};
    EnumWindows(searchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

HWND Bar::window() const { return findTopLevel(pid(), L"quevorBar", false); }

HWND Bar::waitWindow() {
    HWND found = nullptr;
    waitFor([&] {
        found = findTopLevel(pid(), L"quevorBar", true);
        return found != nullptr || !running();
    });
    return found;
}

HWND Bar::toolbar() const {
    HWND main = window();
    return main ? FindWindowExW(main, nullptr, TOOLBARCLASSNAMEW, nullptr) : nullptr;
}

HWND Bar::addButton() const {
    HWND main = window();
    return main ? FindWindowExW(main, nullptr, L"Button", nullptr) : nullptr;
}

int Bar::buttonCount() const {
    HWND bar = toolbar();
    return bar ? static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0)) : -1;
}

RECT Bar::buttonRect(int index) const {
    // The toolbar writes the rectangle into its own process: through a buffer allocated there.
    HWND bar = toolbar();
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid());
    void* remote = process ? VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE) : nullptr;
    RECT r{};
    const bool ok = remote && SendMessageW(bar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote)) &&
                    ReadProcessMemory(process, remote, &r, sizeof r, nullptr);
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    if (process) CloseHandle(process);
    if (!ok) throw std::runtime_error("no such toolbar button");
    MapWindowPoints(bar, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

HWND Bar::dialog() const { return findTopLevel(pid(), L"#32770", true); }

namespace {

void sendMouse(DWORD flags, int x, int y) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((x * 65535LL + width / 2) / (width - 1));
    input.mi.dy = static_cast<LONG>((y * 65535LL + height / 2) / (height - 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

void sendKey(WORD key, WORD scan, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = scan;
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

}  // namespace

void moveMouse(int x, int y) {
    sendMouse(MOUSEEVENTF_MOVE, x, y);
    waitFor([&] {
        POINT p{};
        GetCursorPos(&p);
        return p.x == x && p.y == y;
    }, std::chrono::milliseconds(2000));
}

void click(int x, int y, DWORD down, DWORD up) {
    moveMouse(x, y);
    sendMouse(down, x, y);
    sendMouse(up, x, y);
}

HWND rightPressForMenu(int x, int y) {
    moveMouse(x, y);
    sendMouse(MOUSEEVENTF_RIGHTDOWN, x, y);
    HWND menu = nullptr;
    waitFor([&] { return (menu = popupMenu()) != nullptr; }, std::chrono::milliseconds(5000));
    sendMouse(MOUSEEVENTF_RIGHTUP, x, y);
    return menu;
}

void clickCentre(const RECT& r) {
    const POINT p = centre(r);
    click(p.x, p.y);
}

void pressKey(WORD key) {
    sendKey(key, 0, 0);
    sendKey(key, 0, KEYEVENTF_KEYUP);
}

void typeText(const std::wstring& text) {
    for (wchar_t c : text) {
        sendKey(0, c, KEYEVENTF_UNICODE);
        sendKey(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
    }
}

RECT windowRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

POINT centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

std::wstring windowText(HWND hwnd) {
    wchar_t buffer[1024] = {};
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK, 5000,
                        nullptr);
    return buffer;
}


HWND popupMenu() { return findTopLevel(0, L"#32768", true); }

void chooseMenuItem(int n, int count) {
    // The menu opens under the pointer, which could highlight an item at any moment; away
    // from it, the keyboard alone decides. Up reaches the last item whether the first or no
    // item is highlighted; from there, up again to the one wanted.
    moveMouse(1000, 740);
    for (int i = 0; i < 1 + count - n; ++i) pressKey(VK_UP);
    pressKey(VK_RETURN);
}

std::wstring visibleToolTip(DWORD pid) {
    HWND tip = findTopLevel(pid, TOOLTIPS_CLASSW, true);
    return tip ? windowText(tip) : L"";
}

std::vector<COLORREF> pixels(const RECT& r) {
    std::vector<COLORREF> out;
    HDC screen = GetDC(nullptr);
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) out.push_back(GetPixel(screen, x, y));
    }
    ReleaseDC(nullptr, screen);
    return out;
}

std::size_t colourCount(const RECT& r) {
    const std::vector<COLORREF> all = pixels(r);
    return std::set<COLORREF>(all.begin(), all.end()).size();
}

namespace {

template <typename F>
void forEachProcess(F&& f) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        f(entry);
    }
    CloseHandle(snapshot);
}

}  // namespace

void endProcesses(const std::wstring& exeName) {
    forEachProcess([&](const PROCESSENTRY32W& e) {
        if (lstrcmpiW(e.szExeFile, exeName.c_str()) != 0) return;
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, e.th32ProcessID);
        if (!process) return;
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 10000);
        CloseHandle(process);
    });
}

}  // namespace e2e
