#include <string>

#include "core/text.h"
#include "settings/draft.h"
#include "settings/layout.h"
#include "settings/text_ops.h"
#include "settings/writers.h"

namespace quevor {
namespace {

// One clearing cycle: the value from key K's colon up to the end marker is replaced by the
// default tail. The text is rewritten (with one CR added) even when nothing changed.
void clearRecord(SettingsDraft& draft, const std::u16string& name,
                 const std::u16string& endMarker, bool isSlot, const std::u16string& tail) {
    std::u16string text = replaceAll(draft.readSettingsText(), name + u":", name + u"===");
    std::u16string old;
    if (occurs(text, name + u"===")) {
        old = textBefore(textAfter(text, u"==="), endMarker);
        if (isSlot) old += u".exe";
    }
    text = replaceAll(text, u"===" + old, tail);
    draft.writeSettingsText(text + u"\r");
}

}  // namespace

void clearSettings(const SettingsFile& disk) {
    SettingsDraft draft(disk.readSettingsText());
    clearRecord(draft, u"W", u"Path1:", false, u":735");
    clearRecord(draft, u"CL", u"W:", false, u":0");
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        clearRecord(draft, slotKeyName(slot), u".exe", true, u":" + placeholder(slot));
    }
    const std::u16string text = draft.readSettingsText();
    if (occurs(text, u"X:")) draft.writeSettingsText(textBefore(text, u"X:") + u"X:100Y:100");
    disk.writeSettingsText(*draft.written());  // the one write of the clear
}

}  // namespace quevor
