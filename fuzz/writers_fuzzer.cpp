// Any bytes as setting.ini through start-up, a clear and quits with the loaded values
// (checkFileRoundTrip in tests/support/properties.h), then a quit on such a text with any live
// values. It either stops with the one error type and leaves the file byte for byte, or writes
// once a file from which start-up reads every live value back (a "path" no file can hold may be
// left out, nothing else) and that the next save with the same values leaves as it is.
//
// Input: the whole of it is the file for the round trip; for the quit, the live values are taken
// from its end and the rest is the file.

#include "live_values.h"

using namespace quevor;
using namespace quevor::testing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkFileRoundTrip(std::string(reinterpret_cast<const char*>(data), size));
    FuzzedDataProvider in(data, size);
    // Paths for slots 1 to 15, each possibly left empty, mostly plain ones, for which the save
    // promises a round trip.
    SaveValues live;
    live.cleared = in.ConsumeIntegralInRange<int>(0, 7) == 0;
    live.titleBarRecord = static_cast<int16>(in.ConsumeIntegralInRange<int>(0, 3) == 0 ? 1 : 0);
    for (float* v : {&live.width, &live.addButtonLeft, &live.left, &live.top})
        *v = fuzz::consumeEdge(in);
    const bool hostile = in.ConsumeIntegralInRange<int>(0, 3) == 0;
    for (std::u16string& path : live.paths) {
        if (!in.ConsumeBool()) path = fuzz::consumePath(in, hostile);
    }
    MemoryStore store;
    const SettingsFile file(kSettingsPath, store, cp932());
    const std::string before = store.files[kSettingsPath] = in.ConsumeRemainingBytesAsString();
    const bool done = completes([&] { saveSettings(file, live); });
    const std::string saved = store.files.at(kSettingsPath);
    const std::string diff = "\n  before " + shownBytes(before) + "\n  after " + shownBytes(saved);
    require(!done || store.writes.size() == 1, "a save did not write once" + diff);
    require(done || saved == before, "a save stopped and changed the file" + diff);
    // A save after a clear writes only the position and title-bar records; what a value
    // that is not finite reads back as is the save's own check (the sum in double is finite
    // exactly when all four are).
    const double edges = double(live.width) + live.addButtonLeft + live.left + live.top;
    if (!done || live.cleared || !std::isfinite(edges)) return 0;

    // A saved file that does not load throws out of the target, as a second save that stops
    // does below: a crash, and the input is kept.
    const StoredSettings reloaded = startUpReads(file);
    StoredSettings expected = expectedAfterSave(live);
    // A path no file can hold may come back as the placeholder.
    for (int n = 1; n <= kSlotCount; ++n) {
        const std::u16string& path = live.paths[n - 1];
        if (!storableSlot(path, n) && reloaded.slotPaths[n - 1] == placeholder(n)) {
            expected.slotPaths[n - 1] = placeholder(n);
        }
    }
    require(reloaded == expected, "values after a save\n  reloaded " + describe(reloaded) +
                                      "\n  expected " + describe(expected) + diff);

    // The next quit leaves the bytes alone, unless this one kept a "W:" or "CL:" value that stood
    // there already without its line break: the next adds it once, and then nothing moves.
    const float width = live.titleBarRecord == 1 ? live.width + 120.0f : live.width;
    const bool joined =
        saved.find("W:" + toUtf8(singleText(width)) + "Path1:") != std::string::npos ||
        saved.find("CL:" + toUtf8(singleText(live.addButtonLeft)) + "W:") != std::string::npos;
    saveSettings(file, live);
    const std::string next = store.files.at(kSettingsPath);
    saveSettings(file, live);
    require((next == saved || joined) && store.files.at(kSettingsPath) == next,
            "the next quits changed the file\n  first  " + shownBytes(saved) + "\n  second " +
                shownBytes(next) + "\n  third  " + shownBytes(store.files.at(kSettingsPath)));
    return 0;
}
