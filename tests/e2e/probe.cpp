// A program for the bar to start: it records where it runs from and in which working folder,
// one line "<its own path>|<working folder>" appended to C:\e2e\started.log, and ends.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t module[32768];
    const DWORD moduleLength = GetModuleFileNameW(nullptr, module, 32768);
    wchar_t folder[32768];
    const DWORD folderLength = GetCurrentDirectoryW(32768, folder);
    std::wstring line(module, moduleLength);
    line += L'|';
    line.append(folder, folderLength);
    line += L"\r\n";
    HANDLE log = CreateFileW(L"C:\\e2e\\started.log", FILE_APPEND_DATA,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL ok = WriteFile(log, line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)),
                              &written, nullptr);
    CloseHandle(log);
    return ok ? 0 : 1;
}
