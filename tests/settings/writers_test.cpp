#include "fixture.h"

#include "core/error.h"

namespace quevor::testing {
namespace {

// The file after two programs were added to a cleared bar and the user chose quit.
std::string twoProgramsFile() {
    std::string out =
        "CL:1170[CR][LF]W:1905[CR][LF][CR]Path1:C:\\Tools\\edit.exe[CR][LF]"
        "Path2:D:\\Games\\play.exe[CR][LF]";
    for (int n = 3; n <= 14; ++n) {
        out += "Path" + std::to_string(n) + ":" + std::to_string(n) + ".exe[CR][LF]";
    }
    out += "Path15:15.exePath16:16.exe[CR][LF][CR]X:100Y:100[CR][LF][CR]T:0[CR][LF]";
    return bytes(out);
}

class WritersTest : public SettingsTest {
protected:
    FakeBar bar;

    // A start-up: what the bar knows about the file's slots.
    void startUp() { bar.load(readAllSettings(file)); }
};

TEST_F(WritersTest, TwoAddsOnAClearedBarSaveTheTwoHundredEightyOneByteFile) {
    put(clearedFile());
    startUp();
    bar.addedPaths[1] = u"C:\\Tools\\edit.exe";
    bar.addedPaths[2] = u"D:\\Games\\play.exe";
    bar.addLeft = 1170;
    bar.width = 1905;

    saveSettings(file, bar);
    EXPECT_EQ(disk(), twoProgramsFile());
    EXPECT_EQ(disk().size(), 281u);
    // The first two cycles, as they pass through the disk.
    EXPECT_EQ(store.writes[0].rfind(bytes("CL:0W:1905[CR][LF]Path1:1.exe[CR][LF]Path2:"), 0), 0u);
    EXPECT_EQ(store.writes[1].rfind(bytes("CL:1170[CR][LF]W:1905[CR][LF]Path1:"), 0), 0u);
}

TEST_F(WritersTest, SavingAnUnchangedBarGivesTheSameBytes) {
    put(twoProgramsFile());
    startUp();
    bar.addLeft = 1170;
    bar.width = 1905;
    saveSettings(file, bar);
    EXPECT_EQ(disk(), twoProgramsFile());
    FakeBar again = bar;
    saveSettings(file, again);
    EXPECT_EQ(disk(), twoProgramsFile());
}

TEST_F(WritersTest, SavingTheClearedStateUnmovedLeavesClAndWUntouched) {
    put(clearedFile());
    startUp();
    saveSettings(file, bar);
    EXPECT_EQ(disk().rfind(bytes("CL:0W:735[CR]Path1:1.exe"), 0), 0u);
    const StoredSettings s = readAllSettings(file);
    EXPECT_EQ(s.width, 735.0f);
    EXPECT_EQ(s.addButtonLeft, 0.0f);
    EXPECT_EQ(s.titleBar, 0);
}

TEST_F(WritersTest, HiddenTitleBarSavesWidthPlus120AndT1) {
    put(clearedFile());
    startUp();
    bar.hidden = 1;
    bar.width = 1785;
    bar.left = -120;
    saveSettings(file, bar);
    EXPECT_EQ(bar.width, 1905.0f);
    const StoredSettings s = readAllSettings(file);
    EXPECT_EQ(s.width, 1905.0f);
    EXPECT_EQ(s.titleBar, 1);
    EXPECT_EQ(s.position.left, -120);
    EXPECT_NE(disk().find("X:-120Y:100"), std::string::npos);
}

TEST_F(WritersTest, ProgramChosenThisRunWinsAndOthersKeepTheirStoredPath) {
    put(twoProgramsFile());
    startUp();
    bar.addedPaths[2] = u"E:\\new.exe";
    bar.addedPaths[3] = u"F:\\third.exe";
    saveSettings(file, bar);
    const StoredSettings s = readAllSettings(file);
    EXPECT_EQ(s.slotPaths[0], u"C:\\Tools\\edit.exe");
    EXPECT_EQ(s.slotPaths[1], u"E:\\new.exe");
    EXPECT_EQ(s.slotPaths[2], u"F:\\third.exe");
    EXPECT_EQ(s.slotPaths[3], u"4.exe");
    EXPECT_NE(disk().find("Path15:15.exePath16:16.exe"), std::string::npos);
}

TEST_F(WritersTest, ClearingTheTwoProgramFileGivesTheClearedState) {
    put(twoProgramsFile());
    clearSettings(file);
    EXPECT_EQ(disk(), clearedFile());
    EXPECT_EQ(store.writes.size(), 18u);
    clearSettings(file);
    EXPECT_EQ(disk(), clearedFile());
    EXPECT_EQ(clearedFile(), toUtf8(clearedStateText()) + "\r\n");
}

TEST_F(WritersTest, ClearingFilesOutsideTheLayout) {
    const std::string tail = "Path15:15.exePath16:16.exe[CR][LF][CR]X:100Y:100[CR][LF]";
    std::string middle;
    for (int n = 4; n <= 14; ++n) {
        middle += "Path" + std::to_string(n) + ":" + std::to_string(n) + ".exe[CR][LF]";
    }
    const std::string seventeenAdditions = [] {
        std::string s;
        for (int i = 0; i < 17; ++i) s += "[CR][CR][LF]";
        return s;
    }();
    const struct {
        const char* name;
        std::string before;
        std::string after;
    } rows[] = {
        {"EXE in slot 2",
         "CL:0[CR][LF]W:9[CR][LF][CR]Path1:a.exe[CR][LF]Path2:b.EXE[CR][LF]Path3:c.exe[CR][LF]" +
             middle + tail + "[CR]T:1[CR][LF]",
         "CL:0W:735Path1:1.exe[CR][LF]Path2:2.exe[CR][LF]" + middle + tail},
        {"W before CL",
         "W:9[CR][LF]CL:5[CR][LF]Path1:a.exe[CR][LF]Path2:2.exe[CR][LF]Path3:3.exe[CR][LF]" +
             middle + tail,
         "W:735Path1:1.exe[CR][LF]Path2:2.exe[CR][LF]Path3:3.exe[CR][LF]" + middle + tail},
        {"no Path1", "CL:0[CR][LF]W:9[CR][LF]X:1Y:2[CR][LF]T:0[CR][LF]",
         "CL:0W:735" + seventeenAdditions},
        {"T before X", "CL:0W:735Path1:a.exe[CR][LF]T:1[CR][LF]X:5Y:5[CR][LF]",
         "CL:0W:735Path1:1.exe[CR][LF]T:1[CR][LF]X:100Y:100[CR][LF]"},
        {"text before CL", "; mine[CR][LF]CL:1[CR][LF]W:2[CR][LF]Path1:a.exe[CR][LF]X:1Y:1",
         "; mine[CR][LF]CL:0W:735Path1:1.exe[CR][LF]X:100Y:100[CR][LF]"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        put(bytes(row.before));
        clearSettings(file);
        EXPECT_EQ(disk(), bytes(row.after));
    }
}

TEST_F(WritersTest, APositionRecordIsNeverWrittenTwice) {
    put(clearedFile());
    bar.clearVisible = false;  // only the position and title-bar records are written
    bar.left = 300;
    saveSettings(file, bar);
    EXPECT_EQ(disk().find("X:"), disk().rfind("X:"));
    const StoredSettings s = readAllSettings(file);
    EXPECT_EQ(s.position.left, 300);
    EXPECT_EQ(s.titleBar, 0);
}

TEST_F(WritersTest, EdgesBeyondSixteenBitsAreClampedAndTheSaveCompletes) {
    put(clearedFile());
    startUp();
    bar.left = 50000;
    bar.top = -70000;
    saveSettings(file, bar);
    const StoredSettings s = readAllSettings(file);
    EXPECT_EQ(s.position.left, 32767);
    EXPECT_EQ(s.position.top, -32768);
    EXPECT_EQ(s.titleBar, 0);
}

TEST_F(WritersTest, ASaveWithoutTheLayoutStartsFromTheClearedStateAndKeepsEveryProgram) {
    const struct {
        const char* name;
        std::optional<std::string> file;
    } rows[] = {
        {"file gone", std::nullopt},
        {"no W", "CL:0[CR][LF]Path1:1.exe[CR][LF]"},
        {"no CL", "W:735Path1:1.exe"},
        {"slots out of order", "CL:0W:735Path2:2.exePath1:1.exe"},
        {"empty", ""},
        {"every record twice", twoProgramsFile() + twoProgramsFile()},
        {"the width record twice",
         bytes("CL:1170[CR][LF]W:1;2[CR][LF]") + twoProgramsFile().substr(9)},
        {"records doubled and cut (found by fuzzing)", [] {
             const std::string slots =
                 "Path1:C:\\Tools\\edit.exe[CR][LF]Path2:D:\\Games\\play.exe[CR][LF]Path3:3.exe[CR][LF]"
                 "Path4:4.exe[CR][LF]Path5:5.exe[CR][LF]Path6:6.exe[CR][LF]Path7:7.exe[CR][LF]"
                 "Path8:8.exe[CR][LF]";
             const std::string tail =
                 "Path9:9.exe[CR][LF]Path10:10.exe[CR][LF]Path11:11.exe[CR][LF]Path12:12.e";
             const std::string end =
                 "[CR][LF]Path13:13.exe[CR][LF]Path14:14.exe[CR][LF]Path15:15.exePath16:1.exe[CR][LF]";
             return bytes("CL:1170[CR][LF]W:1" + std::string(271, ';') + "2340[CR][LF]W:1905[CR][LF][CR]" +
                          slots + tail + std::string(359, ';') + "xe" + end + tail + std::string(241, ';') +
                          end + tail + std::string(437, ';') + "1170[CR][LF]W:1905[CR][LF][CR]" + slots +
                          tail + std::string(170, ';'));
         }()},
        {"a marker in the text", "CL:0W:735===Path1:1.exePath2:2.exe"},
        // Found by fuzzing: start-up reads these from the text before "CL:", and the save,
        // which keeps that text, cut every record away at its "X:".
        {"position before CL", "X:5Y:6T:1T:CL:0W:735Path1:1.exe[CR][LF]Path2:2.exe[CR][LF]Path3:3.exe"
                               "Path4:4.exePath5:5.exePath6:6.exePath7:7.exePath8:8.exePath9:9.exe"
                               "Path10:10.exePath11:11.exePath12:12.exePath13:13.exePath14:14.exe"
                               "Path15:15.exe"},
        {"marker before CL", "a==b[CR][LF]CL:0W:735Path1:1.exePath2:2.exePath3:3.exe"
                             "Path4:4.exePath5:5.exePath6:6.exePath7:7.exePath8:8.exePath9:9.exe"
                             "Path10:10.exePath11:11.exePath12:12.exePath13:13.exePath14:14.exe"
                             "Path15:15.exe"},
    };
    for (const auto& row : rows) {
        for (const bool withPrograms : {true, false}) {
            SCOPED_TRACE(std::string(row.name) + (withPrograms ? ", with programs" : ", empty bar"));
            store.files.clear();
            if (row.file) put(bytes(*row.file));
            FakeBar live;
            if (withPrograms) {
                live.loadedPaths[1] = u"C:\\Tools\\edit.exe";
                live.addedPaths[15] = u"Z:\\last.exe";
            }
            live.width = 1905;
            live.addLeft = 1170;
            saveSettings(file, live);

            const StoredSettings s = readAllSettings(file);
            EXPECT_EQ(s.width, 1905.0f);
            EXPECT_EQ(s.addButtonLeft, 1170.0f);
            EXPECT_EQ(s.slotPaths[0], withPrograms ? u"C:\\Tools\\edit.exe" : u"1.exe");
            EXPECT_EQ(s.slotPaths[7], u"8.exe");
            EXPECT_EQ(s.slotPaths[14], withPrograms ? u"Z:\\last.exe" : u"15.exe");
            EXPECT_EQ(s.position.left, 100);
            EXPECT_EQ(s.titleBar, 0);
        }
    }
}

// Found by fuzzing: a width stored without a line break whose text also stands in the slot keys
// ("1" in "Path1:") once took those digits out of every key, and the file no longer loaded.
TEST_F(WritersTest, ANewWidthReplacesOnlyTheValueBehindItsKey) {
    for (const char* old : {"1", "5", "10", "16", "735"}) {
        SCOPED_TRACE(old);
        std::string text = clearedFile();
        text.replace(text.find("W:735"), 5, std::string("W:") + old);
        store.files.clear();
        put(text);
        startUp();
        bar.addedPaths[1] = u"C:\\Tools\\edit.exe";
        bar.width = 1320;
        saveSettings(file, bar);

        const StoredSettings s = readAllSettings(file);
        EXPECT_EQ(s.width, 1320.0f);
        EXPECT_EQ(s.slotPaths[0], u"C:\\Tools\\edit.exe");
        for (int n = 2; n <= 15; ++n) EXPECT_EQ(s.slotPaths[n - 1], placeholder(n)) << n;
    }
}

}  // namespace
}  // namespace quevor::testing
