#include <limits>

#include "core/error.h"
#include "core/text.h"
#include "fixture.h"
#include "settings/save_records.h"

namespace quevor::testing {
namespace {

class WritersTest : public SettingsTest {
  protected:
    SaveValues bar = loadedBar();
};

TEST_F(WritersTest, TwoAddsOnAClearedBarSaveTheTwoHundredEightyOneByteFileAndTheNextRunKeepsIt) {
    put(clearedFile());
    bar = loadedBar(startUpReads(file));
    bar.paths[0] = u"C:\\Tools\\edit.exe";
    bar.paths[1] = u"D:\\Games\\play.exe";
    bar.addButtonLeft = 1170;
    bar.width = 1905;
    for (int save = 1; save <= 2; ++save) {  // the next run, unchanged, keeps every byte
        saveSettings(file, bar);
        EXPECT_EQ(disk(), workedExampleFile()) << save;
        bar = loadedBar(startUpReads(file));
    }
}

// The record cycles run on the text in memory; the file is replaced once, or not at all. A quit
// without a file starts from the cleared state; a clear without one stops. A quit of values no
// file can hold says so. (A file that cannot be read is for the seed replay: bom.ini.)
TEST_F(WritersTest, AQuitAndAClearEachWriteOnceOrLeaveTheFile) {
    for (const bool clearing : {false, true}) {
        for (const std::string fault : {"", "write fails", "file gone", "not verified"}) {
            SCOPED_TRACE((clearing ? "clear " : "quit ") + fault);
            store.writes.clear();
            const std::string before = workedExampleFile();
            put(before);
            store.failOnWrite = fault == "write fails" ? 1 : 0;
            if (fault == "file gone") store.files.clear();
            bar.width = fault == "not verified" ? std::numeric_limits<float>::infinity() : 1320;
            try {
                clearing ? clearSettings(file) : saveSettings(file, bar);
                EXPECT_TRUE(fault.empty() || fault == (clearing ? "not verified" : "file gone"));
                EXPECT_EQ(store.writes, std::vector<std::string>{disk()});
                continue;
            } catch (const RuntimeError& e) {
                const bool unverified = dynamic_cast<const SaveNotVerified*>(&e) != nullptr;
                EXPECT_EQ(unverified, fault == "not verified");
            }
            EXPECT_TRUE(store.writes.empty());
            EXPECT_EQ(store.files.count(path) ? disk() : "", fault == "file gone" ? "" : before);
        }
    }
}

// A clear edits the records in place, which keeps what stands outside them; a hand-edited file
// whose result start-up would not read as the cleared bar (programs or placeholders shifted into
// other slots, a value that is no number) becomes the cleared file instead.
TEST_F(WritersTest, ClearingGivesTheClearedBarAndKeepsWhatIsOutsideTheRecords) {
    const auto edited = [](const std::string& from, const std::string& to) {
        return toUtf8(
            replaceAll(fromUtf8(workedExampleFile()), fromUtf8(bytes(from)), fromUtf8(bytes(to))));
    };
    // clang-format off
    const struct { const char* name; std::string before, after; } rows[] = {
        {"two programs", workedExampleFile(), clearedFile()},
        {"the cleared file", clearedFile(), clearedFile()},
        {"text before CL, slot 15 taken", "; mine\r\n" + edited("Path15:15", "Path15:C:\\o"),
         "; mine\r\n" + clearedFile()},
        {"a slot twice", edited("Path3:", "Path2:C:\\b.exe[CR][LF]Path3:"), clearedFile()},
        {"T before X", edited("X:100Y:100[CR][LF][CR]T:0", "T:0[CR][LF]X:100Y:100"), clearedFile()},
        {"a path on W:", edited("D:\\Games", "W:\\Games"), clearedFile()},
        {"a path holding ===", edited("D:\\Games", "D:\\a===b"), clearedFile()},
        {"W twice", edited("W:1905", "W:1905[CR][LF]W:1905"), clearedFile()},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        put(row.before);
        clearSettings(file);
        EXPECT_EQ(shownBytes(disk()), shownBytes(row.after));
    }
}

// Each save is checked by the position the next start-up reads, plus the bytes that show how it
// wrote (what else it reads back is for the seed replay's quits).
TEST_F(WritersTest, TheSavedEdgesAndUntouchedRecords) {
    const struct {
        const char* name;
        void (*live)(SaveValues&);
        float left, top;
        std::string written;  // found in the file, once
        // clang-format off
    } rows[] = {
        {"an unmoved cleared bar leaves CL and W as they stand", [](SaveValues&) {}, 100, 100,
         bytes("CL:0W:735[CR]Path1:1.exe")},
        {"after a clear only the position and title bar are written",
         [](SaveValues& b) { b.cleared = true; b.left = 300; }, 300, 100, "X:300Y:100"},
        {"a loaded path no file can hold is left out, the rest is saved",
         [](SaveValues& b) {
             b.paths[1] = u"D:\\X:5Y:5\\a.exe";
             b.paths[14] = u"D:\\X:5Y:5\\b.exe";
             b.paths[0] = u"C:\\a.exe";
         },
         100, 100, bytes("Path1:C:\\a.exe[CR][LF]Path2:2.exe[CR][LF]")},
        {"edges at the ends of sixteen bits", [](SaveValues& b) { b.left = 32767; b.top = -32768; },
         32767, -32768, "X:32767Y:-32768"},
        {"edges beyond sixteen bits are saved as they are", [](SaveValues& b) { b.left = 50000; b.top = -70000.5f; },
         50000, -70000, "X:50000Y:-70000.5"},
        {"edges beyond the limit are pulled to it", [](SaveValues& b) { b.left = -3e7f; b.top = 1e9f; },
         -kEdgeLimit, kEdgeLimit, "X:-16777216Y:16777216"},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        put(clearedFile());
        bar = loadedBar(startUpReads(file));
        row.live(bar);
        saveSettings(file, bar);
        EXPECT_EQ(startUpReads(file).position, (StoredPosition{row.left, row.top}));
        EXPECT_EQ(disk().find(row.written), disk().rfind(row.written));
        EXPECT_NE(disk().find(row.written), std::string::npos);
    }
}

// The slot cycles' cuts, seen where a damaged file holds a slot key's text ahead of the slots.
TEST(SaveRecordsTest, SlotsUpToTwoStopAtTheNextKeyAndSlotsFromTenKeepWhatFollows) {
    // clang-format off
    const struct { const char* start; const char* text; bool kept; } rows[] = {
        // Slot 1's old value stops at "Path2": "Path1x[CR][LF]", whose copy in front goes too.
        {"Path1x[CR][LF]CL:0W:735Path1:x[CR][LF]Path2:2.exe", "Path1x", false},
        // Slot 10's old value stops at the "---" in front; what follows it stays behind slot 15.
        {"Path10:x---y[CR][LF]CL:0W:735Path1:1.exe", "Path16:16.exe---y[CR][LF]CL:0W:735[CR]", true},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.start);
        const std::string saved = toUtf8(saveRecords(fromUtf8(bytes(row.start)), loadedBar()).text);
        EXPECT_EQ(saved.find(bytes(row.text)) != std::string::npos, row.kept) << shownBytes(saved);
    }
}

}  // namespace
}  // namespace quevor::testing
