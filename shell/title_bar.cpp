#include "shell/bar.h"
#include "toolkit/geometry.h"

namespace quevor {

using namespace geometry;

void Bar::hideTitleBar() {
    Window& window = toolkit_.window;
    window.setCaptionVisible(false);
    state_.savedWidth = roundToInt16(window.width());
    const int16 addWidth = roundToInt16(toolkit_.addButton.width());
    const int16 buttons = state_.slots.shownCount();
    window.setWidth(twips(add16(mul16(buttons, kButtonPitch), addWidth)));
    window.setHeight(twips(kHiddenHeight));
    toolkit_.menu.setVisible(MenuItem::showTitleBar, true);
    toolkit_.menu.setVisible(MenuItem::hideTitleBar, false);
    if (state_.slots.allShown()) {
        window.setWidth(twips(sub16(roundToInt16(window.width()), kAddButtonSize)));
    }
    state_.titleBarHidden = true;
    state_.titleBarRecord = 1;
}

void Bar::showTitleBar() {
    Window& window = toolkit_.window;
    window.setCaptionVisible(true);
    window.setHeight(twips(kShownHeight));
    if (state_.savedWidth < kDefaultWidth) state_.savedWidth = kDefaultWidth;
    const int16 buttons = state_.slots.shownCount();
    const int16 fitted = add16(mul16(buttons, kShowPitch), kAddButtonSize);
    const int16 width = state_.savedWidth > fitted ? state_.savedWidth
                                                   : add16(mul16(buttons, kShowPitch), kShowMargin);
    window.setWidth(twips(width));
    if (state_.slots.allShown()) {
        window.setWidth(twips(sub16(roundToInt16(window.width()), kAddButtonSize)));
    }
    toolkit_.menu.setVisible(MenuItem::showTitleBar, false);
    toolkit_.menu.setVisible(MenuItem::hideTitleBar, true);
    state_.titleBarHidden = false;
    state_.titleBarRecord = 0;
}

}  // namespace quevor
