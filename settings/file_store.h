#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace quevor {

// Whole-file access to the settings file, the one seam between the settings logic and the disk.
// Paths are the system's full file names as UTF-16 text, like all of the program's text.
class FileStore {
  public:
    virtual ~FileStore() = default;
    // All bytes of the file. A missing file is "File not found: <path>"; reading never creates.
    [[nodiscard]] virtual std::string read(const std::u16string& path) = 0;
    // Replaces the file with exactly these bytes, atomically: afterwards the file holds either
    // its previous content or all of the new one, whatever happens to the process or the disk.
    // A link stays a link: the file it leads to is replaced, and keeps its attributes.
    virtual void replace(const std::u16string& path, std::string_view bytes) = 0;
    // Whether anything (a file, a folder) exists at this path.
    [[nodiscard]] virtual bool exists(const std::u16string& path) = 0;
};

// The platform's store: temporary file in the same folder, every byte checked, flushed, then
// renamed over the target. On Windows a read or rename that another program's handle refuses is
// tried again for about two seconds; after that the file is reported in use.
std::unique_ptr<FileStore> makeSystemFileStore();

}  // namespace quevor
