#pragma once

// A settings file in memory in the code page CP932, for the reader's and the writers' tests.

#include <gtest/gtest.h>

#include "settings/codec.h"
#include "support/fake_bar.h"
#include "support/memory_store.h"
#include "support/settings_text.h"

namespace quevor::testing {

class SettingsTest : public ::testing::Test {
  protected:
    const std::u16string path = u"/cfg/setting.ini";
    MemoryStore store;
    std::unique_ptr<TextCodec> codec = makeSystemCodec("CP932");
    SettingsFile file{path, store, *codec};

    void put(const std::string& content) { store.files[path] = content; }
    const std::string& disk() { return store.files.at(path); }
};

}  // namespace quevor::testing
