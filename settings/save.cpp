#include <optional>
#include <string>

#include "core/error.h"
#include "core/number.h"
#include "core/text.h"
#include "settings/draft.h"
#include "settings/layout.h"
#include "settings/reader.h"
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

// The live values of one save, taken once. The bar is single-threaded, so they are the values
// each cycle would read when it comes to its record.
struct LiveValues {
    explicit LiveValues(SaveSource& source)
        : allRecords(source.clearItemVisible()),
          hidden(source.titleBarHidden()),
          width(source.windowWidth()),
          addLeft(source.addButtonLeft()),
          left(source.windowLeft()),
          top(source.windowTop()) {
        if (!allRecords) return;
        for (int slot = 1; slot <= kSlotCount; ++slot) paths[slot] = source.pathToSave(slot);
    }

    // Whether start-up reads these values back: the records this save writes, each as the
    // reader gives it (a number through its text, ".EXE" as ".exe", edges in 16 bits).
    bool readBackFrom(const StoredSettings& got) const {
        StoredSettings want = got;
        if (allRecords) {
            want.width = asSingle(width);
            want.addButtonLeft = asSingle(addLeft);
            for (int slot = 1; slot <= kSlotCount; ++slot) {
                const std::u16string& path = paths[slot].empty() ? placeholder(slot) : paths[slot];
                want.slotPaths[slot - 1] = replaceAll(path, u".EXE", u".exe");
            }
        }
        want.position.left = roundClampToInt16(left);
        const auto topRead = asSingle(clampedEdge(top));
        want.position.top = topRead ? std::optional(roundClampToInt16(*topRead)) : std::nullopt;
        want.titleBar = hidden;
        return got == want;
    }

    bool allRecords;  // false after a clear: only the position and title-bar records are written
    int16 hidden;
    float width, addLeft, left, top;
    std::u16string paths[kSlotCount + 1];

private:
    static std::optional<float> asSingle(float value) {
        const auto parsed = parseNumber(singleText(value));
        if (!parsed) return std::nullopt;
        return static_cast<float>(*parsed);
    }
};

// Returns whether the record was written: an old value equal to the new one stays untouched.
bool saveWidth(SettingsDraft& draft, const LiveValues& live) {
    std::u16string text = replaceAll(draft.readSettingsText(), u"W:", u"W===");
    std::u16string old;
    if (occurs(text, u"W===")) old = textBefore(textAfter(text, u"==="), u"Path1:");
    const std::u16string value = singleText(live.width);
    if (value == old) return false;
    // Only the value behind the key goes: a bare old value ("1" in "W:1Path1:") removed
    // everywhere would take the digits out of the slot keys and leave a file that no longer
    // loads.
    text = replaceAll(text, u"===" + old, u"===");
    draft.writeSettingsText(textBefore(text, u"===") + u":" + value + std::u16string(kCrLf) +
                           textAfter(text, u"==="));
    return true;
}

bool saveAddButtonLeft(SettingsDraft& draft, const LiveValues& live) {
    std::u16string text = replaceAll(draft.readSettingsText(), u"CL:", u"CL===");
    std::u16string old;
    if (occurs(text, u"CL===")) old = textBefore(textAfter(text, u"==="), u"W:");
    const std::u16string value = singleText(live.addLeft);
    if (value == old) return false;
    // Anchored on the "=" left of the value, so an equal number elsewhere stays.
    text = replaceAll(text, u"=" + old, u"");
    draft.writeSettingsText(textBefore(text, u"==") + u":" + value + std::u16string(kCrLf) +
                           textAfter(text, u"=="));
    return true;
}

void saveSlot(SettingsDraft& draft, const LiveValues& live, int slot) {
    std::u16string text =
        replaceAll(draft.readSettingsText(), slotKey(slot), u"===" + slotKeyName(slot));
    std::u16string old;
    if (occurs(text, u"===")) {
        std::u16string after = textAfter(text, u"===");
        // Slots 1 and 2 stop at the next key's name; later slots take everything to the end.
        after = slot <= 2 ? replaceAll(after, slotKeyName(slot + 1), u"---") : after + u"---";
        old = textBefore(after, u"---");
    }
    std::u16string path = live.paths[slot];
    if (path == old) return;
    text = replaceAll(text, old, u"");
    if (path.empty()) path = placeholder(slot);

    std::u16string composed = textBefore(text, u"===");
    composed += slot == 1 ? u"\r" : u"\r\n";
    composed += slotKey(slot) + path + slotKey(slot + 1) + placeholder(slot + 1);
    if (slot >= 10) composed += textAfter(text, u"===");
    draft.writeSettingsText(composed);
}

void savePosition(SettingsDraft& draft, const LiveValues& live) {
    // Cut at the first "X:" so a file never holds two position records.
    const std::u16string text = textBefore(draft.readSettingsText(), u"X:");
    const int16 left = roundClampToInt16(live.left);
    draft.writeSettingsText(text + u"\rX:" + ascii(std::to_string(left)) + u"Y:" +
                           singleText(clampedEdge(live.top)));
}

