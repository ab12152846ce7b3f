#pragma once

// The fuzz targets' view of the shared test helpers: the settings file in memory, the fake bar
// whose live values a save takes, and the properties every settings file must keep.

#include "support/properties.h"

namespace quevor::fuzz {

using LiveBar = testing::FakeBar;
using testing::completes;
using testing::cp932;
using testing::describe;
using testing::expectedAfterSave;
using testing::finiteBar;
using testing::kSettingsPath;
using testing::require;
using testing::shownBytes;
using testing::storablePath;
using testing::storableSlot;

}  // namespace quevor::fuzz
