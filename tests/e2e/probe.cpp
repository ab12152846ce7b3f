// A program for the bar to start: it appends one line "<its own path>|<working folder>"
// (UTF-16) to C:\e2e\started.log, and its arguments, if any, as CommandLineToArgvW gives them,
// one a line, to C:\e2e\arguments.log; and ends.
#include <windows.h>
// (first: shellapi.h builds on it)
#include <shellapi.h>

#include <cstdio>
#include <string>

int main() {
    wchar_t module[32768], folder[32768];
    std::wstring line(module, GetModuleFileNameW(nullptr, module, 32768));
    line += L'|' + std::wstring(folder, GetCurrentDirectoryW(32768, folder)) + L"\r\n";
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring given;
    for (int i = 1; i < count; ++i) given += arguments[i] + std::wstring(L"\r\n");
    if (FILE* out = count > 1 ? _wfopen(L"C:\\e2e\\arguments.log", L"wb") : nullptr) {
        std::fwrite(given.data(), sizeof(wchar_t), given.size(), out);
        std::fclose(out);
    }
    FILE* log = _wfopen(L"C:\\e2e\\started.log", L"ab");
    const bool ok =
        log && std::fwrite(line.data(), sizeof(wchar_t), line.size(), log) == line.size();
    return log && std::fclose(log) == 0 && ok ? 0 : 1;
}
