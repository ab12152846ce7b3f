#pragma once

// The one place the Windows headers are taken in, with the same settings for every file.
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <string>
#include <string_view>

#include "core/error.h"
#include "settings/system_reason.h"

namespace quevor::win32 {

// The program's text is UTF-16 as Windows' is; only the character type differs.
inline std::wstring wide(std::u16string_view text) { return {text.begin(), text.end()}; }
inline std::u16string narrowToU16(std::wstring_view text) { return {text.begin(), text.end()}; }

// The description of GetLastError(), in UTF-8 for an error message.
std::string toUtf8Reason();

// A function of a system DLL, the DLL loaded from System32 on first use: what only adding or
// starting a program needs (the open-file dialog, COM, the shell) stays out of start-up. The
// DLL stays loaded until the program ends.
template <typename Function>
Function* systemFunction(const wchar_t* library, const char* name) {
    const HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    const FARPROC found = module ? GetProcAddress(module, name) : nullptr;
    if (!found) {
        fail("Cannot load the system function " + std::string(name) + ": " + toUtf8Reason());
    }
    // Through the type that matches any function, which the compiler accepts without warning.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(found));
}

}  // namespace quevor::win32
