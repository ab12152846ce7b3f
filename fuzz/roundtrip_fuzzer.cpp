// Any bytes as setting.ini: start-up, then quits and a restart with the loaded values
// (checkFileRoundTrip in tests/support/properties.h).

#include "harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quevor::testing::checkFileRoundTrip(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
