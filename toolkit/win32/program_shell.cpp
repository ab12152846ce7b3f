// A program's folder shown by the shell.

#include <objbase.h>
#include <shlobj.h>

#include "toolkit/win32/win32_toolkit.h"

namespace quevor::win32 {
namespace {

void freeIdList(PIDLIST_ABSOLUTE list) {
    static auto* const ilFree = systemFunction<decltype(ILFree)>(L"shell32.dll", "ILFree");
    ilFree(list);
}
using UniqueIdList = Unique<PIDLIST_ABSOLUTE, freeIdList>;

}  // namespace

std::wstring folderOf(const std::wstring& file) {
    const std::size_t slash = file.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    return file.substr(0, slash == 2 && file[1] == L':' ? 3 : slash);
}

std::optional<std::u16string> openFolderOf(const std::u16string& path) {
    // The shell is handed the file itself, never a command line: any path is safe. A missing
    // file gets the reason a click on it gets.
    const std::wstring file = wide(path);
    if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) return lastReason();
    static auto* const ilCreateFromPath =
        systemFunction<decltype(ILCreateFromPathW)>(L"shell32.dll", "ILCreateFromPathW");
    static auto* const shOpenFolderAndSelectItems =
        systemFunction<decltype(SHOpenFolderAndSelectItems)>(L"shell32.dll",
                                                             "SHOpenFolderAndSelectItems");
    const JobApartment com;
    const UniqueIdList item(ilCreateFromPath(file.c_str()));
    if (!item) return lastReason();
    // With no child items given, the item itself is selected in its parent folder.
    const HRESULT result = shOpenFolderAndSelectItems(item.get(), 0, nullptr, 0);
    if (FAILED(result)) return systemReason(static_cast<unsigned long>(result));
    return std::nullopt;
}

}  // namespace quevor::win32
