#include "fixture.h"

#include <cfloat>

#include "core/error.h"
#include "support/said.h"

namespace quevor::testing {
namespace {

using ReaderTest = SettingsTest;

TEST_F(ReaderTest, ReadsEveryKeyOfTheWorkedExampleAndTheClearedFile) {
    put(savedFile({"C:\\Tools\\edit.EXE"}, "735", "0", "1", "X:100Y:200"));
    StoredSettings expected{735.0f, 0.0f, {}, {100, 200}, 1};
    for (int n = 1; n <= 15; ++n)
        expected.slotPaths[n - 1] = n == 1 ? u"C:\\Tools\\edit.exe" : placeholder(n);
    EXPECT_EQ(startUpReads(file), expected);

    put(clearedFile());
    expected.slotPaths[0] = u"1.exe";
    expected.position.top = 100;
    expected.titleBar = std::nullopt;
    EXPECT_EQ(startUpReads(file), expected);

    put("nothing here");  // missing keys leave their targets alone
    EXPECT_EQ(startUpReads(file), StoredSettings{});
    // window edges beyond 16 bits read as they are, rounded and pulled into the edge limit
    // clang-format off
    const std::pair<const char16_t*, StoredPosition> edges[] = {
        {u"X:99999Y:-40000T:1", {99999, -40000}}, {u"X:32767.5Y:-32768.5", {32768, -32768}},
        {u"X:1e30Y:-16777217", {kEdgeLimit, -kEdgeLimit}}, {u"Y:2.5", {std::nullopt, 2}}};
    // clang-format on
    for (const auto& [text, position] : edges) EXPECT_EQ(readPosition(text), position);
    // the largest single-precision value still reads
    EXPECT_EQ(readWidth(u"W:3.4028234663852886e38Path1:"), FLT_MAX);
}

TEST_F(ReaderTest, SlotValuesAreCutAtTheFirstExe) {
    // clang-format off
    const struct { const char* file; const char* slot1; } rows[] = {
        {"Path1:C:\\a.exe\\b.exe[CR][LF]", "C:\\a.exe"},
        {"Path1:C:\\a.bat[CR][LF]Path2:2.exe", "C:\\a.bat\r\nPath2:2.exe"},
        {"Path1:C:\\a.Exe", "C:\\a.Exe.exe"},
        {"Path1:C:\\a.EXE[CR][LF]", "C:\\a.exe"},
        {"Path1:", ".exe"},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        EXPECT_EQ(toUtf8(readSlotPath(fromUtf8(bytes(row.file)), 1).value()), row.slot1);
    }
}

// Start-up stops at the first value it cannot take, with a message naming key and value.
TEST_F(ReaderTest, WhatCannotBeReadStopsWithAMessage) {
    const struct {
        std::optional<std::string> file;  // nullopt: there is none
        Message id;
        std::vector<std::string> args;
        // clang-format off
    } rows[] = {
        {bytes("CL:0W:12a[CR][LF]Path1:1.exe"), Message::notANumber, {"W:", "12a\\r\\n"}},
        {bytes("CL:0W:1 2\t[CR][LF]Path1:"), Message::notANumber, {"W:", "1 2\\t\\r\\n"}},
        {"W:\x1b" + std::string(45, 'a') + "Path1:", Message::notANumber, {"W:", "\\x1b" + std::string(39, 'a') + "..."}},
        {bytes("CL:x[CR][LF]W:1Path1:"), Message::notANumber, {"CL:", "x\\r\\n"}},
        // The first marker is taken for the key's.
        {"x===yW:5Path1:", Message::notANumber, {"W:", "yW"}},
        {bytes("CL:0[CR][LF]Path1:a.exe[CR][LF]W:735"), Message::notANumber, {"CL:", "0\\r\\nPath1:a.exe\\r\\n"}},
        {bytes("Path3:X:\\tool.exe[CR][LF]X:1Y:2"), Message::notANumber, {"X:", "\\tool.exe\\r\\n"}},
        {bytes("X:1Y:2[CR][LF]T:yes[CR][LF]"), Message::notANumber, {"T:", "yes\\r\\n"}},
        {bytes("X:1Y:2[CR][LF]T:70000[CR][LF]"), Message::numberTooLarge, {"T:", "70000\\r\\n"}},
        {"W:1e39Path1:", Message::numberTooLarge, {"W:", "1e39"}},
        {"X:1Y:2T:-32768.5", Message::numberTooLarge, {"T:", "-32768.5"}},
        {"X:1Y:2T:32767.5", Message::numberTooLarge, {"T:", "32767.5"}},
#ifdef _WIN32
        {"\xEF\xBB\xBF" + workedExampleFile(), Message::notText, {"CP932"}},
#else
        {"\xEF\xBB\xBF" + workedExampleFile(), Message::notTextAt, {"CP932", "0"}},
#endif
        {std::string(33000, ';') + "CL:0W:735", Message::searchedTooFar, {"W:"}},
        {"CL:0W:735Path1:C:\\" + std::string(33000, 'a') + ".exe", Message::searchedTooFar, {"Path1:"}},
        {"X:1Y:2" + std::string(33000, ' ') + "T:1", Message::searchedTooFar, {"Y:"}},
        {std::nullopt, Message::fileNotFound, {"/cfg/setting.ini"}},
    };
    // clang-format on
    for (const auto& row : rows) {
        const std::string message = said(row.id, row.args);
        SCOPED_TRACE(message);
        store.files.clear();
        if (row.file) put(*row.file);
        try {
            (void)startUpReads(file);
            ADD_FAILURE() << "no error";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.what(), message);
        }
        EXPECT_EQ(store.files.size(), row.file ? 1u : 0u);
        EXPECT_TRUE(store.writes.empty());
    }
}

TEST_F(ReaderTest, Cp932DecodesJapaneseAndRefusesWhatItCannotHold) {
    EXPECT_THROW((void)codec->decode("Path1:\x81\x20.exe"), RuntimeError);
    EXPECT_FALSE(codec->canEncode(u"C:\\\u00e9t\u00e9.exe"));  // no é in CP932
    EXPECT_THROW((void)codec->encode(u"\U0001F600"), RuntimeError);
    // "C:\ツール\表示.exe" in Shift_JIS: the trail byte 0x5C of 表 is no backslash.
    const std::string japanese = "C:\\\x83\x63\x81\x5B\x83\x8B\\\x95\x5C\x8E\xA6.exe";
    EXPECT_EQ(toUtf8(codec->decode(japanese)), "C:\\ツール\\表示.exe");
    EXPECT_EQ(codec->encode(codec->decode(japanese)), japanese);
    EXPECT_THROW((void)makeSystemCodec("NO-SUCH-PAGE"), RuntimeError);
}

}  // namespace
}  // namespace quevor::testing
