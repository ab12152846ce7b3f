#include "settings/reader.h"

#include <cfloat>
#include <cmath>
#include <string_view>

#include "core/error.h"
#include "core/messages.h"
#include "core/number.h"
#include "core/text.h"
#include "settings/keyed_search.h"
#include "settings/layout.h"
#include "settings/text_ops.h"

namespace quevor {
namespace {

// A value as an error message shows it: line breaks visible, long values cut.
std::u16string shown(const std::u16string& value) {
    std::u16string out;
    for (char16_t c : value.substr(0, 40)) {
        if (c == u'\r') {
            out += u"\\r";
        } else if (c == u'\n') {
            out += u"\\n";
        } else if (c == u'\t') {
            out += u"\\t";
        } else if (c < 0x20) {
            out += u"\\x";
            out += u"0123456789abcdef"[c >> 4];
            out += u"0123456789abcdef"[c & 15];
        } else {
            out += c;
        }
    }
    if (value.size() > 40) out += u"...";
    return out;
}

double number(const char* key, const std::u16string& value) {
    const auto parsed = parseNumber(value);
    if (!parsed) fail(Message::notANumber, {ascii(key), shown(value)});
    return *parsed;
}

float single(const char* key, const std::u16string& value) {
    const double v = number(key, value);
    if (std::fabs(v) > FLT_MAX) failOverflow(Message::numberTooLarge, {ascii(key), shown(value)});
    return static_cast<float>(v);
}

// Search positions are 16-bit: a key or marker found beyond character 32767 of the text stops
// the program, naming the key.
template <class Search>
auto searched(const std::string& key, Search search) -> decltype(search()) {
    try {
        return search();
    } catch (const RuntimeError& e) {
        if (e.kind() != ErrorKind::overflow) throw;
        failOverflow(Message::searchedTooFar, {ascii(key)});
    }
}

}  // namespace

std::optional<float> readWidth(std::u16string_view text) {
    const auto value = searched("W:", [&] { return searchKey(text, u"W:", u"Path1:").value; });
    if (!value) return std::nullopt;
    return single("W:", *value);
}

std::optional<float> readAddButtonLeft(std::u16string_view text) {
    const auto value = searched("CL:", [&] { return searchKey(text, u"CL:", u"W:").value; });
    if (!value) return std::nullopt;
    return single("CL:", *value);
}

std::optional<std::u16string> readSlotPath(std::u16string_view text, int slot) {
    auto value = searched(toUtf8(slotKey(slot)), [&] {
        // A path ends at the first ".exe" of any path, ".EXE" read as ".exe" all over the text:
        // files already written keep loading the same (and a quit saves them in lower case).
        std::u16string lowered(text);
        if (occurs(lowered, u".EXE")) lowered = replaceAll(lowered, u".EXE", u".exe");
        return searchKey(lowered, slotKey(slot), u".exe").value;
    });
    // The cut takes the ".exe" off; a path that never had one ("Path1:C:\\a.bat") gains it.
    if (value) *value += u".exe";
    return value;
}

// The position and title-bar records are not marked: each value runs from its key's first
// occurrence to the key's next one (or the end), cut at the record that follows it in the file
// ("Y:" for "X:"; "X:" then "T:" for "Y:"; "T:" is last and takes the rest, line break and all).
StoredPosition readPosition(std::u16string_view text) {
    StoredPosition position;
    if (searched("X:", [&] { return occurs(text, u"X:"); })) {
        const std::u16string value =
            searched("X:", [&] { return textBefore(textAfter(text, u"X:"), u"Y:"); });
        position.left = roundClampEdge(number("X:", value));
    }
    if (searched("Y:", [&] { return occurs(text, u"Y:"); })) {
        const std::u16string value = searched(
            "Y:", [&] { return textBefore(textBefore(textAfter(text, u"Y:"), u"X:"), u"T:"); });
        position.top = roundClampEdge(number("Y:", value));
    }
    return position;
}

std::optional<int16> readTitleBar(std::u16string_view text) {
    if (!searched("T:", [&] { return occurs(text, u"T:"); })) return std::nullopt;
    const std::u16string value = searched("T:", [&] { return textAfter(text, u"T:"); });
    const double v = number("T:", value);
    if (!(v > -32768.5 && v < 32767.5))
        failOverflow(Message::numberTooLarge, {u"T:", shown(value)});
    return roundToInt16(v);
}

StoredSettings readAllSettings(std::u16string_view text) {
    StoredSettings settings;
    settings.width = readWidth(text);
    settings.addButtonLeft = readAddButtonLeft(text);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        settings.slotPaths[slot - 1] = readSlotPath(text, slot);
    }
    settings.position = readPosition(text);
    settings.titleBar = readTitleBar(text);
    return settings;
}

}  // namespace quevor
