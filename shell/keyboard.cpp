// The bar from the keyboard: a focus that moves over its buttons, and keys that do what the mouse
// does there, through the same handlers.
#include <algorithm>

#include "shell/bar.h"

namespace quevor {
namespace {

constexpr int16 kRightButton = 2;

}  // namespace

bool Bar::onKey(Key key, int16 shift) {
    // Alt belongs to the system (the window menu), and so does anything held with a key that
    // means nothing with it.
    if (shift & kAltHeld) return false;
    const bool shifted = (shift & kShiftHeld) != 0;
    const bool control = (shift & kControlHeld) != 0;
    switch (key) {
        case Key::left:
        case Key::right: {
            const int step = key == Key::left ? -1 : 1;
            if (shifted) return false;
            return control ? moveFocusedProgram(step) : stepFocus(step);
        }
        case Key::tab:
            return !control && stepFocus(shifted ? -1 : 1);
        case Key::enter:
        case Key::space:
            return shift == 0 && pressFocused();
        case Key::del:
            return shift == 0 && menuAtFocus(MenuItem::remove);
        case Key::f10:
            return shift == kShiftHeld && menuAtFocus(std::nullopt);
        case Key::menu:
            return menuAtFocus(std::nullopt);
        default: {
            const int digit = static_cast<int>(key) - static_cast<int>(Key::digit0);
            return shift == 0 && startNumbered(digit == 0 ? 10 : digit);
        }
    }
}

std::vector<int> Bar::focusOrder() const {
    std::vector<int> order = state_.slots.shownSlots();
    if (!state_.slots.allShown()) order.push_back(kAddButtonFocus);
    return order;
}

int Bar::focusIndex(const std::vector<int>& order) const {
    if (state_.focusedSlot == 0) return -1;
    const auto at = std::find(order.begin(), order.end(), state_.focusedSlot);
    // Not there: the add button, gone outside the window behind the last program.
    if (at == order.end()) return static_cast<int>(order.size()) - 1;
    return static_cast<int>(at - order.begin());
}

int16 Bar::focusPosition() const {
    if (state_.focusedSlot == kAddButtonFocus) return add16(state_.slots.shownCount(), 1);
    return state_.slots.positionOf(state_.focusedSlot);
}

void Bar::showFocus(int slot) {
    state_.focusedSlot = slot;
    const bool onAdd = slot == kAddButtonFocus;
    // The one losing it first, so that the one taking it keeps the system's focus.
    if (onAdd) toolkit_.toolbar.showFocus(u"");
    toolkit_.addButton.showFocus(onAdd);
    if (!onAdd) toolkit_.toolbar.showFocus(buttonKeyFor(slot));
}

void Bar::followFocus(int16 positionBefore) {
    if (state_.focusedSlot == 0) return;
    const std::vector<int> order = focusOrder();
    if (std::find(order.begin(), order.end(), state_.focusedSlot) != order.end()) return;
    const int last = static_cast<int>(order.size()) - 1;
    showFocus(order[static_cast<std::size_t>(std::clamp(positionBefore - 1, 0, last))]);
}

bool Bar::stepFocus(int step) {
    const std::vector<int> order = focusOrder();
    const int last = static_cast<int>(order.size()) - 1;
    const int at = focusIndex(order);
    // The first key shows the focus at the end it moves from.
    const int next = at < 0 ? (step > 0 ? 0 : last) : std::clamp(at + step, 0, last);
    showFocus(order[static_cast<std::size_t>(next)]);
    return true;
}

bool Bar::moveFocusedProgram(int step) {
    const std::vector<int> order = focusOrder();
    const int at = focusIndex(order);
    if (at < 0 || order[static_cast<std::size_t>(at)] == kAddButtonFocus) return false;
    const int slot = order[static_cast<std::size_t>(at)];
    const int to = state_.slots.positionOf(slot) + step;
    if (to >= 1 && to <= state_.slots.shownCount())
        onProgramButtonDrag(buttonKeyFor(slot), static_cast<int16>(to));
    return true;
}

bool Bar::pressFocused() {
    const std::vector<int> order = focusOrder();
    const int at = focusIndex(order);
    if (at < 0) return false;
    const int slot = order[static_cast<std::size_t>(at)];
    if (slot == kAddButtonFocus) {
        onAddButtonClick();
    } else {
        onProgramButtonClick(buttonKeyFor(slot));
    }
    return true;
}

bool Bar::menuAtFocus(std::optional<MenuItem> selected) {
    const std::vector<int> order = focusOrder();
    int at = focusIndex(order);
    if (at < 0) {
        // Delete does nothing unseen; the menu key shows the focus first and opens its menu.
        if (selected) return false;
        at = 0;
        showFocus(order.front());
    }
    const int slot = order[static_cast<std::size_t>(at)];
    const bool onAdd = slot == kAddButtonFocus;
    if (onAdd && selected) return false;  // nothing to remove there
    const MenuAnchor anchor{onAdd, onAdd ? int16{0} : state_.slots.positionOf(slot)};
    openMenu(kRightButton, onAdd ? 0 : slot, &anchor, selected);
    return true;
}

bool Bar::startNumbered(int number) {
    const std::vector<int>& shown = state_.slots.shownSlots();
    if (number > static_cast<int>(shown.size())) return false;
    onProgramButtonClick(buttonKeyFor(shown[static_cast<std::size_t>(number - 1)]));
    return true;
}

}  // namespace quevor
