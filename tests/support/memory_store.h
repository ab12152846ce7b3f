#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/messages.h"
#include "core/text.h"
#include "settings/file_store.h"

namespace quevor::testing {

// Files in memory, with the history of every write and an optional failure on the n-th write.
class MemoryStore final : public FileStore {
  public:
    std::map<std::filesystem::path, std::string> files;
    std::vector<std::string> writes;  // every completed replace, in order
    int failOnWrite = 0;              // 1-based; 0 = never

    std::string read(const std::u16string& path) override {
        const auto found = files.find(std::filesystem::path(path));
        if (found == files.end()) fail(Message::fileNotFound, {path});
        return found->second;
    }

    void replace(const std::u16string& path, std::string_view bytes) override {
        if (failOnWrite != 0 && static_cast<int>(writes.size()) + 1 == failOnWrite) {
            fail("Disk full: " + toUtf8(path));
        }
        files[std::filesystem::path(path)] = std::string(bytes);
        writes.emplace_back(bytes);
    }

    bool exists(const std::u16string& path) override {
        return files.count(std::filesystem::path(path)) != 0;
    }
};

}  // namespace quevor::testing
