#include "settings/reader.h"

#include <cfloat>
#include <cmath>
#include <string_view>

#include "core/error.h"
#include "core/number.h"
#include "core/text.h"
#include "settings/layout.h"
#include "settings/text_ops.h"

namespace quevor {
namespace {

// A value as an error message shows it: line breaks visible, long values cut.
std::string shown(const std::u16string& value) {
    std::string out;
    for (char16_t c : value.substr(0, 40)) {
        if (c == u'\r') {
            out += "\\r";
        } else if (c == u'\n') {
            out += "\\n";
        } else if (c == u'\t') {
            out += "\\t";
        } else if (c < 0x20) {
            out += "\\x" + std::string(1, "0123456789abcdef"[c >> 4]) + "0123456789abcdef"[c & 15];
        } else {
            out += toUtf8(std::u16string(1, c));
        }
    }
    if (value.size() > 40) out += "...";
    return out;
}

double number(const char* key, const std::u16string& value) {
    const auto parsed = parseNumber(value);
    if (!parsed) fail(std::string("'") + key + "' value \"" + shown(value) + "\" is not a number");
    return *parsed;
}

float single(const char* key, const std::u16string& value) {
    const double v = number(key, value);
    if (std::fabs(v) > FLT_MAX)
        failOverflow(std::string("Overflow: '") + key + "' value \"" + shown(value) + "\"");
    return static_cast<float>(v);
}

// The keyed read of "W:", "CL:" and the slot keys: the key's colon becomes "===", and the value
// runs from the first "===" to the terminator.
std::optional<std::u16string> markedValue(std::u16string text, const std::u16string& key,
                                          const std::u16string& terminator) {
    const std::u16string marked = key.substr(0, key.size() - 1) + u"===";
    text = replaceAll(text, key, marked);
    if (!occurs(text, marked)) return std::nullopt;
    return textBefore(textAfter(text, u"==="), terminator);
}

// Search positions are 16-bit: a key or marker found beyond character 32767 of the text stops
// the program. The bare "Overflow" says too little; name the key and the cause.
template <class Search>
auto searched(const std::string& key, Search search) -> decltype(search()) {
    try {
        return search();
    } catch (const RuntimeError& e) {
        if (e.kind() != ErrorKind::overflow) throw;
        failOverflow("Overflow: reading '" + key + "', setting.ini is searched beyond character 32767");
    }
}

}  // namespace

std::optional<float> readWidth(const SettingsFile& file) {
    const auto value =
        searched("W:", [&] { return markedValue(file.readSettingsText(), u"W:", u"Path1:"); });
    if (!value) return std::nullopt;
    return single("W:", *value);
}

std::optional<float> readAddButtonLeft(const SettingsFile& file) {
    const auto value =
        searched("CL:", [&] { return markedValue(file.readSettingsText(), u"CL:", u"W:"); });
    if (!value) return std::nullopt;
    return single("CL:", *value);
}

std::optional<std::u16string> readSlotPath(const SettingsFile& file, int slot) {
    std::u16string text = file.readSettingsText();
    auto value = searched(toUtf8(slotKey(slot)), [&] {
        if (occurs(text, u".EXE")) text = replaceAll(text, u".EXE", u".exe");
        return markedValue(std::move(text), slotKey(slot), u".exe");
    });
    if (value) *value += u".exe";
    return value;
}

StoredPosition readPosition(const SettingsFile& file) {
    const std::u16string text = file.readSettingsText();
    StoredPosition position;
    if (searched("X:", [&] { return occurs(text, u"X:"); })) {
        const std::u16string value =
            searched("X:", [&] { return textBefore(textAfter(text, u"X:"), u"Y:"); });
        position.left = roundClampToInt16(number("X:", value));
    }
    if (searched("Y:", [&] { return occurs(text, u"Y:"); })) {
        const std::u16string value = searched(
            "Y:", [&] { return textBefore(textBefore(textAfter(text, u"Y:"), u"X:"), u"T:"); });
        position.top = roundClampToInt16(number("Y:", value));
    }
    return position;
}

std::optional<int16> readTitleBar(const SettingsFile& file) {
    const std::u16string text = file.readSettingsText();
    if (!searched("T:", [&] { return occurs(text, u"T:"); })) return std::nullopt;
    const std::u16string value = searched("T:", [&] { return textAfter(text, u"T:"); });
    const double v = number("T:", value);
    if (!(v > -32768.5 && v < 32767.5)) failOverflow("Overflow: 'T:' value \"" + shown(value) + "\"");
    return roundToInt16(v);
}

StoredSettings readAllSettings(const SettingsFile& file) {
    StoredSettings settings;
    settings.width = readWidth(file);
    settings.addButtonLeft = readAddButtonLeft(file);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        settings.slotPaths[slot - 1] = readSlotPath(file, slot);
    }
    settings.position = readPosition(file);
    settings.titleBar = readTitleBar(file);
    return settings;
}

void DecodedFile::replace(const std::u16string&, std::string_view) { fail("read only"); }
std::string DecodedFile::encode(std::u16string_view) const { fail("read only"); }

}  // namespace quevor
