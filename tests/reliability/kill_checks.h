#pragma once

// What the kill tests check after every kill, natively and under Wine.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "kill_bar.h"
#include "settings/file_store.h"

namespace quevor::testing {

inline std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// What kill number k left must be exactly the file before the quit or clear or the one after it,
// and the reader must accept it. A kill between creating the temporary file and renaming it
// leaves that file; it is counted, and the next complete replace takes it away.
inline void expectCompleteState(const SettingsFile& file, const std::set<std::string>& states, int k,
                                std::set<std::string>& seen, int& leftovers) {
    const std::string bytes = fileBytes(file.path());
    ASSERT_TRUE(states.count(bytes)) << "kill " << k << " left\n" << fuzz::shownBytes(bytes);
    ASSERT_NO_THROW((void)readAllSettings(file)) << fuzz::shownBytes(bytes);
    seen.insert(bytes);
    const auto folder = std::filesystem::path(file.path()).parent_path();
    leftovers += static_cast<int>(std::distance(std::filesystem::directory_iterator(folder), {})) - 1;
}

// After the kills one complete replace leaves the settings file alone in its folder.
inline void expectNoTemporaryFileStays(FileStore& store, const std::filesystem::path& path) {
    store.replace(path.u16string(), clearedFile());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(path.parent_path()), {}), 1)
        << "temporary files stay behind";
    std::filesystem::remove_all(path.parent_path());
}

}  // namespace quevor::testing
