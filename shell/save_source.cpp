#include "shell/save_source.h"

namespace quevor {

bool FormSaveSource::clearItemVisible() const { return toolkit_.menu.visible(MenuItem::menuClr); }
int16 FormSaveSource::titleBarHidden() const { return state_.titleBarHidden; }
float FormSaveSource::windowWidth() const { return toolkit_.window.width(); }
void FormSaveSource::setWindowWidth(float width) { toolkit_.window.setWidth(width); }
float FormSaveSource::addButtonLeft() const { return toolkit_.addButton.left(); }
float FormSaveSource::windowLeft() const { return toolkit_.window.left(); }
float FormSaveSource::windowTop() const { return toolkit_.window.top(); }

std::u16string FormSaveSource::pathToSave(int slot) {
    std::u16string& added = state_.slots.addedPaths(slot);
    if (added.empty()) added = state_.slots.loadedPaths(slot);
    return added;
}

}  // namespace quevor
