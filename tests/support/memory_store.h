#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/error.h"
#include "settings/file_store.h"

namespace quevor::testing {

// Files in memory, with the history of every write and an optional failure on the n-th write.
class MemoryStore final : public FileStore {
public:
    std::map<std::filesystem::path, std::string> files;
    std::vector<std::string> writes;  // every completed replace, in order
    int failOnWrite = 0;              // 1-based; 0 = never

    std::string read(const std::filesystem::path& path) override {
        const auto found = files.find(path);
        if (found == files.end()) fail("File not found: " + path.string());
        return found->second;
    }

    void replace(const std::filesystem::path& path, std::string_view bytes) override {
        if (failOnWrite != 0 && static_cast<int>(writes.size()) + 1 == failOnWrite) {
            fail("Disk full: " + path.string());
        }
        files[path] = std::string(bytes);
        writes.emplace_back(bytes);
    }
};

}  // namespace quevor::testing
