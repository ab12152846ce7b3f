#include <optional>
#include <string>

#include "core/error.h"
#include "core/text.h"
#include "settings/keyed_search.h"
#include "settings/layout.h"
#include "settings/reader.h"
#include "settings/text_ops.h"
#include "settings/writers.h"

namespace quevor {
namespace {

// One clearing cycle: the key's marker and its old value become the default tail (the key's
// colon and the default value), every copy of them in the text. A key that is not found leaves
// the old value empty, so then every bare "===" of the text gets the tail.
void clearRecord(std::u16string& text, const std::u16string& key, std::u16string_view terminator,
                 const std::u16string& tail) {
    const MarkedText found = searchKey(text, key, terminator);
    std::u16string old = found.value.value_or(u"");
    // A slot's value is cut at its ".exe", which goes with it.
    if (found.value && terminator == u".exe") old += u".exe";
    // Each cycle ends the text with a CR of its own before the CR LF of the write. They pile up
    // behind the last record, where the position cycle cuts them away with the old position (a
    // file without "X:" has no position to read, so it becomes the cleared file); files already
    // cleared hold exactly this.
    text = replaceAll(found.text, u"===" + old, tail) + u"\r\r\n";
}

// Whether start-up reads the cleared bar back: no program and no missing one, the width, add
// button and position of the cleared file, and the title bar shown.
bool readsAsCleared(const StoredSettings& got) {
    const StoredSettings cleared = readAllSettings(clearedStateText());
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (!isPlaceholderOrEmpty(got.slotPaths[slot - 1].value_or(u""), slot)) return false;
    }
    return got.width == cleared.width && got.addButtonLeft == cleared.addButtonLeft &&
           got.position == cleared.position && got.titleBar.value_or(0) == 0;
}

// The file's text with every record cleared in place, or nullopt when start-up would not read
// the cleared bar from it: the cycles edit around keys and markers, so a hand-edited file (a key
// doubled or out of order, a "===" or a key's text inside a path) comes out with placeholders
// shifted into other slots, which the next start shows as missing programs.
std::optional<std::u16string> clearedInPlace(std::u16string text, const TextCodec& codec) {
    try {
        clearRecord(text, u"W:", u"Path1:", u":735");
        clearRecord(text, u"CL:", u"W:", u":0");
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            clearRecord(text, slotKey(slot), u".exe", u":" + placeholder(slot));
        }
        if (occurs(text, u"X:")) text = textBefore(text, u"X:") + u"X:100Y:100\r\n";
        if (readsAsCleared(readAllSettings(codec.decode(codec.encode(text))))) return text;
    } catch (const RuntimeError&) {
        // A search beyond the 16-bit positions, or a value start-up would stop on.
    }
    return std::nullopt;
}

}  // namespace

void clearSettings(const SettingsFile& file) {
    const std::u16string text = file.readSettingsText();
    // The one write of the clear; a file the cycles cannot clear becomes the cleared file.
    file.replaceSettingsText(
        clearedInPlace(text, file.codec()).value_or(clearedStateText() + u"\r\n"));
}

}  // namespace quevor
