#include "toolkit/sim/sim_window.h"

#include <cstdio>

#include "core/number.h"
#include "core/text.h"

namespace quevor::sim {
namespace {

std::string number(float value) { return toUtf8(singleText(value)); }

std::string hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

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
void SimWindow::setStyle(std::uint32_t style) {
    log_.add("window.setStyle " + hex(style));
    style_ = style;
}
void SimWindow::redrawFrame() {
    log_.add("window.redrawFrame");
    ++frameRedraws_;
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

}  // namespace quevor::sim
