#include "core/error.h"
#include "toolkit/win32/win32_toolkit.h"

namespace quevor::win32 {

std::optional<std::u16string> Win32Platform::startProgramWith(const std::u16string& path,
                                                              const std::u16string& parameters) {
    // As a click starts it (startProgram): the path is the file to run, its own folder the
    // working folder; the parameters follow its quoted path on the command line.
    const std::wstring file = wide(path);
    const std::wstring arguments = wide(parameters);
    const std::size_t slash = file.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos
                                    ? std::wstring()
                                    : file.substr(0, slash == 2 && file[1] == L':' ? 3 : slash);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.hwnd = window_.hwnd();
    info.lpFile = file.c_str();
    info.lpParameters = arguments.empty() ? nullptr : arguments.c_str();
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    static auto* const shellExecuteEx =
        systemFunction<decltype(ShellExecuteExW)>(L"shell32.dll", "ShellExecuteExW");
    (void)startCom();
    if (shellExecuteEx(&info)) return std::nullopt;
    return systemReason(GetLastError());
}

}  // namespace quevor::win32
