#pragma once

// The one place the Windows headers are taken in, with the same settings for every file, and
// the small helpers every Windows piece of the program uses: UTF-16 strings and error texts.
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

#include <string>
#include <string_view>

namespace quevor::win32 {

// The program's text is UTF-16 as Windows' is; only the character type differs.
inline std::wstring wide(std::u16string_view text) { return {text.begin(), text.end()}; }
inline std::u16string narrowToU16(std::wstring_view text) { return {text.begin(), text.end()}; }

// The system's description of an error code, without its trailing line break and full stop
// ("system error N" when the system has none).
std::u16string systemReason(unsigned long error);

// The description of GetLastError().
std::u16string lastReason();

}  // namespace quevor::win32
