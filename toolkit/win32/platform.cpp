#include <objbase.h>
#include <shlobj.h>

#include <vector>

#include "core/error.h"
#include "core/messages.h"
#include "core/text.h"
#include "toolkit/win32/instance.h"
#include "toolkit/win32/win32_toolkit.h"

namespace quevor::win32 {

std::optional<std::u16string> Win32Platform::startCom() {
    // The shell wants COM on the thread that asks it for a file's icon, starts a program or
    // reads a shortcut. It is started there the first time (in most runs never) and lasts
    // until the program ends; an apartment already there, of whatever kind, serves as well.
    // ole32 is loaded only then.
    if (comStarted_) return std::nullopt;
    static auto* const coInitializeEx =
        systemFunction<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
    const HRESULT result = coInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(result) && result != RPC_E_CHANGED_MODE) {
        return systemReason(static_cast<unsigned long>(result));
    }
    comStarted_ = true;
    return std::nullopt;
}

std::optional<std::u16string> Win32Platform::findFile(const std::u16string& name) {
    // The system's file search order; the buffer grows to whatever length the path has.
    const std::wstring file = wide(name);
    std::vector<wchar_t> buffer(MAX_PATH, L'\0');
    while (true) {
        const DWORD length = SearchPathW(nullptr, file.c_str(), nullptr,
                                         static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (length == 0) return std::nullopt;
        if (length < buffer.size()) return narrowToU16(std::wstring_view(buffer.data(), length));
        buffer.assign(length + 1, L'\0');
    }
}

bool Win32Platform::anotherInstanceRunning() {
    // A named mutex lives as long as an instance holds it; the name is per user session.
    if (!instanceMutex_) {
        instanceMutex_.reset(CreateMutexW(nullptr, FALSE, L"Local\\quevor.bar.instance"));
        if (!instanceMutex_) fail(Message::cannotCheckInstance, {lastReason()});
        anotherInstance_ = GetLastError() == ERROR_ALREADY_EXISTS;
        if (anotherInstance_) bringBackRunningBar(window_.hwnd());
    }
    return anotherInstance_;
}

std::unique_ptr<Icon> Win32Platform::programIcon(const std::u16string& path) {
    // The icon the shell shows for the file, at the system's large-icon size; none for a
    // missing file. A program file shows its own first icon, taken from it at exactly that
    // size so that it stays sharp at any DPI; anything else (or a program without an icon)
    // gets what the shell's file information gives.
    const std::wstring file = wide(path);
    if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) return nullptr;
    const int size = GetSystemMetrics(SM_CXICON);
    HICON extracted = nullptr;
    const UINT count = PrivateExtractIconsW(file.c_str(), 0, size, size, &extracted, nullptr, 1, 0);
    if (count == 1 && extracted) return std::make_unique<Win32Icon>(UniqueIcon(extracted));
    static auto* const shGetFileInfo =
        systemFunction<decltype(SHGetFileInfoW)>(L"shell32.dll", "SHGetFileInfoW");
    // Without COM the shell still answers for most files; its answer alone decides.
    (void)startCom();
    SHFILEINFOW info{};
    shGetFileInfo(file.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_LARGEICON);
    if (!info.hIcon) return nullptr;
    return std::make_unique<Win32Icon>(UniqueIcon(info.hIcon));
}

std::optional<std::u16string> Win32Platform::startProgram(const std::u16string& path) {
    // The path is the file to run, never parsed from a command line, so "C:\Program Files\..."
    // cannot start "C:\Program.exe". Its own folder is the working folder, as a shortcut gives.
    const std::wstring file = wide(path);
    const std::size_t slash = file.find_last_of(L"\\/");
    // "C:\x.exe" runs in "C:\", not in the drive's current folder that "C:" would mean.
    const std::wstring folder = slash == std::wstring::npos
                                    ? std::wstring()
                                    : file.substr(0, slash == 2 && file[1] == L':' ? 3 : slash);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.hwnd = window_.hwnd();
    info.lpFile = file.c_str();
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    static auto* const shellExecuteEx =
        systemFunction<decltype(ShellExecuteExW)>(L"shell32.dll", "ShellExecuteExW");
    // As for the icon: whether the program starts is the shell's answer.
    (void)startCom();
    if (shellExecuteEx(&info)) return std::nullopt;
    return systemReason(GetLastError());
}

ShortcutTarget Win32Platform::resolveShortcut(const std::u16string& path) {
    if (auto failure = startCom()) return {std::nullopt, std::move(*failure)};
    UniqueCom<IShellLinkW> link;
    UniqueCom<IPersistFile> file;
    static auto* const coCreateInstance =
        systemFunction<decltype(CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
    HRESULT result = coCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkW, reinterpret_cast<void**>(link.put()));
    if (SUCCEEDED(result)) {
        result = link.get()->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put()));
    }
    if (SUCCEEDED(result)) result = file.get()->Load(wide(path).c_str(), STGM_READ);
    if (FAILED(result)) return {std::nullopt, systemReason(static_cast<unsigned long>(result))};
    // Room for the longest path the system has; the target is not looked for on disk.
    std::vector<wchar_t> target(32768, L'\0');
    result = link.get()->GetPath(target.data(), static_cast<int>(target.size()), nullptr, 0);
    if (result != S_OK || target[0] == L'\0') {
        return {std::nullopt, messageText(Message::shortcutNotAFile)};
    }
    return {narrowToU16(target.data()), {}};
}

void Win32Platform::showMessage(const std::u16string& text) {
    MessageBoxW(window_.hwnd(), wide(text).c_str(), L"quevor", MB_OK | MB_ICONWARNING);
}

void Win32Platform::endProgram() {
    // The bar ends from inside its handlers, which may still use the window on their way out:
    // the message loop is asked to stop (a modal loop under the handler stops with it), and
    // runBar destroys the window once the loop has ended.
    if (!boundary_.ended()) PostQuitMessage(0);
    boundary_.setEnded();
}

}  // namespace quevor::win32
