#include "toolkit/sim/sim_toolbar.h"

#include <algorithm>

#include "core/error.h"
#include "core/messages.h"
#include "core/text.h"
#include "toolkit/sim/sim_icon.h"

namespace quevor::sim {
namespace {

const SimIcon& simIcon(const Icon& icon) {
    const auto* sim = dynamic_cast<const SimIcon*>(&icon);
    if (sim == nullptr) fail(Message::internalError, {u"icon"});
    return *sim;
}

template <typename Entry>
void checkNew(const std::vector<Entry>& entries, int16 index, const std::u16string& key,
              const char* what) {
    if (index < 1 || index > static_cast<int>(entries.size()) + 1) {
        fail(Message::internalError, {ascii(std::string(what) + " " + std::to_string(index))});
    }
    const bool taken = std::any_of(entries.begin(), entries.end(),
                                   [&](const Entry& entry) { return entry.key == key; });
    if (taken) fail(Message::internalError, {ascii(std::string(what) + " ") + key});
}

}  // namespace

void SimToolbar::addImage(int16 index, const std::u16string& key, const Icon& icon) {
    log_.add("toolbar.addImage " + std::to_string(index) + " " + toUtf8(key));
    checkNew(images_, index, key, "image list");
    images_.insert(images_.begin() + (index - 1), SimImage{key, simIcon(icon).neutral});
}

void SimToolbar::addButton(int16 index, const std::u16string& key, const std::u16string& imageKey) {
    log_.add("toolbar.addButton " + std::to_string(index) + " " + toUtf8(key) + " " +
             toUtf8(imageKey));
    checkNew(buttons_, index, key, "toolbar");
    const bool imageThere = std::any_of(images_.begin(), images_.end(), [&](const SimImage& image) {
        return image.key == imageKey;
    });
    if (!imageThere) fail(Message::internalError, {u"image " + imageKey});
    buttons_.insert(buttons_.begin() + (index - 1), SimButton{key, imageKey, u""});
}

void SimToolbar::checkButton(int16 index) const {
    if (index < 1 || index > static_cast<int>(buttons_.size())) {
        fail(Message::internalError, {ascii("button " + std::to_string(index))});
    }
}

void SimToolbar::setToolTip(int16 index, const std::u16string& text) {
    log_.add("toolbar.setToolTip " + std::to_string(index) + " " + toUtf8(text));
    checkButton(index);
    buttons_[static_cast<std::size_t>(index - 1)].toolTip = text;
}

void SimToolbar::setImage(const std::u16string& key, const Icon& icon) {
    log_.add("toolbar.setImage " + toUtf8(key));
    const auto image = std::find_if(images_.begin(), images_.end(),
                                    [&](const SimImage& entry) { return entry.key == key; });
    if (image == images_.end()) fail(Message::internalError, {u"image " + key});
    image->neutral = simIcon(icon).neutral;
}

bool SimToolbar::showsNeutral(const SimButton& button) const {
    return std::any_of(images_.begin(), images_.end(), [&](const SimImage& image) {
        return image.key == button.imageKey && image.neutral;
    });
}

void SimToolbar::removeButton(int16 index) {
    log_.add("toolbar.removeButton " + std::to_string(index));
    checkButton(index);
    const auto button = buttons_.begin() + (index - 1);
    const std::u16string imageKey = button->imageKey;
    if (button->key == focused_) focused_.clear();
    buttons_.erase(button);
    images_.erase(std::remove_if(images_.begin(), images_.end(),
                                 [&](const SimImage& image) { return image.key == imageKey; }),
                  images_.end());
}

void SimToolbar::moveButton(int16 from, int16 to) {
    log_.add("toolbar.moveButton " + std::to_string(from) + " " + std::to_string(to));
    checkButton(from);
    checkButton(to);
    const SimButton moved = buttons_[static_cast<std::size_t>(from - 1)];
    buttons_.erase(buttons_.begin() + (from - 1));
    buttons_.insert(buttons_.begin() + (to - 1), moved);
}

void SimToolbar::clearButtons() {
    log_.add("toolbar.clearButtons");
    buttons_.clear();
    focused_.clear();
}

void SimToolbar::showFocus(const std::u16string& key) {
    log_.add("toolbar.showFocus " + toUtf8(key));
    if (!key.empty() && find(key) == nullptr) fail(Message::internalError, {u"focus " + key});
    focused_ = key;
}

const SimButton* SimToolbar::find(const std::u16string& key) const {
    for (const SimButton& button : buttons_) {
        if (button.key == key) return &button;
    }
    return nullptr;
}

}  // namespace quevor::sim
