#include "settings/layout.h"
#include "shell/bar.h"
#include "toolkit/geometry.h"

namespace quevor {

using namespace geometry;

void Bar::removeCaption(bool atStartUp) {
    Window& window = toolkit_.window;
    window.setStyle(window.style() & ~kCaptionBits);
    window.redrawFrame();
    state_.savedWidth = roundToInt16(window.width());
    const int16 addWidth = roundToInt16(toolkit_.addButton.width());
    const int16 buttons = toolkit_.toolbar.buttonCount();
    int16 width = add16(mul16(buttons, kButtonPitch), addWidth);
    // Start-up's own rule for a single button; the same value with the add button's usual width.
    if (atStartUp && buttons == 1) width = kSingleButtonHiddenWidth;
    window.setWidth(twips(width));
    window.setHeight(twips(kHiddenHeight));
    toolkit_.menu.setVisible(MenuItem::showTitleBar, true);
    toolkit_.menu.setVisible(MenuItem::hideTitleBar, false);
    if (state_.slots.nextSlot == kSlotCount) {
        window.setWidth(twips(sub16(roundToInt16(window.width()), kAddButtonSize)));
    }
}

void Bar::hideTitleBar() {
    removeCaption(false);
    state_.titleBarHidden = 1;
}

void Bar::showTitleBar() {
    Window& window = toolkit_.window;
    window.setStyle(window.style() | kCaptionBits);
    window.redrawFrame();
    window.setHeight(twips(kShownHeight));
    if (state_.savedWidth < kDefaultWidth) state_.savedWidth = kDefaultWidth;
    const int16 buttons = toolkit_.toolbar.buttonCount();
    const int16 fitted = add16(mul16(buttons, kShowPitch), kAddButtonSize);
    const int16 width =
        state_.savedWidth > fitted ? state_.savedWidth : add16(mul16(buttons, kShowPitch), kShowMargin);
    window.setWidth(twips(width));
    if (state_.slots.nextSlot == kSlotCount) {
        window.setWidth(twips(sub16(roundToInt16(window.width()), kAddButtonSize)));
    }
    toolkit_.menu.setVisible(MenuItem::showTitleBar, false);
    toolkit_.menu.setVisible(MenuItem::hideTitleBar, true);
    state_.titleBarHidden = 0;
}

}  // namespace quevor
