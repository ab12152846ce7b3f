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
    // Replaces the whole file by this text (the writers end it with CR LF, as every write does).
    void replaceSettingsText(std::u16string_view text) const;
    // Whether anything (a file, a folder) is at the path: a read that failed on a file that is
    // there was not a missing file.
    [[nodiscard]] bool exists() const { return store_.exists(path_); }

  private:
    std::u16string path_;
    FileStore& store_;
    const TextCodec& codec_;
};

}  // namespace quevor
