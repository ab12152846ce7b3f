#include <optional>
#include <string>

#include "core/error.h"
#include "core/number.h"
#include "core/text.h"
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

// The live values of one save, taken once. The bar is single-threaded, so they are the values
// each cycle would read when it comes to its record.
class LiveValues final : public SaveSource {
public:
    explicit LiveValues(SaveSource& source)
        : hidden_(source.titleBarHidden()),
          width_(source.windowWidth()),
          addLeft_(source.addButtonLeft()),
          left_(source.windowLeft()),
          top_(source.windowTop()) {
        for (int slot = 1; slot <= kSlotCount; ++slot) paths_[slot] = source.pathToSave(slot);
    }
    bool clearItemVisible() const override { return true; }
    int16 titleBarHidden() const override { return hidden_; }
    float windowWidth() const override { return width_; }
    void setWindowWidth(float width) override { width_ = width; }
    float addButtonLeft() const override { return addLeft_; }
    float windowLeft() const override { return left_; }
    float windowTop() const override { return top_; }
    std::u16string pathToSave(int slot) override { return paths_[slot]; }

    // What a start-up reads back from a file these values were saved into.
    StoredSettings asRead() const {
        StoredSettings s;
        s.width = asSingle(width_);
        s.addButtonLeft = asSingle(addLeft_);
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            s.slotPaths[slot - 1] = paths_[slot].empty() ? placeholder(slot) : paths_[slot];
        }
        s.position.left = roundClampToInt16(left_);
        s.position.top = roundClampToInt16(*asSingle(clampedEdge(top_)));
        s.titleBar = hidden_;
        return s;
    }

private:
    static std::optional<float> asSingle(float value) {
        const auto parsed = parseNumber(singleText(value));
        if (!parsed) return std::nullopt;
        return static_cast<float>(*parsed);
    }

    int16 hidden_;
    float width_, addLeft_, left_, top_;
    std::u16string paths_[kSlotCount + 1];
};

// One file in memory, for trying the cycles before they touch the disk.
class ScratchStore final : public FileStore {
public:
    explicit ScratchStore(std::optional<std::string> bytes) : bytes_(std::move(bytes)) {}
    std::string read(const std::u16string& path) override {
        if (!bytes_) fail("File not found: " + toUtf8(path));
        return *bytes_;
    }
    void replace(const std::u16string&, std::string_view bytes) override {
        bytes_ = std::string(bytes);
    }

private:
    std::optional<std::string> bytes_;
};

void writeRecords(const SettingsFile& file, SaveSource& live) {
    saveWidth(file, live);
    saveAddButtonLeft(file, live);
    for (int slot = 1; slot <= kSlotCount; ++slot) saveSlot(file, live, slot);
    savePosition(file, live);
    saveTitleBar(file, live);
}

// Whether the record cycles, run on this text, leave a file that reads back as the live values.
bool cyclesKeepEverything(const std::optional<std::u16string>& text, const LiveValues& values,
                          const SettingsFile& file) {
    try {
        ScratchStore scratch(text ? std::optional(file.codec().encode(*text)) : std::nullopt);
        const SettingsFile trial(file.path(), scratch, file.codec());
        LiveValues live = values;
        writeRecords(trial, live);
        return readAllSettings(trial) == values.asRead();
    } catch (const RuntimeError&) {
        return false;
    }
}

// The cycles edit the file around its keys and markers: a file that has lost them (gone,
// hand-edited, keys doubled or out of order) would come out with programs or geometry missing.
// Such a file is first put back into the cleared state, so the save writes every live value.
void ensureSavingLayout(const SettingsFile& file, const LiveValues& live) {
    std::optional<std::u16string> text;
    try {
        text = file.readSettingsText();
    } catch (const RuntimeError&) {
        if (existsOnDisk(file.path())) throw;  // there but unreadable: report it
    }
    if (cyclesKeepEverything(text, live, file)) return;
    const std::u16string cleared = clearedStateText();
    // Values no file could hold gain nothing from starting afresh: keep what the user has.
    if (text && !cyclesKeepEverything(cleared + u"\r\n", live, file)) return;
    file.writeSettingsText(cleared);
}

}  // namespace

void saveSettings(const SettingsFile& file, SaveSource& source) {
    if (!source.clearItemVisible()) {
        // After a clear only the position and the title bar are written.
        savePosition(file, source);
        saveTitleBar(file, source);
        return;
    }
    if (source.titleBarHidden() == 1) source.setWindowWidth(source.windowWidth() + 120.0f);
    LiveValues live(source);
    ensureSavingLayout(file, live);
    writeRecords(file, live);
}

}  // namespace quevor
