#include "toolkit/sim/sim_menu.h"

#include "core/text.h"

namespace quevor::sim {
namespace {

std::size_t slotOf(MenuItem item) { return static_cast<std::size_t>(item); }

}  // namespace

std::string menuItemName(MenuItem item) { return menuItemInfo(item).name; }

std::optional<MenuItem> menuItemNamed(const std::string& name) {
    for (const MenuItemInfo& info : kMenuItems) {
        if (info.name == name) return info.item;
    }
    return std::nullopt;
}

SimMenu::SimMenu(CallLog& log) : log_(log) {
    for (const MenuItemInfo& info : kMenuItems) {
        visible_[slotOf(info.item)] = info.shownAtFirst;
        captions_[slotOf(info.item)] = info.caption;
    }
}

bool SimMenu::visible(MenuItem item) const { return visible_[slotOf(item)]; }

void SimMenu::setCaption(MenuItem item, const std::u16string& caption) {
    log_.add("menu.setCaption " + menuItemName(item) + " " + toUtf8(caption));
    captions_[slotOf(item)] = caption;
}

const std::u16string& SimMenu::caption(MenuItem item) const { return captions_[slotOf(item)]; }

void SimMenu::setVisible(MenuItem item, bool visible) {
    log_.add("menu.setVisible " + menuItemName(item) + (visible ? " true" : " false"));
    visible_[slotOf(item)] = visible;
}

std::optional<MenuItem> SimMenu::popupAt(const MenuAnchor& anchor,
                                         std::optional<MenuItem> selected) {
    log_.add(
        "menu.popup at " +
        (anchor.addButton ? std::string("add") : "toolbar " + std::to_string(anchor.position)) +
        (selected ? " selecting " + menuItemName(*selected) : ""));
    // Selecting an item the menu does not show selects nothing.
    selected_ = selected && visible(*selected) ? selected : std::nullopt;
    const auto answer = this->answer();
    selected_.reset();
    return answer;
}

std::optional<MenuItem> SimMenu::popup() {
    log_.add("menu.popup");
    return answer();
}

std::optional<MenuItem> SimMenu::answer() {
    ++popups_;
    Answer answer;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    } else if (answerer) {
        answer = answerer();
    } else {
        throw SimUsageError("the pop-up menu opened but no answer was given");
    }
    if (answer && (isSeparator(*answer) || !visible(*answer))) {
        throw SimUsageError(menuItemName(*answer) + " is not an item the menu offers now");
    }
    return answer;
}

void SimMenu::setChecked(MenuItem item, bool checked) {
    log_.add("menu.setChecked " + menuItemName(item) + (checked ? " true" : " false"));
    checked_[slotOf(item)] = checked;
}

std::vector<MenuItem> SimMenu::visibleItems() const {
    std::vector<MenuItem> items;
    for (const MenuItemInfo& info : kMenuItems) {
        if (visible(info.item)) items.push_back(info.item);
    }
    return items;
}

}  // namespace quevor::sim
