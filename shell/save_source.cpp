#include "shell/save_source.h"

namespace quevor {

bool BarSaveSource::clearItemVisible() const { return toolkit_.menu.visible(MenuItem::clear); }
int16 BarSaveSource::titleBarHidden() const { return state_.titleBarHidden; }
float BarSaveSource::windowWidth() const { return toolkit_.window.width(); }
void BarSaveSource::setWindowWidth(float width) { toolkit_.window.setWidth(width); }
float BarSaveSource::addButtonLeft() const { return toolkit_.addButton.left(); }
float BarSaveSource::windowLeft() const { return toolkit_.window.left(); }
float BarSaveSource::windowTop() const { return toolkit_.window.top(); }

std::u16string BarSaveSource::pathToSave(int slot) {
    std::u16string& added = state_.slots.addedPaths(slot);
    if (added.empty()) added = state_.slots.loadedPaths(slot);
    return added;
}

}  // namespace quevor
