#include "fixture.h"

#include "core/error.h"

namespace quevor::testing {
namespace {

class CodecTest : public SettingsTest {};

TEST_F(CodecTest, JapanesePathRoundTripsByteForByteInCp932) {
    // "C:\ツール\表示.exe" in Shift_JIS; 0x5C trail bytes (表 is 0x95 0x5C) must not be taken
    // for a backslash, and no trail byte for a key letter.
    const std::string program = "C:\\\x83\x63\x81\x5B\x83\x8B\\\x95\x5C\x8E\xA6.exe";
    std::string content = "CL:585[CR][LF]W:1320[CR][LF][CR]Path1:" + program + "[CR][LF]";
    for (int n = 2; n <= 14; ++n) {
        content += "Path" + std::to_string(n) + ":" + std::to_string(n) + ".exe[CR][LF]";
    }
    content += "Path15:15.exePath16:16.exe[CR][LF][CR]X:100Y:100[CR][LF][CR]T:0[CR][LF]";
    put(bytes(content));

    FakeBar bar;
    bar.load(readAllSettings(file));
    EXPECT_EQ(toUtf8(bar.loadedPaths[1]), "C:\\ツール\\表示.exe");
    bar.width = 1320;
    bar.addLeft = 585;
    saveSettings(file, bar);
    EXPECT_EQ(disk(), bytes(content));
}

TEST_F(CodecTest, BytesAndCharactersTheCodePageCannotHoldAreErrors) {
    EXPECT_THROW((void)codec->decode("Path1:\x81\x20.exe"), RuntimeError);
    EXPECT_FALSE(codec->canEncode(u"C:\\\u00e9t\u00e9.exe"));  // no é in CP932
    EXPECT_THROW((void)codec->encode(u"\U0001F600"), RuntimeError);
    EXPECT_TRUE(codec->canEncode(u"C:\\ツール\\a.exe"));
}

TEST_F(CodecTest, AnUnknownCodePageIsReported) {
    EXPECT_THROW((void)makeSystemCodec("NO-SUCH-PAGE"), RuntimeError);
}

}  // namespace
}  // namespace quevor::testing
