#include "toolkit/sim/sim_window.h"

#include "core/number.h"
#include "core/text.h"

namespace quevor::sim {
namespace {

std::string number(float value) { return toUtf8(singleText(value)); }

}  // namespace

void SimWindow::setLeft(float twips) {
    log_.add("window.setLeft " + number(twips));
    left_ = twips;
}
void SimWindow::setTop(float twips) {
    log_.add("window.setTop " + number(twips));
    top_ = twips;
}
void SimWindow::setWidth(float twips) {
    log_.add("window.setWidth " + number(twips));
    width_ = twips;
}
void SimWindow::setHeight(float twips) {
    log_.add("window.setHeight " + number(twips));
    height_ = twips;
}
void SimWindow::minimize() {
    log_.add("window.minimize");
    minimized_ = true;
}
void SimWindow::setCaptionVisible(bool visible) {
    log_.add(std::string("window.setCaptionVisible ") + (visible ? "true" : "false"));
    caption_ = visible;
}
void SimWindow::makeTopmost() {
    log_.add("window.makeTopmost");
    topmost_ = true;
}
void SimWindow::userMove(float left, float top) {
    left_ = left;
    top_ = top;
}

void SimAddButton::setLeft(float twips) {
    log_.add("addButton.setLeft " + number(twips));
    left_ = twips;
}

void SimAddButton::showFocus(bool focused) {
    log_.add(std::string("addButton.showFocus ") + (focused ? "true" : "false"));
    focused_ = focused;
}

}  // namespace quevor::sim
