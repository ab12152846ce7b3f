// A program for the bar to start: it appends one line "<its own path>|<working folder>", and
// "|<argument>" for each argument CommandLineToArgvW finds, (UTF-16) to C:\e2e\started.log.
#include <windows.h>
// (first: shellapi.h builds on it)
#include <shellapi.h>

#include <cstdio>
#include <string>

int main() {
    wchar_t module[32768], folder[32768];
    std::wstring line(module, GetModuleFileNameW(nullptr, module, 32768));
    line += L'|' + std::wstring(folder, GetCurrentDirectoryW(32768, folder));
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; i < count; ++i) line += L'|' + std::wstring(arguments[i]);
    line += L"\r\n";
    FILE* log = _wfopen(L"C:\\e2e\\started.log", L"ab");
    const bool ok =
        log && std::fwrite(line.data(), sizeof(wchar_t), line.size(), log) == line.size();
    return log && std::fclose(log) == 0 && ok ? 0 : 1;
}
