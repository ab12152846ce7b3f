#pragma once

#include "toolkit/toolkit.h"

namespace quevor::sim {

// A program's icon, or the neutral one; counts itself in the platform's live-icon count until
// released.
class SimIcon final : public Icon {
  public:
    explicit SimIcon(int& liveIcons, bool isNeutral = false)
        : neutral(isNeutral), liveIcons_(liveIcons) {
        ++liveIcons_;
    }
    SimIcon(const SimIcon&) = delete;
    SimIcon& operator=(const SimIcon&) = delete;
    ~SimIcon() override { --liveIcons_; }

    const bool neutral;

  private:
    int& liveIcons_;
};

}  // namespace quevor::sim
