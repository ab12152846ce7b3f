#pragma once

namespace quevor::win32 {

// Twips (1/1440 inch) and pixels at the system DPI: 15 twips per pixel at 96 DPI, the scale
// the bar's constants assume.
class Units {
  public:
    explicit Units(int dpi) : dpi_(dpi > 0 ? dpi : 96) {}
    static Units system();  // the DPI the program runs at (system DPI awareness)

    int dpi() const { return dpi_; }
    int toPixels(float twips) const;
    float toTwips(int pixels) const;

  private:
    int dpi_;
};

}  // namespace quevor::win32
