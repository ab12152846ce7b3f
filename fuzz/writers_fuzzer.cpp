// Any bytes as setting.ini through start-up and quits with the loaded values (checkFileRoundTrip
// in tests/support/properties.h), then the two writers on such a text with any live values. A
// save either stops with the one error type and leaves the file byte for byte, or writes once a
// file from which start-up reads every live value back (a "path" no file can hold may be left
// out, nothing else) and that the next save with the same values leaves as it is. A clear writes
// once or leaves the file.
//
// Input: the whole of it is the file for the round trip; for the writers, the live values and
// the choice of writer are taken from its end and the rest is the file.

#include "live_values.h"

using namespace quevor;
using namespace quevor::testing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkFileRoundTrip(std::string(reinterpret_cast<const char*>(data), size));
    FuzzedDataProvider in(data, size);
    const bool clearing = in.ConsumeIntegralInRange<int>(0, 3) == 0;
    FakeBar bar = fuzz::consumeBar(in);
    const FakeBar live = bar;
    MemoryStore store;
    const SettingsFile file(kSettingsPath, store, cp932());
    const std::string before = store.files[kSettingsPath] = in.ConsumeRemainingBytesAsString();
    const bool done = completes([&] { clearing ? clearSettings(file) : saveSettings(file, bar); });
    const std::string saved = store.files.at(kSettingsPath);
    const std::string change = "\n  before " + shownBytes(before) + "\n  after " + shownBytes(saved);
    const char* why = done ? "a writer did not write once" : "a writer stopped and changed the file";
    require(done ? store.writes.size() == 1 : saved == before, why + change);
    // A save without the clear item writes only the position and title-bar records; what a value
    // that is not finite reads back as is the save's own check.
    const bool finite = std::isfinite(live.width) && std::isfinite(live.addLeft) &&
                        std::isfinite(live.left) && std::isfinite(live.top);
    if (clearing || !done || !live.clearVisible || !finite) return 0;

    StoredSettings reloaded;
    require(completes([&] { reloaded = readAllSettings(file); }),
            "a saved file does not load" + change);
    StoredSettings expected = expectedAfterSave(live);
    for (int n = 1; n <= kSlotCount; ++n) {
        const std::u16string& path =
            live.addedPaths[n].empty() ? live.loadedPaths[n] : live.addedPaths[n];
        if (!storableSlot(path, n) && reloaded.slotPaths[n - 1] == placeholder(n)) {
            expected.slotPaths[n - 1] = placeholder(n);
        }
    }
    require(reloaded == expected, "values after a save\n  reloaded " + describe(reloaded) +
                                      "\n  expected " + describe(expected) + change);

    // The next quit leaves the bytes alone, unless this one kept a "W:" or "CL:" value that stood
    // there already without its line break: the next adds it once, and then nothing moves.
    const auto saveAgain = [&] {
        FakeBar again = live;
        require(completes([&] { saveSettings(file, again); }), "a second save failed");
        return store.files.at(kSettingsPath);
    };
    const float width = live.hidden == 1 ? live.width + 120.0f : live.width;
    const bool joined =
        saved.find("W:" + toUtf8(singleText(width)) + "Path1:") != std::string::npos ||
        saved.find("CL:" + toUtf8(singleText(live.addLeft)) + "W:") != std::string::npos;
    const std::string second = saveAgain();
    require(second == saved || joined,
            "the next quit changed the file\n  first  " + shownBytes(saved) + "\n  second " + shownBytes(second));
    if (second != saved) require(saveAgain() == second, "the file changes at every quit");
    return 0;
}
