#include "settings/atomic_replace.h"

#include <random>

#include "core/error.h"

namespace quevor {
namespace {

using Native = std::filesystem::path::string_type;

std::filesystem::path temporaryName(const std::filesystem::path& target, unsigned number) {
    std::filesystem::path name = ".";
    name += target.filename();
    name += "." + std::to_string(number) + ".tmp";
    return name;
}

// Only names this store makes: the target's name between "." and ".", then digits, ".tmp".
bool isTemporaryName(const Native& entry, const std::filesystem::path& target) {
    std::filesystem::path start = ".";
    start += target.filename();
    start += ".";
    const Native& prefix = start.native();
    const Native suffix = std::filesystem::path(".tmp").native();
    if (entry.size() <= prefix.size() + suffix.size() || entry.compare(0, prefix.size(), prefix) != 0 ||
        entry.compare(entry.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return false;
    }
    for (std::size_t i = prefix.size(); i < entry.size() - suffix.size(); ++i) {
        if (entry[i] < '0' || entry[i] > '9') return false;
    }
    return true;
}

// A process killed between creating its temporary file and the rename leaves that file
// behind; the next complete replace takes such leftovers away, so crashes do not pile up
// hidden copies beside the settings file.
void removeLeftovers(ReplaceSteps& steps, const std::filesystem::path& folder,
                     const std::filesystem::path& target) {
    for (const std::filesystem::path& name : steps.names(folder)) {
        if (isTemporaryName(name.native(), target)) steps.remove(folder / name);
    }
}

}  // namespace

std::filesystem::path folderOf(const std::filesystem::path& target) {
    return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}

std::string describePath(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

void replaceAtomically(ReplaceSteps& steps, const std::filesystem::path& target,
                       std::string_view bytes) {
    const std::filesystem::path folder = folderOf(target);
    std::random_device random;
    std::filesystem::path temp;
    bool created = false;
    for (int attempt = 0; attempt < 16 && !created; ++attempt) {
        temp = folder / temporaryName(target, random());
        created = steps.create(temp, target);
    }
    if (!created) fail("Cannot write " + describePath(target) + ": no temporary name free");
    try {
        steps.commit(temp, target, bytes);
    } catch (...) {
        steps.discard(temp);
        throw;
    }
    steps.flushFolder(folder);
    removeLeftovers(steps, folder, target);
}

}  // namespace quevor
