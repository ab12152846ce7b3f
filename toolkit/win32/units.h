#pragma once

namespace quevor::win32 {

// Twips (1/1440 inch) and pixels at one DPI: 15 twips per pixel at 96 DPI, the scale the bar's
// constants assume. A window's sizes follow the DPI of its monitor, which can change while it
// runs; its position is kept at the system DPI, so the stored position is the same whichever
// monitor the window is on.
class Units {
  public:
    explicit Units(int dpi) : dpi_(dpi > 0 ? dpi : 96) {}
    static Units system();  // the DPI the system was started with

    int dpi() const { return dpi_; }
    // Beyond a million pixels is an out-of-range error.
    int toPixels(float twips) const;
    // A window edge: as far as a million pixels either way, and pulled to that beyond it (the
    // window is brought onto a monitor afterwards).
    int toEdgePixels(float twips) const;
    float toTwips(int pixels) const;

  private:
    double pixels(float twips) const;
    int dpi_;
};

}  // namespace quevor::win32
