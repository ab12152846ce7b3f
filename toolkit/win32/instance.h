#pragma once

// A second start of the program brings the running bar back instead of opening another.

#include "toolkit/win32/win32.h"

namespace quevor::win32 {

// The message a bar answers a second start with, and what it asks (wParam).
UINT secondStartMessage();
enum SecondStartRequest : WPARAM { kWhoAreYou = 0, kTakeFocus = 1 };
// What a bar answers, which no other window would.
inline constexpr LRESULT kBarAnswer = 0x71766272;

// Called by the new instance, which the user has just started and so may set the foreground
// window: the running bar (a shown window of the class of own, own excluded, that answers as a
// bar) is restored if minimised, brought onto the nearest monitor if it is on none, activated
// and given the keyboard focus. Gives whether there was such a bar.
bool bringBackRunningBar(HWND own);

}  // namespace quevor::win32
