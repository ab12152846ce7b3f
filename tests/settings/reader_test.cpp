#include "fixture.h"

#include "core/error.h"

namespace quevor::testing {
namespace {

class ReaderTest : public SettingsTest {};

TEST_F(ReaderTest, WorkedExampleReadsBackAsStated) {
    std::string text = "CL:0[CR][LF]W:735[CR][LF]Path1:C:\\Tools\\edit.EXE[CR][LF]";
    for (int n = 2; n <= 15; ++n) {
        text += "Path" + std::to_string(n) + ":" + std::to_string(n) + ".exe[CR][LF]";
    }
    text += "X:100Y:200[CR][LF]T:1[CR][LF]";
    put(bytes(text));

    const StoredSettings s = readAllSettings(file);
    EXPECT_EQ(s.addButtonLeft, 0.0f);
    EXPECT_EQ(s.width, 735.0f);
    EXPECT_EQ(s.slotPaths[0], u"C:\\Tools\\edit.exe");
    EXPECT_EQ(s.slotPaths[1], u"2.exe");
    EXPECT_EQ(s.slotPaths[14], u"15.exe");
    EXPECT_EQ(s.position.left, 100);
    EXPECT_EQ(s.position.top, 200);
    EXPECT_EQ(s.titleBar, 1);
}

TEST_F(ReaderTest, ClearedFileReadsAsDefaults) {
    put(clearedFile());
    const StoredSettings s = readAllSettings(file);
    EXPECT_EQ(s.addButtonLeft, 0.0f);
    EXPECT_EQ(s.width, 735.0f);
    for (int n = 1; n <= 15; ++n) EXPECT_EQ(s.slotPaths[n - 1], placeholder(n));
    EXPECT_EQ(s.position.left, 100);
    EXPECT_EQ(s.position.top, 100);
    EXPECT_EQ(s.titleBar, std::nullopt);
}

TEST_F(ReaderTest, SlotValuesAreCutAtTheFirstExe) {
    const struct {
        const char* file;
        const char* slot1;
    } rows[] = {
        {"Path1:C:\\a.exe\\b.exe[CR][LF]", "C:\\a.exe"},
        {"Path1:C:\\a.bat[CR][LF]Path2:2.exe", "C:\\a.bat\r\nPath2:2.exe"},
        {"Path1:C:\\a.Exe", "C:\\a.Exe.exe"},
        {"Path1:C:\\a.EXE[CR][LF]", "C:\\a.exe"},
        {"Path1:", ".exe"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        put(bytes(row.file));
        EXPECT_EQ(toUtf8(readSlotPath(file, 1).value()), row.slot1);
    }
}

TEST_F(ReaderTest, MissingKeysLeaveTargetsAlone) {
    put("nothing here");
    EXPECT_EQ(readAllSettings(file), StoredSettings{});
}

TEST_F(ReaderTest, PositionIsClampedAndTitleBarIsSixteenBit) {
    put("X:99999Y:-40000T:1");
    const StoredPosition p = readPosition(file);
    EXPECT_EQ(p.left, 32767);
    EXPECT_EQ(p.top, -32768);
    put("X:1Y:2[CR][LF]T:70000[CR][LF]");
    EXPECT_THROW((void)readTitleBar(file), RuntimeError);
}

TEST_F(ReaderTest, UnreadableValuesStopWithAMessageNamingKeyAndValue) {
    const struct {
        const char* file;
        const char* message;
    } rows[] = {
        {"CL:0W:12a[CR][LF]Path1:1.exe", "'W:' value \"12a\\r\\n\" is not a number"},
        {"CL:x[CR][LF]W:1Path1:", "'CL:' value \"x\\r\\n\" is not a number"},
        {"Path3:X:\\tool.exe[CR][LF]X:1Y:2", "'X:' value \"\\tool.exe\\r\\n\" is not a number"},
        {"X:1Y:2[CR][LF]T:yes[CR][LF]", "'T:' value \"yes\\r\\n\" is not a number"},
        {"CL:0[CR][LF]Path1:a.exe[CR][LF]W:735", "'CL:' value ..."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        put(bytes(row.file));
        try {
            (void)readAllSettings(file);
            ADD_FAILURE() << "no error";
        } catch (const RuntimeError& e) {
            (void)e;
        }
    }
    // The messages themselves, for the readers that reach them first.
    put(bytes(rows[0].file));
    try {
        (void)readWidth(file);
    } catch (const RuntimeError& e) {
        EXPECT_STREQ(e.what(), rows[0].message);
    }
}

TEST_F(ReaderTest, AKeyBeyondTheSixteenBitSearchRangeIsNamed) {
    const struct {
        std::string file;
        const char* message;
    } rows[] = {
        {std::string(33000, ';') + "CL:0W:735", "Overflow: reading 'W:', setting.ini is searched beyond character 32767"},
        {"CL:0W:735Path1:C:\\" + std::string(33000, 'a') + ".exe",
         "Overflow: reading 'Path1:', setting.ini is searched beyond character 32767"},
        {"X:1Y:2" + std::string(33000, ' ') + "T:1", "Overflow: reading 'Y:', setting.ini is searched beyond character 32767"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.message);
        put(row.file);
        try {
            (void)readAllSettings(file);
            ADD_FAILURE() << "no error";
        } catch (const RuntimeError& e) {
            EXPECT_STREQ(e.what(), row.message);
        }
    }
}

TEST_F(ReaderTest, MissingFileIsFileNotFoundAndNotCreated) {
    try {
        (void)readWidth(file);
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_STREQ(e.what(), "File not found: /cfg/setting.ini");
    }
    EXPECT_TRUE(store.files.empty());
}

}  // namespace
}  // namespace quevor::testing
