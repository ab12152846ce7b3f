#pragma once

#include "settings/writers.h"
#include "shell/bar.h"

namespace quevor {

// Hands the quit save the live values of the running bar, each read when its record is written.
class BarSaveSource final : public SaveSource {
  public:
    BarSaveSource(Toolkit& toolkit, BarState& state) : toolkit_(toolkit), state_(state) {}

    bool clearItemVisible() const override;
    int16 titleBarHidden() const override;
    float windowWidth() const override;
    void setWindowWidth(float width) override;
    float addButtonLeft() const override;
    float windowLeft() const override;
    float windowTop() const override;
    std::u16string pathToSave(int slot) override;

  private:
    Toolkit& toolkit_;
    BarState& state_;
};

}  // namespace quevor
