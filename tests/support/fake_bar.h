#pragma once

#include <string>

#include "settings/layout.h"
#include "settings/reader.h"
#include "settings/writers.h"

namespace quevor::testing {

// What a start-up on the file reads.
inline StoredSettings startUpReads(const SettingsFile& file) {
    return readAllSettings(file.readSettingsText());
}

// The values a quit stores for a bar that a start-up on these settings leaves (by default the
// cleared bar: 735 wide, the add button at 0, the window at 100, 100, title bar shown).
inline SaveValues loadedBar(const StoredSettings& s = {}) {
    SaveValues bar;
    bar.width = s.width.value_or(735);
    bar.addButtonLeft = s.addButtonLeft.value_or(0);
    bar.left = s.position.left.value_or(100);
    bar.top = s.position.top.value_or(100);
    bar.titleBarRecord = s.titleBar.value_or(0);
    for (int n = 1; n <= kSlotCount; ++n) bar.paths[n - 1] = s.slotPaths[n - 1].value_or(u"");
    return bar;
}

}  // namespace quevor::testing
