#pragma once

// The Windows headers the toolkit takes in beyond the system's own: common controls, the
// common dialogs and the shell.
#include "platform/win32/system.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
