#include <gtest/gtest.h>

#include "core/error.h"
#include "core/text.h"

namespace quevor {
namespace {

TEST(ReplaceAll, ExactCaseSensitiveLeftToRightWithoutOverlap) {
    // clang-format off
    const struct { const char* text; const char* from; const char* to; const char* out; } rows[] = {
        {"a.EXE b.exe c.Exe", ".EXE", ".exe", "a.exe b.exe c.Exe"},
        {"====", "==", "=", "=="},
        {"CL===0W:", "=0", "", "CL==W:"},
        {"abc", "", "x", "abc"},
        {"W:1W:2", "W:", "W===", "W===1W===2"},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(toUtf8(replaceAll(ascii(row.text), ascii(row.from), ascii(row.to))), row.out);
    }
}

TEST(FindPos, OneBasedAndSixteenBit) {
    EXPECT_EQ(findPos(u"abcabc", u"c"), 3);
    EXPECT_EQ(findPos(u"abc", u"x"), 0);

    std::u16string longText(32766, u'.');
    EXPECT_EQ(findPos(longText + u"X:", u"X:"), 32767);
    try {
        (void)findPos(longText + u".X:", u"X:");
        ADD_FAILURE() << "no overflow";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.kind(), ErrorKind::overflow);
    }
    // Absent markers are no overflow, however long the text.
    EXPECT_EQ(findPos(std::u16string(40000, u'.'), u"X:"), 0);
}

TEST(Utf8, RoundTripsJapaneseAndAstralCharacters) {
    const std::string samples[] = {"C:\\ツール\\エディタ.exe",
                                   "exeファイル(*.exe)|*.exe",
                                   "\xF0\x9F\x98\x80",
                                   "\xF0\x90\x8F\xBF",
                                   "caf\xC3\xA9",
                                   "plain"};
    for (const auto& sample : samples) {
        SCOPED_TRACE(sample);
        EXPECT_EQ(toUtf8(fromUtf8(sample)), sample);
    }
    EXPECT_EQ(fromUtf8("\xFF"), u"\uFFFD");
    EXPECT_EQ(fromUtf8("\x80"), u"\uFFFD");
    EXPECT_EQ(toUtf8(u"a\xD800\xE000"), "a\xED\xA0\x80\xEE\x80\x80");  // a lone half stays alone
}

}  // namespace
}  // namespace quevor
