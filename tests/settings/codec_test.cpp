#include "fixture.h"

#include "core/error.h"

namespace quevor::testing {
namespace {

TEST_F(SettingsTest, JapanesePathRoundTripsByteForByteInCp932) {
    // "C:\ツール\表示.exe" in Shift_JIS; 0x5C trail bytes (表 is 0x95 0x5C) must not be taken
    // for a backslash, and no trail byte for a key letter.
    const std::string content = savedFile({"C:\\\x83\x63\x81\x5B\x83\x8B\\\x95\x5C\x8E\xA6.exe"}, "1320", "585");
    put(content);
    FakeBar bar = FakeBar::fromLoaded(readAllSettings(file));
    EXPECT_EQ(toUtf8(bar.loadedPaths[1]), "C:\\ツール\\表示.exe");
    saveSettings(file, bar);
    EXPECT_EQ(disk(), content);
}

TEST_F(SettingsTest, BytesAndCharactersTheCodePageCannotHoldAreErrors) {
    EXPECT_THROW((void)codec->decode("Path1:\x81\x20.exe"), RuntimeError);
    EXPECT_FALSE(codec->canEncode(u"C:\\\u00e9t\u00e9.exe"));  // no é in CP932
    EXPECT_THROW((void)codec->encode(u"\U0001F600"), RuntimeError);
    EXPECT_TRUE(codec->canEncode(u"C:\\ツール\\a.exe"));
    EXPECT_THROW((void)makeSystemCodec("NO-SUCH-PAGE"), RuntimeError);
}

}  // namespace
}  // namespace quevor::testing
