#include "settings/save_records.h"

#include <algorithm>
#include <string>

#include "core/number.h"
#include "core/text.h"
#include "settings/keyed_search.h"
#include "settings/layout.h"
#include "settings/text_ops.h"

namespace quevor {
namespace {

// Every write of the file ends with CR LF, and the next cycle reads the text with it.
constexpr std::u16string_view kCrLf = u"\r\n";

// Each cycle below returns whether it rewrote the text.

bool saveWidth(std::u16string& text, float width) {
    const MarkedText found = searchKey(text, u"W:", u"Path1:");
    const std::u16string old = found.value.value_or(u"");
    const std::u16string value = singleText(width);
    // An equal value stays as it stands, with or without its line break ("W:735Path1:" in the
    // cleared file), so a quit that changed nothing leaves the bytes alone.
    if (value == old) return false;
    // Only the value behind the key goes: a bare old value ("1" in "W:1Path1:") removed
    // everywhere would take the digits out of the slot keys and leave a file that no longer
    // loads.
    const std::u16string marked = replaceAll(found.text, u"===" + old, u"===");
    text = textBefore(marked, u"===") + u":" + value + std::u16string(kCrLf) +
           textAfter(marked, u"===") + std::u16string(kCrLf);
    return true;
}

bool saveAddButtonLeft(std::u16string& text, float addButtonLeft) {
    const MarkedText found = searchKey(text, u"CL:", u"W:");
    const std::u16string old = found.value.value_or(u"");
    const std::u16string value = singleText(addButtonLeft);
    if (value == old) return false;  // as for "W:"
    // Anchored on the "=" left of the value, so an equal number elsewhere stays; the key is
    // then found again by the "==" left of it.
    const std::u16string marked = replaceAll(found.text, u"=" + old, u"");
    text = textBefore(marked, u"==") + u":" + value + std::u16string(kCrLf) +
           textAfter(marked, u"==") + std::u16string(kCrLf);
    return true;
}

// A slot's key is marked in front ("Path3:" -> "===Path3"), and any "===" counts as found, so
// the old value starts with the key's name. Each slot writes its record and the next key with
// that slot's placeholder, which the next cycle then finds ("Path16:16.exe" after slot 15).
void saveSlot(std::u16string& text, std::u16string path, int slot) {
    const MarkedText found = markKey(text, slotKey(slot), u"===" + slotKeyName(slot), u"===");
    std::u16string old;
    if (found.value) {
        // Slots 1 and 2 stop at the next key's name; later slots take everything to the end.
        // Files already written save the same way only with this cut.
        old = slot <= 2
                  ? textBefore(replaceAll(*found.value, slotKeyName(slot + 1), u"---"), u"---")
                  : textBefore(*found.value + u"---", u"---");
    }
    if (path == old) return;  // in practice: no key, and nothing to save in its place
    const std::u16string marked = replaceAll(found.text, old, u"");
    if (path.empty()) path = placeholder(slot);

    std::u16string composed = textBefore(marked, u"===");
    // A lone CR stands before "Path1:" while the other records end in CR LF: files already
    // written have it, and the "W:" value it ends still reads as a number.
    composed += slot == 1 ? u"\r" : u"\r\n";
    composed += slotKey(slot) + path + slotKey(slot + 1) + placeholder(slot + 1);
    // Slots from 10 on keep the text after their marker (whatever a damaged file held beyond
    // the old value); the earlier ones drop it. Files already written save the same with it.
    if (slot >= 10) composed += textAfter(marked, u"===");
    text = composed + std::u16string(kCrLf);
}

void savePosition(std::u16string& text, float left, float top) {
    // Cut at the first "X:" so a file never holds two position records; the lone CR before it
    // is the layout's, as before "Path1:". The left edge is saved whole, the top as the window
    // has it (within the edge limit): start-up rounds both.
    const std::u16string kept = textBefore(text, u"X:");
    const auto wholeLeft = static_cast<long>(roundClampEdge(left));
    text = kept + u"\rX:" + ascii(std::to_string(wholeLeft)) + u"Y:" +
           singleText(clampedEdge(top)) + std::u16string(kCrLf);
}

void saveTitleBar(std::u16string& text, int16 hidden) {
    text += u"\rT:" + ascii(std::to_string(hidden)) + std::u16string(kCrLf);
}

}  // namespace

float clampedEdge(float edge) { return std::clamp(edge, -kEdgeLimit, kEdgeLimit); }

// A hidden title bar saves the width plus 120: the next start-up hides it again and fits the
// window to its buttons, and files already written hold the widened value.
float savedWidth(const SaveValues& values) {
    return values.titleBarRecord == 1 ? values.width + 120.0f : values.width;
}

SavedText saveRecords(std::u16string_view start, const SaveValues& values) {
    SavedText saved{std::u16string(start)};
    if (!values.cleared) {
        saved.numbersKept = !saveWidth(saved.text, savedWidth(values));
        saved.numbersKept =
            !saveAddButtonLeft(saved.text, values.addButtonLeft) || saved.numbersKept;
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            saveSlot(saved.text, values.paths[slot - 1], slot);
        }
    }
    savePosition(saved.text, values.left, values.top);
    saveTitleBar(saved.text, values.titleBarRecord);
    return saved;
}

}  // namespace quevor