void saveTitleBar(SettingsDraft& draft, const LiveValues& live) {
    const std::u16string text = draft.readSettingsText();
    draft.writeSettingsText(text + u"\rT:" + ascii(std::to_string(live.hidden)));
}

// What the record cycles of a quit, run on the text in memory, leave.
struct Saved {
    std::u16string text;      // what the last cycle writes
    bool numbersKept = false;  // "W:" or "CL:" left untouched: its value stood there already
};

Saved saveOnText(const std::u16string& start, const LiveValues& live) {
    SettingsDraft draft(start);
    Saved saved;
    if (live.allRecords) {
        saved.numbersKept = !saveWidth(draft, live);
        saved.numbersKept = !saveAddButtonLeft(draft, live) || saved.numbersKept;
        for (int slot = 1; slot <= kSlotCount; ++slot) saveSlot(draft, live, slot);
    }
    savePosition(draft, live);
    saveTitleBar(draft, live);
    saved.text = *draft.written();
    return saved;
}

// The file's bytes after a quit.
std::string savedBytes(const std::u16string& start, const LiveValues& live, const TextCodec& codec) {
    return codec.encode(saveOnText(start, live).text + std::u16string(kCrLf));
}

// The text a quit that starts from this one writes, once it is known to be sound: start-up reads
// every live value back from the file's bytes, and the next quit with the same values leaves
// them as they are. Otherwise nullopt, and why.
std::optional<std::u16string> verifiedText(const std::u16string& start, const LiveValues& live,
                                           const SettingsFile& file, std::string& why) {
    const TextCodec& codec = file.codec();
    try {
        const Saved saved = saveOnText(start, live);
        const std::string bytes = codec.encode(saved.text + std::u16string(kCrLf));
        if (!live.readBackFrom(DecodedFile(codec.decode(bytes)).readAll())) {
            why = "start-up would not read the bar's settings back from it";
            return std::nullopt;
        }
        // The position-only save follows a clear, and the clear ends the bar: no quit follows.
        if (!live.allRecords) return saved.text;
        const std::string again = savedBytes(codec.decode(bytes), live, codec);
        // A "W:" or "CL:" value left untouched stands without its line break (as in the cleared
        // state); the next quit adds it once, and the quits after that leave the bytes alone.
        const bool settled = again == bytes ||
                             (saved.numbersKept && savedBytes(codec.decode(again), live, codec) == again);
        if (!settled) {
            why = "the next quit would change it again";
            return std::nullopt;
        }
        return saved.text;
    } catch (const RuntimeError& e) {
        why = e.what();
        return std::nullopt;
    }
}

// The live values without the paths no file can hold. A damaged file can give start-up a "path"
// that holds key or marker texts (never one the add took: it refuses them); saved, it breaks the
// records around it, so no quit could ever complete. Each path is tried alone in its slot.
LiveValues withoutUnholdablePaths(const LiveValues& live, const TextCodec& codec) {
    LiveValues kept = live;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (live.paths[slot].empty()) continue;
        LiveValues alone = live;
        for (int other = 1; other <= kSlotCount; ++other) {
            if (other != slot) alone.paths[other].clear();
        }
        try {
            const std::u16string text = saveOnText(clearedStateText() + std::u16string(kCrLf), alone).text;
            DecodedFile saved(codec.decode(codec.encode(text + std::u16string(kCrLf))));
            if (saved.readSlot(slot) == replaceAll(live.paths[slot], u".EXE", u".exe")) continue;
        } catch (const RuntimeError&) {
        }
        kept.paths[slot].clear();
    }
    return kept;
}

// The text to write. The cycles edit the file around its keys and markers: a file that has lost
// them (gone, hand-edited, keys doubled or out of order) would come out with programs or
// geometry missing, or would change at every quit. The save then starts from the cleared state,
// which holds every key in its place, and as a last resort leaves out the paths no file can hold.
std::u16string textToWrite(const SettingsFile& file, const LiveValues& live) {
    std::optional<std::u16string> text;
    try {
        text = file.readSettingsText();
    } catch (const RuntimeError&) {
        if (existsOnDisk(file.path())) throw;  // there but unreadable: report it
    }
    std::string why;
    if (text) {
        if (auto saved = verifiedText(*text, live, file, why)) return *saved;
    }
    const std::u16string cleared = clearedStateText() + std::u16string(kCrLf);
    if (auto saved = verifiedText(cleared, live, file, why)) return *saved;
    if (live.allRecords) {
        if (auto saved = verifiedText(cleared, withoutUnholdablePaths(live, file.codec()), file, why)) {
            return *saved;
        }
    }
    throw SaveNotVerified("Cannot save the settings: the new setting.ini could not be verified (" + why +
                          "), so the file was left as it was.");
}

}  // namespace

void saveSettings(const SettingsFile& file, SaveSource& source) {
    const float width = source.windowWidth();
    const bool widened = source.clearItemVisible() && source.titleBarHidden() == 1;
    if (widened) source.setWindowWidth(width + 120.0f);
    try {
        file.writeSettingsText(textToWrite(file, LiveValues(source)));
    } catch (const SaveNotVerified&) {
        if (widened) source.setWindowWidth(width);  // the bar stays open as it was
        throw;
    }
}

}  // namespace quevor
