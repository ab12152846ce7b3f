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

#include "settings/system_reason.h"

namespace quevor::win32 {

// The program's text is UTF-16 as Windows' is; only the character type differs.
inline std::wstring wide(std::u16string_view text) { return {text.begin(), text.end()}; }
inline std::u16string narrowToU16(std::wstring_view text) { return {text.begin(), text.end()}; }

// The description of GetLastError(), in UTF-8 for an error message.
std::string toUtf8Reason();

}  // namespace quevor::win32
