// A program for the bar to start: it appends one line "<its own path>|<working folder>"
// (UTF-16) to C:\e2e\started.log, and ends.
#include <windows.h>

#include <string>

int main() {
    wchar_t module[32768], folder[32768];
    std::wstring line(module, GetModuleFileNameW(nullptr, module, 32768));
    line += L'|' + std::wstring(folder, GetCurrentDirectoryW(32768, folder)) + L"\r\n";
    HANDLE log = CreateFileW(L"C:\\e2e\\started.log", FILE_APPEND_DATA,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const BOOL ok = WriteFile(log, line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)),
                              &written, nullptr);
    CloseHandle(log);
    return ok ? 0 : 1;
}
