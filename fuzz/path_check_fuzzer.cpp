// Every path the add check accepts survives quit and start-up in every slot (checkPathRoundTrip
// in tests/support/properties.h). Input: UTF-8 text taken as the path the open-file dialog
// returned; or, after a leading "#", choices that build a path from pieces of real paths and of
// the file's own key and marker texts.

#include "live_values.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const bool pieces = size > 0 && data[0] == '#';
    FuzzedDataProvider in(data + pieces, size - pieces);
    quevor::testing::checkPathRoundTrip(
        pieces ? quevor::fuzz::consumePath(in)
               : quevor::fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size)));
    return 0;
}
