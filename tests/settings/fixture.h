#pragma once

#include <gtest/gtest.h>

#include "core/text.h"
#include "settings/codec.h"
#include "settings/layout.h"
#include "settings/reader.h"
#include "settings/writers.h"
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
