#pragma once

#include <string>

#include "toolkit/toolkit.h"

namespace quevor::sim {

// A program's icon; counts itself in the platform's live-icon count until released.
class SimIcon final : public Icon {
  public:
    SimIcon(std::u16string programPath, int& liveIcons)
        : programPath_(std::move(programPath)), liveIcons_(liveIcons) {
        ++liveIcons_;
    }
    SimIcon(const SimIcon&) = delete;
    SimIcon& operator=(const SimIcon&) = delete;
    ~SimIcon() override { --liveIcons_; }

    const std::u16string& programPath() const { return programPath_; }

  private:
    std::u16string programPath_;
    int& liveIcons_;
};

}  // namespace quevor::sim
