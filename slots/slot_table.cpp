#include "slots/slot_table.h"

#include <algorithm>

#include "core/error.h"
#include "core/messages.h"
#include "core/text.h"
#include "settings/layout.h"

namespace quevor {
namespace {

template <typename Records>
auto& recordOf(Records& records, int slot) {
    if (slot < 1 || slot > static_cast<int>(records.size())) {
        fail(Message::internalError, {ascii("slot " + std::to_string(slot))});
    }
    return records[static_cast<std::size_t>(slot - 1)];
}

}  // namespace

SlotRecord& SlotTable::at(int slot) { return recordOf(records_, slot); }
const SlotRecord& SlotTable::at(int slot) const { return recordOf(records_, slot); }

bool SlotTable::taken(int slot) const {
    const SlotRecord& record = at(slot);
    return !isPlaceholderOrEmpty(record.loadedPath, slot) || !record.addedPath.empty();
}

int SlotTable::beginLookUp(int slot) {
    at(slot).lookUp = ++lastLookUp_;
    return lastLookUp_;
}

bool SlotTable::endLookUp(int slot, int lookUp) {
    SlotRecord& record = at(slot);
    if (record.lookUp != lookUp) return false;
    record.lookUp = 0;
    return true;
}

int SlotTable::firstFreeSlot() const {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (!taken(slot)) return slot;
    }
    return 0;
}

const std::u16string& SlotTable::programPath(int slot) const {
    const SlotRecord& record = at(slot);
    return isPlaceholderOrEmpty(record.loadedPath, slot) ? record.addedPath : record.loadedPath;
}

bool SlotTable::allShown() const { return shownCount() == kSlotCount; }

int16 SlotTable::positionOf(int slot) const {
    const auto at = std::find(shown_.begin(), shown_.end(), slot);
    return at == shown_.end() ? 0 : static_cast<int16>(at - shown_.begin() + 1);
}

int16 SlotTable::placeFor(int slot) const {
    const auto at = std::find_if(shown_.begin(), shown_.end(), [&](int s) { return s > slot; });
    return static_cast<int16>(at - shown_.begin() + 1);
}

void SlotTable::show(int slot, int16 position) {
    if (positionOf(slot) != 0 || position < 1 || position > static_cast<int>(shown_.size()) + 1) {
        fail(Message::internalError,
             {ascii("slot " + std::to_string(slot) + " at " + std::to_string(position))});
    }
    shown_.insert(shown_.begin() + (position - 1), slot);
}

void SlotTable::unshow(int slot) {
    const int16 position = positionOf(slot);
    if (position != 0) shown_.erase(shown_.begin() + (position - 1));
}

void SlotTable::moveShown(int16 from, int16 to) {
    const int count = static_cast<int>(shown_.size());
    if (from < 1 || from > count || to < 1 || to > count) {
        fail(Message::internalError,
             {ascii("button " + std::to_string(from) + " to " + std::to_string(to))});
    }
    const int slot = shown_[static_cast<std::size_t>(from - 1)];
    shown_.erase(shown_.begin() + (from - 1));
    shown_.insert(shown_.begin() + (to - 1), slot);
}

std::vector<int> SlotTable::missingSlots() const {
    std::vector<int> missing;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (taken(slot) && positionOf(slot) == 0 && at(slot).lookUp == 0) missing.push_back(slot);
    }
    return missing;
}

void SlotTable::forget(int slot) { at(slot) = SlotRecord{}; }

std::u16string SlotTable::pathToSave(int slot) const {
    if (positionOf(slot) != 0) {
        // The buttons' slot numbers, ascending, are dealt out in on-screen order.
        std::vector<int> numbers = shown_;
        std::sort(numbers.begin(), numbers.end());
        const auto rank = std::find(numbers.begin(), numbers.end(), slot) - numbers.begin();
        return programPath(shown_[static_cast<std::size_t>(rank)]);
    }
    const SlotRecord& record = at(slot);
    return record.addedPath.empty() ? record.loadedPath : record.addedPath;
}

std::u16string buttonKeyFor(int number) { return u"k1" + ascii(std::to_string(number)); }

int slotOfKey(const std::u16string& key) {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (key == buttonKeyFor(slot)) return slot;
    }
    return 0;
}

}  // namespace quevor
