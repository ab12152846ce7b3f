#include <string>

#include "core/text.h"
#include "settings/keyed_search.h"
#include "settings/layout.h"
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
    // behind the last record, where the position cycle cuts them away with the old position
    // (a file without "X:" keeps them); files already cleared hold exactly this.
    text = replaceAll(found.text, u"===" + old, tail) + u"\r\r\n";
}

}  // namespace

void clearSettings(const SettingsFile& file) {
    std::u16string text = file.readSettingsText();
    clearRecord(text, u"W:", u"Path1:", u":735");
    clearRecord(text, u"CL:", u"W:", u":0");
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        clearRecord(text, slotKey(slot), u".exe", u":" + placeholder(slot));
    }
    if (occurs(text, u"X:")) text = textBefore(text, u"X:") + u"X:100Y:100\r\n";
    file.replaceSettingsText(text);  // the one write of the clear
}

}  // namespace quevor
