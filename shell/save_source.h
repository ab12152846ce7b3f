#pragma once

#include "settings/writers.h"
#include "shell/bar.h"

namespace quevor {

// What a quit of the running bar stores, as the bar stands now.
SaveValues valuesToSave(const Toolkit& toolkit, const BarState& state);

}  // namespace quevor
