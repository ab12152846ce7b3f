#include "app/sim/state_json.h"

#include <cstdio>

#include "core/number.h"
#include "core/text.h"

namespace quevor::sim {
namespace {

std::string number(float value) { return toUtf8(singleText(value)); }
const char* flag(bool value) { return value ? "true" : "false"; }

}  // namespace

std::string jsonString(const std::u16string& text) {
    std::string out = "\"";
    for (const char c : toUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(byte));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string stateJson(const SimToolkit& sim, const std::vector<std::u16string>& missing) {
    const SimWindow& window = sim.window;
    std::string out =
        "{\"left\":" + number(window.left()) + ",\"top\":" + number(window.top()) +
        ",\"width\":" + number(window.width()) + ",\"height\":" + number(window.height()) +
        ",\"caption\":" + flag(window.caption()) + ",\"topmost\":" + flag(window.topmost()) +
        ",\"minimized\":" + flag(window.minimized()) +
        ",\"addLeft\":" + number(sim.addButton.left()) + ",\"buttons\":[";
    bool first = true;
    for (const SimButton& button : sim.toolbar.buttons()) {
        if (!first) out += ",";
        first = false;
        out += "{\"key\":" + jsonString(button.key) + ",\"tooltip\":" + jsonString(button.toolTip);
        // A button still waiting for its program's answer shows the neutral icon.
        out += sim.toolbar.showsNeutral(button) ? ",\"icon\":false}" : "}";
    }
    out += "],\"missing\":[";
    first = true;
    for (const std::u16string& path : missing) {
        if (!first) out += ",";
        first = false;
        out += jsonString(path);
    }
    out += "],\"menu\":[";
    first = true;
    for (const MenuItem item : sim.menu.visibleItems()) {
        if (!first) out += ",";
        first = false;
        out += "\"" + menuItemName(item) + "\"";
    }
    const auto& entry = sim.platform.startupEntry;
    out += "],\"startupEntry\":" + (entry ? jsonString(*entry) : std::string("null"));
    out += ",\"focus\":";
    if (!sim.toolbar.focused().empty()) {
        out += jsonString(sim.toolbar.focused());
    } else {
        out += sim.addButton.focused() ? "\"add\"" : "null";
    }
    return out + "}";
}

}  // namespace quevor::sim
