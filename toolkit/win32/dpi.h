#pragma once

// The DPI of a window and of a monitor, and the sizes that follow it. Windows before 10 has no
// per-monitor DPI for a program: there every answer is the system DPI.

#include "toolkit/win32/win32.h"

namespace quevor::win32 {

// The DPI the window is drawn at now.
int windowDpi(HWND window);
// The DPI the window will be drawn at once it stands at rect (screen pixels): that of the
// monitor holding most of it, the nearest one when it is on none.
int dpiAt(HWND window, const RECT& rect);
// The shell's large-icon size at the DPI.
int iconSizeAt(int dpi);

}  // namespace quevor::win32
