#include <optional>
#include <string>

#include "core/error.h"
#include "core/messages.h"
#include "core/number.h"
#include "core/text.h"
#include "settings/layout.h"
#include "settings/reader.h"
#include "settings/save_records.h"
#include "settings/writers.h"

namespace quevor {
namespace {

// A number as start-up reads it back from its saved text.
std::optional<float> throughText(float value) {
    const auto parsed = parseNumber(singleText(value));
    if (!parsed) return std::nullopt;
    return static_cast<float>(*parsed);
}

// Whether start-up reads the saved values back: the records this save writes, each as the
// reader gives it (a number through its text, ".EXE" as ".exe", edges whole and within their
// limit).
bool readsBack(const StoredSettings& got, const SaveValues& values) {
    StoredSettings want = got;
    if (!values.cleared) {
        want.width = throughText(savedWidth(values));
        want.addButtonLeft = throughText(values.addButtonLeft);
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            const std::u16string& path = values.paths[slot - 1];
            want.slotPaths[slot - 1] =
                replaceAll(path.empty() ? placeholder(slot) : path, u".EXE", u".exe");
        }
    }
    want.position.left = roundClampEdge(values.left);
    const auto topRead = throughText(clampedEdge(values.top));
    want.position.top = topRead ? std::optional(roundClampEdge(*topRead)) : std::nullopt;
    want.titleBar = values.titleBarRecord;
    return got == want;
}

// The text a quit that starts from this one writes, once it is known to be sound: start-up reads
// every saved value back from the file's bytes, and the next quit with the same values leaves
// them as they are. Otherwise nullopt, and why.
std::optional<std::u16string> verifiedText(std::u16string_view start, const SaveValues& values,
                                           const TextCodec& codec, std::u16string& why) {
    try {
        const SavedText saved = saveRecords(start, values);
        const std::string bytes = codec.encode(saved.text);
        if (!readsBack(readAllSettings(codec.decode(bytes)), values)) {
            why = messageText(Message::wouldNotReadBack);
            return std::nullopt;
        }
        // The position-only save follows a clear, and the clear ends the bar: no quit follows.
        if (values.cleared) return saved.text;
        const auto savedAgain = [&](const std::string& from) {
            return codec.encode(saveRecords(codec.decode(from), values).text);
        };
        const std::string again = savedAgain(bytes);
        // A "W:" or "CL:" value left untouched stands without its line break (as in the cleared
        // state); the next quit adds it once, and the quits after that leave the bytes alone.
        if (again != bytes && !(saved.numbersKept && savedAgain(again) == again)) {
            why = messageText(Message::wouldChangeAgain);
            return std::nullopt;
        }
        return saved.text;
    } catch (const RuntimeError&) {
        // The cycles lost a key on the way, or the result does not read as a number.
        why = messageText(Message::wouldNotReadBack);
        return std::nullopt;
    }
}

// The values without the paths no file can hold. A damaged file can give start-up a "path" that
// holds key or marker texts (never one the add took: it refuses them); saved, it breaks the
// records around it, so no quit could ever complete. Each path is tried alone in its slot.
SaveValues withoutUnholdablePaths(const SaveValues& values, const TextCodec& codec) {
    SaveValues kept = values;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const std::u16string& path = values.paths[slot - 1];
        if (path.empty()) continue;
        SaveValues alone = values;
        for (std::u16string& other : alone.paths) other.clear();
        alone.paths[slot - 1] = path;
        try {
            const std::u16string text = saveRecords(clearedStateText() + u"\r\n", alone).text;
            const auto read = readSlotPath(codec.decode(codec.encode(text)), slot);
            if (read == replaceAll(path, u".EXE", u".exe")) continue;
        } catch (const RuntimeError&) {
        }
        kept.paths[slot - 1].clear();
    }
    return kept;
}

// The text to write. The cycles edit the file around its keys and markers: a file that has lost
// them (gone, hand-edited, keys doubled or out of order) would come out with programs or
// geometry missing, or would change at every quit. The save then starts from the cleared state,
// which holds every key in its place, and as a last resort leaves out the paths no file can hold.
std::u16string textToWrite(const SettingsFile& file, const SaveValues& values) {
    std::optional<std::u16string> text;
    try {
        text = file.readSettingsText();
    } catch (const RuntimeError&) {
        if (file.exists()) throw;  // there but unreadable: report it
    }
    const TextCodec& codec = file.codec();
    std::u16string why;
    if (text) {
        if (auto saved = verifiedText(*text, values, codec, why)) return *saved;
    }
    const std::u16string cleared = clearedStateText() + u"\r\n";
    if (auto saved = verifiedText(cleared, values, codec, why)) return *saved;
    if (!values.cleared) {
        if (auto saved = verifiedText(cleared, withoutUnholdablePaths(values, codec), codec, why)) {
            return *saved;
        }
    }
    throw SaveNotVerified(toUtf8(messageText(Message::saveNotVerified, {file.path(), why})));
}

}  // namespace

void saveSettings(const SettingsFile& file, const SaveValues& values) {
    file.replaceSettingsText(textToWrite(file, values));
}

}  // namespace quevor
