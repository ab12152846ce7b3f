#pragma once

#include "toolkit/sim/sim_log.h"
#include "toolkit/sim/sim_menu.h"
#include "toolkit/sim/sim_platform.h"
#include "toolkit/sim/sim_toolbar.h"
#include "toolkit/sim/sim_window.h"
#include "toolkit/toolkit.h"

namespace quevor::sim {

// The whole simulated toolkit: every piece as plain values, with one log of the calls made.
// Not copyable: toolkit() hands out references into it.
struct SimToolkit {
    CallLog log;
    SimWindow window{log};
    SimToolbar toolbar{log};
    SimAddButton addButton{log};
    SimMenu menu{log};
    SimDialog dialog{log};
    SimPlatform platform{log};
    Toolkit bundle{window, toolbar, addButton, menu, dialog, platform};

    SimToolkit() = default;
    SimToolkit(const SimToolkit&) = delete;
    SimToolkit& operator=(const SimToolkit&) = delete;

    Toolkit& toolkit() { return bundle; }
};

}  // namespace quevor::sim
