#include "shell/save_source.h"

namespace quevor {

bool BarSaveSource::clearItemVisible() const { return !state_.cleared; }
int16 BarSaveSource::titleBarHidden() const { return state_.titleBarRecord; }
float BarSaveSource::windowWidth() const { return toolkit_.window.width(); }
void BarSaveSource::setWindowWidth(float width) { toolkit_.window.setWidth(width); }
float BarSaveSource::addButtonLeft() const { return toolkit_.addButton.left(); }
float BarSaveSource::windowLeft() const { return toolkit_.window.left(); }
float BarSaveSource::windowTop() const { return toolkit_.window.top(); }

// The slots with buttons are stored in on-screen order; see SlotTable.
std::u16string BarSaveSource::pathToSave(int slot) { return state_.slots.pathToSave(slot); }

}  // namespace quevor
