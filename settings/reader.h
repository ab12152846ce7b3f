#pragma once

#include <optional>
#include <string>

#include "core/int16.h"
#include "settings/codec.h"
#include "settings/file_store.h"
#include "settings/settings_file.h"

namespace quevor {

// The per-key readers of start-up. Each reads the whole text of the file it is given (start-up
// gives them the file read once, a DecodedFile below), finds its key anywhere in the text and
// cuts the value at the key the layout puts after it. A missing key gives nullopt
// (the target keeps its value); a value that is no number stops the program.

std::optional<float> readWidth(const SettingsFile& file);          // "W:"
std::optional<float> readAddButtonLeft(const SettingsFile& file);  // "CL:"
std::optional<std::u16string> readSlotPath(const SettingsFile& file, int slot);  // "PathN:"

struct StoredPosition {
    std::optional<int16> left;  // "X:"
    std::optional<int16> top;   // "Y:"
    bool operator==(const StoredPosition&) const = default;
};
// "X:" and "Y:" from one read; edges outside the 16-bit range are pulled to its ends.
StoredPosition readPosition(const SettingsFile& file);

std::optional<int16> readTitleBar(const SettingsFile& file);  // "T:"

// Everything start-up reads, in its order; for tests and tools that want the values at once.
struct StoredSettings {
    std::optional<float> width;
    std::optional<float> addButtonLeft;
    std::optional<std::u16string> slotPaths[15];
    StoredPosition position;
    std::optional<int16> titleBar;
    bool operator==(const StoredSettings&) const = default;
};
StoredSettings readAllSettings(const SettingsFile& file);

// A file's text, read and decoded once, standing in for the file: each per-key reader given
// file() reads this text where it would read the disk again. While nothing writes the file in
// between, every reader gives exactly what it gives on the file itself: start-up reads the disk
// once this way, and a save checks its text before it writes it.
class DecodedFile final : public FileStore, public TextCodec {
public:
    explicit DecodedFile(std::u16string text) : text_(std::move(text)) {}
    // The readers' view of the text (kept by reference: this must outlive it).
    SettingsFile file() { return SettingsFile({}, *this, *this); }
    StoredSettings readAll() { return readAllSettings(file()); }
    std::optional<std::u16string> readSlot(int slot) { return readSlotPath(file(), slot); }

    std::string read(const std::u16string&) override { return {}; }
    void replace(const std::u16string&, std::string_view) override;  // read only: fails
    std::u16string decode(std::string_view) const override { return text_; }
    std::string encode(std::u16string_view) const override;  // read only: fails
    bool canEncode(std::u16string_view) const override { return false; }
    std::string name() const override { return "decoded"; }

private:
    std::u16string text_;
};

}  // namespace quevor
