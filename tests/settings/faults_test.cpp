#include "fixture.h"

#include "core/error.h"

namespace quevor::testing {
namespace {

// A file on disk is acceptable when it is exactly one of the states the writers pass through:
// the original or the result of a completed cycle, and when the reader either takes all of it
// or refuses it with the one error type.
class FaultTest : public SettingsTest {
protected:
    void expectReadableOrCleanlyRefused() {
        try {
            (void)readAllSettings(file);
        } catch (const RuntimeError&) {
        }
    }
};

TEST_F(FaultTest, FailingTheNthWriteOfASaveLeavesTheLastCompletedState) {
    put(clearedFile());
    FakeBar bar;
    bar.load(readAllSettings(file));
    bar.addedPaths[1] = u"C:\\Tools\\edit.exe";
    bar.width = 1320;
    bar.addLeft = 585;

    MemoryStore reference = store;
    SettingsFile referenceFile(path, reference, *codec);
    FakeBar referenceBar = bar;
    saveSettings(referenceFile, referenceBar);
    const std::vector<std::string> states = reference.writes;
    ASSERT_EQ(states.size(), 19u);

    for (int n = 1; n <= static_cast<int>(states.size()); ++n) {
        SCOPED_TRACE(n);
        store.files.clear();
        store.writes.clear();
        put(clearedFile());
        store.failOnWrite = n;
        FakeBar live = bar;
        EXPECT_THROW(saveSettings(file, live), RuntimeError);
        EXPECT_EQ(disk(), n == 1 ? clearedFile() : states[static_cast<std::size_t>(n - 2)]);
        expectReadableOrCleanlyRefused();
    }
}

TEST_F(FaultTest, FailingTheNthWriteOfAClearLeavesTheLastCompletedState) {
    const std::string start = bytes(
        "CL:585[CR][LF]W:1320[CR][LF][CR]Path1:C:\\a.exe[CR][LF]Path2:2.exe[CR][LF]"
        "X:7Y:8[CR][LF][CR]T:1[CR][LF]");
    put(start);
    MemoryStore reference = store;
    clearSettings(SettingsFile(path, reference, *codec));
    const std::vector<std::string> states = reference.writes;
    ASSERT_EQ(states.size(), 18u);

    for (int n = 1; n <= static_cast<int>(states.size()); ++n) {
        SCOPED_TRACE(n);
        store.writes.clear();
        put(start);
        store.failOnWrite = n;
        EXPECT_THROW(clearSettings(file), RuntimeError);
        EXPECT_EQ(disk(), n == 1 ? start : states[static_cast<std::size_t>(n - 2)]);
        expectReadableOrCleanlyRefused();
    }
}

}  // namespace
}  // namespace quevor::testing
