#pragma once

// The replace both system stores share: the new bytes go into a temporary file beside the
// target, ".<name>.<digits>.tmp", which is then renamed over it; a complete replace also takes
// away the temporary files that replaces ended midway left behind. The system calls come
// through ReplaceSteps.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quevor {

class ReplaceSteps {
public:
    virtual ~ReplaceSteps() = default;
    // Creates temp for writing, only if no file has that name: false when one has. Any other
    // failure throws, naming target.
    virtual bool create(const std::filesystem::path& temp, const std::filesystem::path& target) = 0;
    // Writes every byte into the created file, flushes it to the disk, closes it and renames it
    // over target.
    virtual void commit(const std::filesystem::path& temp, const std::filesystem::path& target,
                        std::string_view bytes) = 0;
    // After a failure between create and the rename: closes and deletes temp.
    virtual void discard(const std::filesystem::path& temp) noexcept = 0;
    // Makes the rename itself durable where the system needs a step of its own for that.
    virtual void flushFolder(const std::filesystem::path& folder) noexcept = 0;
    // The names in folder (an unreadable folder has none), and deleting one of its files.
    virtual std::vector<std::filesystem::path> names(const std::filesystem::path& folder) = 0;
    virtual void remove(const std::filesystem::path& file) noexcept = 0;
};

// The folder target lies in ("." for a bare file name).
std::filesystem::path folderOf(const std::filesystem::path& target);

// A path as UTF-8 for an error message.
std::string describePath(const std::filesystem::path& path);

// Replaces target with bytes through the steps; a failure leaves the target as it was.
void replaceAtomically(ReplaceSteps& steps, const std::filesystem::path& target,
                       std::string_view bytes);

}  // namespace quevor
