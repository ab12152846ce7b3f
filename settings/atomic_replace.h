#pragma once

// The replace both system stores share: the new bytes go into a temporary file beside the
// target, ".<name>.<digits>.tmp", which is then renamed over it; a complete replace also takes
// away the temporary files that replaces ended midway left behind. The system calls come
// through ReplaceSteps. Paths are UTF-16 text, as the stores take them.

#include <string>
#include <string_view>
#include <vector>

namespace quevor {

class ReplaceSteps {
  public:
    virtual ~ReplaceSteps() = default;
    // Creates temp for writing, only if no file has that name: false when one has. Any other
    // failure throws, naming the settings file as the user gave it (as every step does).
    virtual bool create(const std::u16string& temp, const std::u16string& target) = 0;
    // Writes every byte into the created file, flushes it to the disk, closes it and renames it
    // over target.
    virtual void commit(const std::u16string& temp, const std::u16string& target,
                        std::string_view bytes) = 0;
    // After a failure between create and the rename: closes and deletes temp.
    virtual void discard(const std::u16string& temp) noexcept = 0;
    // Makes the rename itself durable where the system needs a step of its own for that.
    virtual void flushFolder(const std::u16string& folder) noexcept = 0;
    // The file names in folder (an unreadable folder has none), and deleting one of its files.
    virtual std::vector<std::u16string> names(const std::u16string& folder) = 0;
    virtual void remove(const std::u16string& file) noexcept = 0;
};

// The folder target lies in ("." for a bare file name), and a name in a folder.
std::u16string folderOf(const std::u16string& target);
std::u16string inFolder(const std::u16string& folder, const std::u16string& name);

// Replaces target with bytes through the steps; a failure leaves the target as it was. Where the
// settings file is a link, target is the file it leads to: the link stays, and the temporary
// file goes beside the file it replaces.
void replaceAtomically(ReplaceSteps& steps, const std::u16string& target, std::string_view bytes);

}  // namespace quevor
