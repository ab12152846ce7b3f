// A program's folder shown by the shell, and a program started with administrator rights.

#include <objbase.h>
#include <shlobj.h>

#include "toolkit/win32/win32_toolkit.h"

namespace quevor::win32 {
namespace {

// The folder a program is started in: its own ("C:\" for "C:\x.exe", not the drive's current
// folder that "C:" would mean); "" for a bare name.
std::wstring folderOf(const std::wstring& file) {
    const std::size_t slash = file.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    return file.substr(0, slash == 2 && file[1] == L':' ? 3 : slash);
}

void freeIdList(PIDLIST_ABSOLUTE list) {
    static auto* const ilFree = systemFunction<decltype(ILFree)>(L"shell32.dll", "ILFree");
    ilFree(list);
}
using UniqueIdList = Unique<PIDLIST_ABSOLUTE, freeIdList>;

}  // namespace

std::optional<std::u16string> Win32Platform::openProgramFolder(const std::u16string& path) {
    // The shell is handed the file itself, never a command line: any path is safe. A missing
    // file gets the reason a click on it gets.
    const std::wstring file = wide(path);
    if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) return lastReason();
    if (auto failure = startCom()) return failure;
    static auto* const ilCreateFromPath =
        systemFunction<decltype(ILCreateFromPathW)>(L"shell32.dll", "ILCreateFromPathW");
    static auto* const shOpenFolderAndSelectItems =
        systemFunction<decltype(SHOpenFolderAndSelectItems)>(L"shell32.dll",
                                                             "SHOpenFolderAndSelectItems");
    const UniqueIdList item(ilCreateFromPath(file.c_str()));
    if (!item) return lastReason();
    // With no child items given, the item itself is selected in its parent folder.
    const HRESULT result = shOpenFolderAndSelectItems(item.get(), 0, nullptr, 0);
    if (FAILED(result)) return systemReason(static_cast<unsigned long>(result));
    return std::nullopt;
}

ElevatedStart Win32Platform::startProgramElevated(const std::u16string& path) {
    // As a click starts it (the file itself, in its own folder), through the "runas" verb.
    const std::wstring file = wide(path);
    const std::wstring folder = folderOf(file);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.hwnd = window_.hwnd();
    info.lpVerb = L"runas";
    info.lpFile = file.c_str();
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    static auto* const shellExecuteEx =
        systemFunction<decltype(ShellExecuteExW)>(L"shell32.dll", "ShellExecuteExW");
    (void)startCom();
    if (shellExecuteEx(&info)) return {};
    const DWORD error = GetLastError();
    if (error == ERROR_CANCELLED) return {ElevatedStart::Outcome::refused, u""};
    return {ElevatedStart::Outcome::failed, systemReason(error)};
}

}  // namespace quevor::win32
