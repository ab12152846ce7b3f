#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quevor {

// The settings file held in memory while a quit or a clear rewrites it record by record. Each
// record cycle reads it and replaces it as it would the file on disk; only the text of the last
// cycle's write goes to the disk, in one replace, so the file never holds a state in between.
class SettingsDraft {
public:
    explicit SettingsDraft(std::u16string text) : text_(std::move(text)) {}

    const std::u16string& readSettingsText() const { return text_; }
    // As the file's write: the whole text replaced by this one followed by CR LF.
    void writeSettingsText(std::u16string_view text) {
        written_ = std::u16string(text);
        text_ = *written_ + u"\r\n";
    }
    // What the last write was given (without the CR LF the file's own write adds again), or
    // nullopt when no cycle wrote.
    const std::optional<std::u16string>& written() const { return written_; }

private:
    std::u16string text_;
    std::optional<std::u16string> written_;
};

}  // namespace quevor
