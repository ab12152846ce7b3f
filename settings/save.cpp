#include <string>

#include "core/error.h"
#include "core/number.h"
#include "core/text.h"
#include "settings/layout.h"
#include "settings/text_ops.h"
#include "settings/writers.h"

namespace quevor {
namespace {

constexpr std::u16string_view kCrLf = u"\r\n";

// A window edge the 16-bit position records can hold.
float clampedEdge(float edge) {
    if (edge < static_cast<float>(kInt16Min)) return static_cast<float>(kInt16Min);
    if (edge > static_cast<float>(kInt16Max)) return static_cast<float>(kInt16Max);
    return edge;
}

void saveWidth(const SettingsFile& file, const SaveSource& source) {
    std::u16string text = replaceAll(file.readSettingsText(), u"W:", u"W===");
    std::u16string old;
    if (occurs(text, u"W===")) old = textBefore(textAfter(text, u"==="), u"Path1:");
    const std::u16string value = singleText(source.windowWidth());
    if (value == old) return;
    // Only the value behind the key goes: a bare old value ("1" in "W:1Path1:") removed
    // everywhere would take the digits out of the slot keys and leave a file that no longer
    // loads.
    text = replaceAll(text, u"===" + old, u"===");
    file.writeSettingsText(textBefore(text, u"===") + u":" + value + std::u16string(kCrLf) +
                           textAfter(text, u"==="));
}

void saveAddButtonLeft(const SettingsFile& file, const SaveSource& source) {
    std::u16string text = replaceAll(file.readSettingsText(), u"CL:", u"CL===");
    std::u16string old;
    if (occurs(text, u"CL===")) old = textBefore(textAfter(text, u"==="), u"W:");
    const std::u16string value = singleText(source.addButtonLeft());
    if (value == old) return;
    // Anchored on the "=" left of the value, so an equal number elsewhere stays.
    text = replaceAll(text, u"=" + old, u"");
    file.writeSettingsText(textBefore(text, u"==") + u":" + value + std::u16string(kCrLf) +
                           textAfter(text, u"=="));
}

void saveSlot(const SettingsFile& file, SaveSource& source, int slot) {
    std::u16string text =
        replaceAll(file.readSettingsText(), slotKey(slot), u"===" + slotKeyName(slot));
    std::u16string old;
    if (occurs(text, u"===")) {
        std::u16string after = textAfter(text, u"===");
        // Slots 1 and 2 stop at the next key's name; later slots take everything to the end.
        after = slot <= 2 ? replaceAll(after, slotKeyName(slot + 1), u"---") : after + u"---";
        old = textBefore(after, u"---");
    }
    std::u16string path = source.pathToSave(slot);
    if (path == old) return;
    text = replaceAll(text, old, u"");
    if (path.empty()) path = placeholder(slot);

    std::u16string composed = textBefore(text, u"===");
    composed += slot == 1 ? u"\r" : u"\r\n";
    composed += slotKey(slot) + path + slotKey(slot + 1) + placeholder(slot + 1);
    if (slot >= 10) composed += textAfter(text, u"===");
    file.writeSettingsText(composed);
}

void savePosition(const SettingsFile& file, const SaveSource& source) {
    // Cut at the first "X:" so a file never holds two position records.
    const std::u16string text = textBefore(file.readSettingsText(), u"X:");
    const int16 left = roundClampToInt16(source.windowLeft());
    const float top = clampedEdge(source.windowTop());
    file.writeSettingsText(text + u"\rX:" + ascii(std::to_string(left)) + u"Y:" + singleText(top));
}

void saveTitleBar(const SettingsFile& file, const SaveSource& source) {
    const std::u16string text = file.readSettingsText();
    file.writeSettingsText(text + u"\rT:" + ascii(std::to_string(source.titleBarHidden())));
}

// The cycles rebuild the file around "CL:", "W:" and the slot keys in their order; a file that
// has lost them (gone, hand-edited) is first put back into the cleared layout, so the save
// writes every live value instead of failing half-way.
void ensureSavingLayout(const SettingsFile& file) {
    std::u16string text;
    try {
        text = file.readSettingsText();
    } catch (const RuntimeError&) {
        std::error_code error;
        if (std::filesystem::exists(file.path(), error)) throw;  // unreadable: report it
    }
    if (!hasSavingLayout(text)) file.writeSettingsText(clearedStateText());
}

}  // namespace

void saveSettings(const SettingsFile& file, SaveSource& source) {
    if (source.clearItemVisible()) {
        ensureSavingLayout(file);
        if (source.titleBarHidden() == 1) source.setWindowWidth(source.windowWidth() + 120.0f);
        saveWidth(file, source);
        saveAddButtonLeft(file, source);
        for (int slot = 1; slot <= kSlotCount; ++slot) saveSlot(file, source, slot);
    }
    savePosition(file, source);
    saveTitleBar(file, source);
}

}  // namespace quevor
