#pragma once

#include <array>
#include <string>

#include "core/int16.h"

namespace quevor {

// The slot table: which program belongs to which of the fifteen slots, and the counters the
// toolbar buttons are made with. Every table is indexed by the slot number 1..15. Lives as long
// as the bar's window.
//
// Every table is reached through a checked accessor: an index outside its bounds is a
// RuntimeError, never a stray read.
class SlotTable {
  public:
    // loadedPaths(1..15): the path stored for slot N in the settings file, read at start-up.
    std::u16string& loadedPaths(int slot);
    const std::u16string& loadedPaths(int slot) const;
    // slotPaths(1..15): the path chosen with the add button for slot N in this run, or the
    // cancel marker "?.exe".
    std::u16string& slotPaths(int slot);
    const std::u16string& slotPaths(int slot) const;
    // addedPaths(1..15): the path of a completed add for slot N, to be saved.
    std::u16string& addedPaths(int slot);
    const std::u16string& addedPaths(int slot) const;

    // Number of slot buttons made so far; 15 means every slot is taken.
    int16 nextSlot = 0;
    // 1-based toolbar position of the next button and its image.
    int16 buttonCounter = 0;

    // Lowest slot an add may fill: nothing stored for it in the settings file (empty or its
    // placeholder) and no add completed for it in this run. 0 when every slot is taken.
    int firstFreeSlot() const;

  private:
    std::array<std::u16string, 15> loaded_{};
    std::array<std::u16string, 15> chosen_{};
    std::array<std::u16string, 15> added_{};
};

// Text stored in slotPaths when the open-file dialog was cancelled.
inline constexpr std::u16string_view kCancelMarker = u"?.exe";

// "k1" followed by the number in decimal: the key of a slot's button and its image.
std::u16string buttonKeyFor(int number);

}  // namespace quevor
