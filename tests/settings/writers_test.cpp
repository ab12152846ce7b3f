#include "fixture.h"

#include <fstream>
#include <limits>

#include "core/error.h"

namespace quevor::testing {
namespace {

class WritersTest : public SettingsTest {
protected:
    FakeBar bar;

    // A start-up: what the bar knows about the file's slots.
    void startUp() { bar.load(readAllSettings(file)); }
};

TEST_F(WritersTest, TwoAddsOnAClearedBarSaveTheTwoHundredEightyOneByteFileAndTheNextRunKeepsIt) {
    put(clearedFile());
    startUp();
    bar.addedPaths[1] = u"C:\\Tools\\edit.exe";
    bar.addedPaths[2] = u"D:\\Games\\play.exe";
    bar.addLeft = 1170;
    bar.width = 1905;

    saveSettings(file, bar);
    EXPECT_EQ(disk().size(), 281u);
    for (int save = 1; save <= 2; ++save) {  // and the next run, unchanged, keeps every byte
        EXPECT_EQ(disk(), workedExampleFile()) << save;
        FakeBar next;
        next.load(readAllSettings(file));
        next.addLeft = 1170;
        next.width = 1905;
        saveSettings(file, next);
    }
}

// The record cycles run on the text in memory; the file is replaced once, or not at all.
TEST_F(WritersTest, AQuitAndAClearEachWriteOnceAndAFailedWriteLeavesTheFile) {
    const struct {
        const char* name;
        void (*run)(const SettingsFile&);
    } rows[] = {
        {"quit", [](const SettingsFile& f) { FakeBar live; live.width = 1320; saveSettings(f, live); }},
        {"clear", [](const SettingsFile& f) { clearSettings(f); }},
    };
    for (const auto& row : rows) {
        for (const bool failing : {false, true}) {
            SCOPED_TRACE(std::string(row.name) + (failing ? ", write fails" : ""));
            store.writes.clear();
            put(workedExampleFile());
            store.failOnWrite = failing ? 1 : 0;
            if (failing) {
                EXPECT_THROW(row.run(file), RuntimeError);
                EXPECT_EQ(disk(), workedExampleFile());
            } else {
                row.run(file);
                EXPECT_EQ(store.writes, std::vector<std::string>{disk()});
            }
        }
    }
}

TEST_F(WritersTest, ProgramChosenThisRunWinsAndOthersKeepTheirStoredPath) {
    put(workedExampleFile());
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
    put(workedExampleFile());
    clearSettings(file);
    EXPECT_EQ(disk(), clearedFile());
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

// Each save is checked by what the next start-up reads, plus the bytes that show how it wrote.
TEST_F(WritersTest, TheSavedEdgesTitleBarAndUntouchedRecords) {
    const struct {
        const char* name;
        void (*live)(FakeBar&);
        float width;
        int16 left, top;
        int titleBar;
        std::string written;  // found in the file, once
    } rows[] = {
        {"an unmoved cleared bar leaves CL and W as they stand", [](FakeBar&) {}, 735, 100, 100, 0,
         bytes("CL:0W:735[CR]Path1:1.exe")},
        {"a hidden title bar saves the width plus 120 and T:1",
         [](FakeBar& b) { b.hidden = 1; b.width = 1785; b.left = -120; }, 1905, -120, 100, 1,
         "X:-120Y:100"},
        {"without the clear item only the position and title bar are written",
         [](FakeBar& b) { b.clearVisible = false; b.left = 300; }, 735, 300, 100, 0, "X:300Y:100"},
        {"edges beyond sixteen bits are clamped", [](FakeBar& b) { b.left = 50000; b.top = -70000; },
         735, 32767, -32768, 0, "X:32767Y:-32768"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        put(clearedFile());
        bar = FakeBar();
        startUp();
        row.live(bar);
        saveSettings(file, bar);
        EXPECT_EQ(bar.width, row.width);  // a hidden bar is widened by the save itself
        const StoredSettings s = readAllSettings(file);
        EXPECT_EQ(s.width, row.width);
        EXPECT_EQ(s.position.left, row.left);
        EXPECT_EQ(s.position.top, row.top);
        EXPECT_EQ(s.titleBar, row.titleBar);
        EXPECT_EQ(disk().find(row.written), disk().rfind(row.written));
        EXPECT_NE(disk().find(row.written), std::string::npos);
    }
}

// Damaged files: no file at all, and each of the fuzz seeds (the file of a lost program among
// them: a loaded "path" that holds a key text, and a program added beside it), saved with a bar that holds
// two programs, with an empty bar, and with the bar start-up made of it plus one program added.
// The save either leaves a file from which start-up reads every program and that the next quit
// leaves byte for byte, or stops with an error and leaves the file as it was.
TEST_F(WritersTest, ASaveOnADamagedFileKeepsEveryProgramAndSettlesOrLeavesTheFile) {
    std::vector<std::pair<std::string, std::optional<std::string>>> rows = {{"file gone", std::nullopt}};
    for (const auto& seed : std::filesystem::directory_iterator(QUEVOR_SETTINGS_CORPUS)) {
        std::ifstream in(seed.path(), std::ios::binary);
        rows.emplace_back(seed.path().filename().string(), std::string(std::istreambuf_iterator<char>(in), {}));
    }
    ASSERT_GE(rows.size(), 25u);  // the seeds were found

    for (const auto& [name, content] : rows) {
        for (const std::string variant : {"two programs", "empty bar", "as loaded, one added"}) {
            SCOPED_TRACE(name + ", " + variant);
            store.files.clear();
            if (content) put(*content);
            FakeBar live;
            live.width = 1905;
            live.addLeft = 1170;
            int added = 0;
            if (variant == "two programs") {
                live.loadedPaths[1] = u"C:\\Tools\\edit.exe";
                live.addedPaths[15] = u"Z:\\last.exe";
            } else if (variant == "as loaded, one added") {
                try {
                    live.load(readAllSettings(file));
                } catch (const RuntimeError&) {
                    continue;  // start-up stops: no bar, no quit
                }
                while (++added <= 15 && !isPlaceholderOrEmpty(live.loadedPaths[added], added)) {}
                if (added > 15) continue;
                live.addedPaths[added] = u"C:\\new\\added.exe";
            }
            const FakeBar before = live;
            try {
                saveSettings(file, live);
            } catch (const RuntimeError& e) {
                EXPECT_EQ(store.files.count(path) ? std::optional(disk()) : std::nullopt, content) << e.what();
                continue;
            }
            const StoredSettings s = readAllSettings(file);
            EXPECT_EQ(s.width, 1905.0f);
            EXPECT_EQ(s.addButtonLeft, 1170.0f);
            EXPECT_EQ(s.position.left, 100);
            EXPECT_EQ(s.titleBar, 0);
            for (int n = 1; n <= 15; ++n) {
                const auto& want = before.addedPaths[n].empty() ? before.loadedPaths[n] : before.addedPaths[n];
                // Only a loaded "path" no file can hold (a key or marker text in it) may be left out.
                if (added != 0 && n != added && s.slotPaths[n - 1] == placeholder(n)) continue;
                EXPECT_EQ(s.slotPaths[n - 1], want.empty() ? placeholder(n) : want) << n;
            }
            const std::string saved = disk();
            FakeBar again = before;
            saveSettings(file, again);
            EXPECT_EQ(disk(), saved);
        }
    }
}

// Live values no file can hold: nothing is written, the window keeps its width, and the message
// says so.
TEST_F(WritersTest, ASaveThatCannotBeVerifiedWritesNothing) {
    put(workedExampleFile());
    bar.hidden = 1;
    bar.width = std::numeric_limits<float>::infinity();
    try {
        saveSettings(file, bar);
        ADD_FAILURE() << "the save completed";
    } catch (const SaveNotVerified& e) {
        EXPECT_NE(std::string(e.what()).find("could not be verified"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("left as it was"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(store.writes.empty());
    EXPECT_EQ(bar.width, std::numeric_limits<float>::infinity());
}

}  // namespace
}  // namespace quevor::testing
