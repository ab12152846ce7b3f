#include <objbase.h>
#include <shlobj.h>

#include <memory>
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

std::unique_ptr<Icon> loadProgramIcon(const std::u16string& path, int size) {
    // The icon the shell shows for the file; none for a missing file. A program file shows its
    // own first icon, taken from it at exactly the size asked for so that it stays sharp at
    // any DPI; anything else (or a program without an icon) gets what the shell's file
    // information gives.
    const std::wstring file = wide(path);
    if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) return nullptr;
    HICON extracted = nullptr;
    const UINT count = PrivateExtractIconsW(file.c_str(), 0, size, size, &extracted, nullptr, 1, 0);
    if (count == 1 && extracted) return std::make_unique<Win32Icon>(UniqueIcon(extracted));
    static auto* const shGetFileInfo =
        systemFunction<decltype(SHGetFileInfoW)>(L"shell32.dll", "SHGetFileInfoW");
    const JobApartment com;
    SHFILEINFOW info{};
    shGetFileInfo(file.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_LARGEICON);
    if (!info.hIcon) return nullptr;
    return std::make_unique<Win32Icon>(UniqueIcon(info.hIcon));
}

StartResult startProgramFile(const StartRequest& request) {
    // The path is the file to run, never parsed from a command line, so "C:\Program Files\..."
    // cannot start "C:\Program.exe". Its own folder is the working folder, as a shortcut gives.
    const std::wstring file = wide(request.path);
    const std::wstring parameters = wide(request.parameters);
    const std::wstring folder = folderOf(file);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // This thread ends its COM apartment straight after: the start is finished before the call
    // returns.
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = request.elevated ? L"runas" : nullptr;
    info.lpFile = file.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    static auto* const shellExecuteEx =
        systemFunction<decltype(ShellExecuteExW)>(L"shell32.dll", "ShellExecuteExW");
    const JobApartment com;
    if (shellExecuteEx(&info)) return {};
    const DWORD error = GetLastError();
    if (request.elevated && error == ERROR_CANCELLED) return {StartResult::Outcome::refused, u""};
    return {StartResult::Outcome::failed, systemReason(error)};
}

void Win32Platform::requestProgramIcon(const std::u16string& path, IconAnswer answer) {
    const int size = window_.toolbar().iconSize();
    window_.worker().post([path, size, answer = std::move(answer)]() -> FileWorker::Delivery {
        // Held here until the delivery hands it on, and released with it if that never runs.
        auto icon = std::make_shared<std::unique_ptr<Icon>>(loadProgramIcon(path, size));
        return [answer, icon] { answer(std::move(*icon)); };
    });
}

void Win32Platform::requestStart(const StartRequest& request, StartAnswer answer) {
    window_.worker().post([request, answer = std::move(answer)]() -> FileWorker::Delivery {
        return [answer, result = startProgramFile(request)] { answer(result); };
    });
}

void Win32Platform::requestOpenFolder(const std::u16string& path, FolderAnswer answer) {
    window_.worker().post([path, answer = std::move(answer)]() -> FileWorker::Delivery {
        return [answer, failure = openFolderOf(path)] { answer(failure); };
    });
}

void Win32Platform::awaitAnswers(int limitMs) {
    window_.worker().await(limitMs, [](const FileWorker::Delivery& delivery) { delivery(); });
}

std::unique_ptr<Icon> Win32Platform::neutralIcon() {
    // The system's picture of a program, at the toolbar's size; a copy of our own, since the
    // loaded one is shared.
    const int size = window_.toolbar().iconSize();
    const auto shared =
        static_cast<HICON>(LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, size, size, LR_SHARED));
    UniqueIcon copy(shared ? CopyIcon(shared) : nullptr);
    if (!copy) fail(Message::cannotStoreIcon);
    return std::make_unique<Win32Icon>(std::move(copy));
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
