#include "slots/slot_table.h"

#include "core/error.h"
#include "core/text.h"
#include "settings/layout.h"

namespace quevor {
namespace {

template <typename Table>
auto& entry(Table& table, int index, int first, const char* name) {
    const int at = index - first;
    if (at < 0 || at >= static_cast<int>(table.size())) {
        fail(std::string("Subscript out of range: ") + name + "(" + std::to_string(index) + ")");
    }
    return table[static_cast<std::size_t>(at)];
}

}  // namespace

std::u16string& SlotTable::loadedPaths(int slot) { return entry(loaded_, slot, 1, "loadedPaths"); }
const std::u16string& SlotTable::loadedPaths(int slot) const {
    return entry(loaded_, slot, 1, "loadedPaths");
}
std::u16string& SlotTable::slotPaths(int slot) { return entry(chosen_, slot, 1, "slotPaths"); }
const std::u16string& SlotTable::slotPaths(int slot) const {
    return entry(chosen_, slot, 1, "slotPaths");
}
std::u16string& SlotTable::addedPaths(int slot) { return entry(added_, slot, 1, "addedPaths"); }
const std::u16string& SlotTable::addedPaths(int slot) const {
    return entry(added_, slot, 1, "addedPaths");
}

int SlotTable::firstFreeSlot() const {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (isPlaceholderOrEmpty(loadedPaths(slot), slot) && addedPaths(slot).empty()) return slot;
    }
    return 0;
}

std::u16string buttonKeyFor(int number) { return u"k1" + ascii(std::to_string(number)); }

}  // namespace quevor
