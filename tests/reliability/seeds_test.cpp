#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/properties.h"

namespace quevor::testing {
namespace {

// Every seed of the fuzz targets, hostile settings files and program paths alike, keeps the
// properties the targets check.
TEST(FuzzSeeds, KeepTheirProperties) {
    int replayed = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(QUEVOR_CORPUS)) {
        if (!entry.is_regular_file()) continue;
        SCOPED_TRACE(entry.path().string());
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string seed{std::istreambuf_iterator<char>(in), {}};
        try {
            if (entry.path().parent_path().filename() == "paths") {
                checkPathRoundTrip(fromUtf8(seed));
            } else {
                checkFileRoundTrip(seed);
            }
        } catch (const PropertyBroken& e) {
            ADD_FAILURE() << e.what();
        }
        ++replayed;
    }
    EXPECT_GE(replayed, 60);
}

}  // namespace
}  // namespace quevor::testing
