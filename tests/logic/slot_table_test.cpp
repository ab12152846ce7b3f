#include "bar_fixture.h"
#include "core/error.h"

namespace quevor::testing {
namespace {

// Slots 1, 2, ... from words (see bar_fixture.h), each a path as written: "+a" added in this
// run, "a" stored in the file, "." nothing; and the slots shown, in on-screen order.
SlotTable table(const std::string& text, const std::vector<int>& shown = {}) {
    SlotTable slots;
    int slot = 0;
    for (const std::string& word : words(text)) {
        SlotRecord& record = slots.at(++slot);
        const bool added = word[0] == '+';
        (added ? record.addedPath : record.loadedPath) =
            ascii(word == "." ? "" : word.substr(added));
    }
    for (const int s : shown) slots.show(s, static_cast<int16>(slots.shownCount() + 1));
    return slots;
}

TEST(SlotTableTest, AnAddGetsTheLowestSlotWithNothingStoredOrAdded) {
    const struct {
        std::string slots;
        int forgotten, free;
    } rows[] = {{"1.exe b", 0, 1},  {"2.exe", 0, 2},      {"a . c", 0, 2},     {"+a", 0, 2},
                {"p1..p14", 0, 15}, {"p1..p14 +o", 0, 0}, {"p1..p14 +o", 7, 7}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.slots + " less " + std::to_string(row.forgotten));
        SlotTable slots = table(row.slots);
        if (row.forgotten) slots.forget(row.forgotten);
        EXPECT_EQ(slots.firstFreeSlot(), row.free);
    }
}

// A new button goes before the first button of a higher slot; a move takes a button from one
// place among those shown to another. Places outside them, and slots outside 1..15, are errors.
TEST(SlotTableTest, ButtonsArePlacedByTheirSlotAndMovedWithinThoseShown) {
    const struct {
        std::vector<int> shown;
        int slot;
        int16 place;
    } places[] = {{{}, 5, 1},        {{1, 4, 9}, 2, 2}, {{1, 4, 9}, 5, 3}, {{1, 4, 9}, 10, 4},
                  {{9, 1, 4}, 5, 1}, {{4, 1, 9}, 2, 1}, {{1, 9, 4}, 5, 2}};
    for (const auto& row : places) {
        SCOPED_TRACE(::testing::PrintToString(row.shown) + " slot " + std::to_string(row.slot));
        EXPECT_EQ(table("", row.shown).placeFor(row.slot), row.place);
    }
    const struct {
        int16 from, to;
        std::vector<int> after;  // empty: refused
    } moves[] = {{1, 3, {2, 3, 1}}, {3, 1, {3, 1, 2}}, {2, 2, {1, 2, 3}}, {0, 1, {}},
                 {1, 0, {}},        {4, 1, {}},        {1, 4, {}}};
    for (const auto& row : moves) {
        SCOPED_TRACE(std::to_string(row.from) + " to " + std::to_string(row.to));
        SlotTable slots = table("", {1, 2, 3});
        if (row.after.empty()) {
            EXPECT_THROW(slots.moveShown(row.from, row.to), RuntimeError);
        } else {
            slots.moveShown(row.from, row.to);
            EXPECT_EQ(slots.shownSlots(), row.after);
        }
    }
    for (const int slot : {-1, 0, 16}) EXPECT_THROW((void)SlotTable().at(slot), RuntimeError);
}

// The shown slots' numbers, ascending, go to the buttons in on-screen order; a missing program
// keeps its own slot, a placeholder is saved as read, a forgotten slot as nothing.
TEST(SlotTableTest, TheSaveDealsTheShownSlotsOutInOnScreenOrder) {
    SlotTable slots = table("a gone c +d 5.exe removed", {4, 1, 3});
    slots.forget(6);
    const Texts saved = {u"d", u"gone", u"a", u"c", u"5.exe", u"", u""};
    for (int slot = 1; slot <= 7; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(slots.pathToSave(slot), saved[static_cast<std::size_t>(slot - 1)]);
    }
}

}  // namespace
}  // namespace quevor::testing
