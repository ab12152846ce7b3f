#pragma once

#include <string>
#include <string_view>

#include "settings/codec.h"
#include "settings/file_store.h"

namespace quevor {

// setting.ini at the path start-up found. Never cached: every read goes to the disk afresh and
// every write replaces the whole file.
class SettingsFile {
public:
    SettingsFile(std::u16string path, FileStore& store, const TextCodec& codec)
        : path_(std::move(path)), store_(store), codec_(codec) {}

    const std::u16string& path() const { return path_; }
    const TextCodec& codec() const { return codec_; }

    // The whole file as text.
    [[nodiscard]] std::u16string readSettingsText() const;
    // Replaces the file by text followed by CR LF, the line end every write adds.
    void writeSettingsText(std::u16string_view text) const;

private:
    std::u16string path_;
    FileStore& store_;
    const TextCodec& codec_;
};

}  // namespace quevor
