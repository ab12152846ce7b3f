#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "core/error.h"
#include "core/int16.h"
#include "core/number.h"
#include "core/text.h"

namespace quevor {
namespace {

// Halves go to the even neighbour; whatever rounds outside 16 bits is an overflow.
TEST(RoundToInt16, HalvesGoToTheEvenNeighbourAndOutOfRangeIsOverflow) {
    const struct {
        double in;
        std::optional<int> out;
        // clang-format off
    } rows[] = {{0.5, 0},     {1.5, 2},         {2.5, 2},     {-0.5, 0},    {-1.5, -2},
                {-2.5, -2},   {2.4999, 2},      {2.5001, 3},  {32767.4, 32767},
                {-32768.0, -32768}, {-32768.5, -32768}, {1905.0, 1905},
                {32767.5, {}}, {32768.0, {}}, {-32769.0, {}}, {-32768.6, {}}, {1e10, {}},
                {double(NAN), {}}, {double(INFINITY), {}}};
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.in);
        try {
            EXPECT_EQ(std::optional<int>(roundToInt16(row.in)), row.out);
        } catch (const RuntimeError& e) {
            EXPECT_FALSE(row.out.has_value());
            EXPECT_EQ(e.kind(), ErrorKind::overflow);
        }
    }
}

TEST(Int16Arithmetic, OverflowIsAnError) {
    EXPECT_EQ(mul16(14, 585), 8190);
    EXPECT_EQ(add16(32000, 767), 32767);
    EXPECT_EQ(sub16(-32767, 1), -32768);
    EXPECT_THROW((void)add16(32000, 768), RuntimeError);
    EXPECT_THROW((void)mul16(56, 588), RuntimeError);
    EXPECT_THROW((void)sub16(-32768, 1), RuntimeError);
}

TEST(SingleText, WholeNumbersHaveNoPointAndFractionsKeepSevenDigits) {
    const struct {
        float in;
        const char* out;
        // clang-format off
    } rows[] = {{1905.0f, "1905"}, {-120.0f, "-120"}, {0.0f, "0"},        {-0.0f, "0"},
                {735.0f, "735"},   {1905.5f, "1905.5"}, {22.5f, "22.5"}, {0.1f, "0.1"},
                {123456.7f, "123456.7"}, {1234560.4f, "1234560"}, {32767.0f, "32767"}, {1e7f, "10000000"}};
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.out);
        EXPECT_EQ(toUtf8(singleText(row.in)), row.out);
    }
}

TEST(ParseNumber, IgnoresSurroundingBlanksAndRejectsEverythingElse) {
    using namespace std::string_view_literals;
    // clang-format off
    const struct { std::u16string_view in; std::optional<double> out; } rows[] = {
        {u"1170", 1170},      {u"1170\r\n", 1170}, {u"\r\n\t 735 \r\n\r", 735}, {u"-120", -120},
        {u"+5", 5},           {u"2.5", 2.5},       {u".5", 0.5},              {u"1e3", 1000},
        {u"1e+3", 1000},      {u"2.5E-1", 0.25},
        {u"", std::nullopt},  {u"\r\n", std::nullopt}, {u"12a", std::nullopt}, {u"1 2", std::nullopt},
        {u"-", std::nullopt}, {u"1e", std::nullopt}, {u"0x10", std::nullopt},
        {u"735Path1:1.exe", std::nullopt}, {u"1\x0b", std::nullopt},
        {u"257"sv.substr(0, 2), 25}, {u"2.57"sv.substr(0, 3), 2.5}, {u"1e37"sv.substr(0, 3), 1000},  // only the text given
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(toUtf8(row.in));
        EXPECT_EQ(parseNumber(row.in), row.out);
    }
}

}  // namespace
}  // namespace quevor
