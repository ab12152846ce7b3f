#pragma once

// The bar's design geometry in twips (1/1440 inch): the one home of these numbers for the logic,
// both toolkits and the tests. The values assume 15 twips per pixel (one program button is 39
// pixels at 96 DPI).

#include "core/int16.h"

namespace quevor::geometry {

// One program button on the toolbar; the window grows and the add button moves by this much
// for every program added.
inline constexpr int16 kButtonPitch = 585;
// The pitch the width is rebuilt with when the title bar is shown again (not the button's).
inline constexpr int16 kShowPitch = 588;
// Added to the buttons at kShowPitch when the width saved on hiding is too narrow.
inline constexpr int16 kShowMargin = 715;
// The add button is a square this wide and high; it is also what comes off the window's width
// once all fifteen slots are filled.
inline constexpr int16 kAddButtonSize = 615;
// The narrowest width the title bar is shown again with, and the width a clear leaves.
inline constexpr int16 kDefaultWidth = 735;
// Window heights with and without the title bar.
inline constexpr int16 kShownHeight = 1125;
inline constexpr int16 kHiddenHeight = 650;

// The toolbar strip along the top of the window, normally wider than the window, which clips it.
inline constexpr int16 kToolbarWidth = 8820;
inline constexpr int16 kToolbarHeight = 615;
// The window's client area at its design size, before start-up sets a width and height.
inline constexpr int16 kDesignClientSize = 600;

// Geometry as the toolkit takes it: single precision.
constexpr float twips(int16 value) { return static_cast<float>(value); }

}  // namespace quevor::geometry
