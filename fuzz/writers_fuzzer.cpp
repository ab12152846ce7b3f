// Any bytes as setting.ini through start-up, a clear and quits with the loaded values
// (checkFileRoundTrip), then a quit of any live values on such a text (checkQuit); both are in
// tests/support/properties.h.
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
    store.files[kSettingsPath] = in.ConsumeRemainingBytesAsString();
    checkQuit(store, SettingsFile(kSettingsPath, store, cp932()), live);
    return 0;
}
