#pragma once

#include <string>
#include <vector>

#include "toolkit/sim/sim_toolkit.h"

namespace quevor::sim {

// One line of JSON describing what the user sees: geometry in twips, caption, topmost and
// minimised flags, the add button's left edge, the buttons in toolbar order, the stored
// programs that have no button, the visible menu items in menu order, the start-up entry's
// command (null for none) and the keyboard focus (a button's key, "add" or null).
std::string stateJson(const SimToolkit& sim, const std::vector<std::u16string>& missing);

// A JSON string literal (quotes included) for the text, written in UTF-8.
std::string jsonString(const std::u16string& text);

}  // namespace quevor::sim
