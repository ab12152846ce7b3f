#pragma once

#include "toolkit/toolkit.h"

namespace quevor::sim {

// A program's icon; counts itself in the platform's live-icon count until released.
class SimIcon final : public Icon {
  public:
    explicit SimIcon(int& liveIcons) : liveIcons_(liveIcons) { ++liveIcons_; }
    SimIcon(const SimIcon&) = delete;
    SimIcon& operator=(const SimIcon&) = delete;
    ~SimIcon() override { --liveIcons_; }

  private:
    int& liveIcons_;
};

}  // namespace quevor::sim
