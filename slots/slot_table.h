#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/int16.h"

namespace quevor {

// What the bar knows of one slot.
struct SlotRecord {
    std::u16string loadedPath;  // stored for the slot in the settings file, read at start-up
    std::u16string addedPath;   // a completed add of this run, to be saved
    // Nonzero while the stored program's file is being looked at (see beginLookUp).
    int lookUp = 0;
};

// The slot table: which program belongs to which of the fifteen slots, and which slots have a
// button and in what order they show. Slots are numbered 1..15; the record of a number outside
// them is a RuntimeError, never a stray read. Lives as long as the bar's window.
//
// A slot is taken when the settings file stored a program for it or an add completed for it
// in this run; a taken slot without a button holds a program that could not be found at
// start-up (a drive not plugged in, say). It keeps its slot and is saved again.
//
// The bar stores what it shows. A button's key ("k1" and its slot number) stays the same all
// run; a move changes only the on-screen order. The save hands the slots that have buttons
// out again in that order: the lowest of those slot numbers goes to the first button shown, the
// next lowest to the second, and so on. Missing programs keep their own slot numbers and a
// removed program's slot is stored empty. While the buttons show in ascending slot order, which
// start-up and adds keep (an add into a gap shows at its slot's place), every slot keeps its
// own program and the file comes out exactly as it would without moves.
class SlotTable {
  public:
    SlotRecord& at(int slot);
    const SlotRecord& at(int slot) const;

    // Lowest slot an add may fill: nothing stored for it in the settings file (empty or its
    // placeholder) and no add completed for it in this run. 0 when every slot is taken.
    int firstFreeSlot() const;
    // The slot holds a program: stored for it, or added in this run.
    bool taken(int slot) const;
    // Every slot is taken, by a button or by a missing program. The window's width counts a
    // missing program as shown, so that it is right again once the program is found.
    bool full() const { return firstFreeSlot() == 0; }

    // A look at the slot's program file begins; returns its number, which the answer hands back
    // to endLookUp. Whether the answer is still wanted: it is the slot's latest look, and the
    // slot has not been emptied since. The look ends either way.
    int beginLookUp(int slot);
    bool endLookUp(int slot, int lookUp);

    // The program a slot's button starts: the stored path, unless that is empty or the slot's
    // placeholder, else the one added in this run.
    const std::u16string& programPath(int slot) const;

    // The slots of the program buttons, in on-screen order.
    const std::vector<int>& shownSlots() const { return shown_; }
    int16 shownCount() const { return static_cast<int16>(shown_.size()); }
    // Every slot has a button: the add button then stands outside the window.
    bool allShown() const;
    // 1-based on-screen position of the slot's button; 0 when it has none.
    int16 positionOf(int slot) const;
    // Where a new button for the slot goes: before the first button of a higher slot.
    int16 placeFor(int slot) const;
    void show(int slot, int16 position);
    void unshow(int slot);
    void moveShown(int16 from, int16 to);

    // Taken slots without a button whose program has been looked for and not found, ascending.
    std::vector<int> missingSlots() const;
    // Empties the slot's record: it is free for the next add and stored empty.
    void forget(int slot);

    // What the quit save stores for the slot (see above): a program, the slot's placeholder as
    // read, or "" for nothing (the writer puts the placeholder).
    std::u16string pathToSave(int slot) const;

  private:
    std::array<SlotRecord, 15> records_{};
    std::vector<int> shown_;
    int lastLookUp_ = 0;
};

// "k1" followed by the number in decimal: the key of a slot's button and its image.
std::u16string buttonKeyFor(int number);
// The slot whose key this is, compared exactly ("K11" or "k11 " is none); 0 for none.
int slotOfKey(const std::u16string& key);

}  // namespace quevor
