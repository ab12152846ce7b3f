#pragma once

// The Windows headers the toolkit takes in beyond the system's own: common controls, the
// common dialogs and the shell; and the loader of system functions used only now and then.
#include "platform/win32/system.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <string>

#include "core/error.h"
#include "core/messages.h"
#include "core/text.h"

namespace quevor::win32 {

// A function of a system DLL, the DLL loaded from System32 on first use: what only adding or
// starting a program needs (the open-file dialog, COM, the shell) stays out of start-up. The
// DLL stays loaded until the program ends.
template <typename Function>
Function* systemFunction(const wchar_t* library, const char* name) {
    const HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    const FARPROC found = module ? GetProcAddress(module, name) : nullptr;
    if (!found) {
        fail(Message::cannotLoadFunction, {ascii(name), lastReason()});
    }
    // Through the type that matches any function, which the compiler accepts without warning.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(found));
}

}  // namespace quevor::win32
