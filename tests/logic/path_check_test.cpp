#include "slots/path_check.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

#include "core/text.h"
#include "settings/codec.h"
#include "settings/layout.h"
#include "settings/reader.h"
#include "settings/writers.h"
#include "support/memory_store.h"
#include "support/settings_text.h"

namespace quevor::testing {
namespace {

class PathCheckTest : public ::testing::Test {
  protected:
    std::unique_ptr<TextCodec> codec = makeSystemCodec("CP932");
    bool accepted(const std::u16string& path) { return !checkStorablePath(path, *codec); }
};

TEST_F(PathCheckTest, RefusesWhatTheFileCannotHold) {
    const std::u16string refused[] = {
        u"W:\\a.exe",
        u"X:\\a.exe",
        u"Y:\\a.exe",
        u"T:\\a.exe",
        u"C:\\CL:\\a.exe",
        u"C:\\Path7:\\a.exe",
        u"C:\\Path16:a.exe",
        u"C:\\a=b.exe",
        u"C:\\a---b.exe",
        u"C:\\old.exe\\a.exe",
        u"C:\\a.exe.bak\\b.exe",
        u"C:\\OLD.EXE\\a.exe",
        u"C:\\a.txt",
        u"C:\\a.ex",
        u"C:\\a.exe ",
        u"7.exe",
        u"16.exe",
        u"?.exe",
        u"C:\\a\tb.exe",
        u"C:\\\u00e9.exe",
        u"C:\\\xD800.exe",
        u"",
    };
    for (const auto& path : refused) {
        SCOPED_TRACE(toUtf8(path));
        const auto reason = checkStorablePath(path, *codec);
        ASSERT_TRUE(reason.has_value());
        EXPECT_FALSE(reason->empty());
    }
    EXPECT_FALSE(accepted(u"C:\\" + std::u16string(253, u'a') + u".exe"));  // 260 characters
}

TEST_F(PathCheckTest, AcceptsOrdinaryProgramPaths) {
    const std::u16string fine[] = {
        u"C:\\Tools\\edit.exe",
        u"D:\\Games\\PLAY.EXE",
        u"C:\\Program Files\\a b\\c.Exe",
        u"\\\\server\\share\\tool.exe",
        u"C:\\ツール\\表計算.exe",
        u"c:\\x-y\\w.exe",
        u"C:\\" + std::u16string(252, u'a') + u".exe",  // 259 characters
        u"C:\\Path2\\x.exe",
    };
    for (const auto& path : fine) {
        SCOPED_TRACE(toUtf8(path));
        EXPECT_TRUE(accepted(path));
    }
    EXPECT_EQ(storedPathFor(u"C:\\A\\B.EXE"), u"C:\\A\\B.exe");
    EXPECT_EQ(storedPathFor(u"C:\\A\\B.eXe"), u"C:\\A\\B.exe");
    EXPECT_EQ(storedPathFor(u"C:\\A\\B.exe"), u"C:\\A\\B.exe");
}

// The live values of a bar whose slots hold the given paths.
struct Bar : FakeBar {
    Bar() {
        width = 2370;
        addLeft = 1755;
        left = -120;
        top = 480;
    }
};

// Paths built from pieces that are ordinary, near the file's keys and markers, or not ASCII.
std::u16string randomPath(std::mt19937& random) {
    static const std::vector<std::u16string> starts = {u"C:\\", u"D:\\",         u"W:\\",
                                                       u"x:\\", u"\\\\srv\\s\\", u""};
    static const std::vector<std::u16string> pieces = {u"Tools",  u"Program Files",
                                                       u"Path2",  u"Path1",
                                                       u"Path15", u"Path",
                                                       u"CL",     u"W",
                                                       u"X",      u"T",
                                                       u"L:",     u"a:b",
                                                       u"==",     u"=",
                                                       u"--",     u"-",
                                                       u"---",    u"a.exe",
                                                       u"B.EXE",  u".ex",
                                                       u"exe",    u"ツール",
                                                       u"表",     u"\u00e9",
                                                       u" ",      u"..",
                                                       u"16.exe", u"1",
                                                       u"\r\n",   u"Y:",
                                                       u":",      u"X:",
                                                       u"T:",     u"CL:",
                                                       u"W:",     u"Path3:",
                                                       u"a---b",  u"x=y"};
    static const std::vector<std::u16string> ends = {u".exe", u".exe", u".EXE",
                                                     u".Exe", u".txt", u""};
    auto pick = [&](const std::vector<std::u16string>& from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
    };
    std::u16string path = pick(starts);
    const int count = std::uniform_int_distribution<int>(0, 4)(random);
    for (int i = 0; i < count; ++i) {
        path += pick(pieces);
        if (random() % 2) path += u"\\";
    }
    return path + pick(pieces) + pick(ends);
}

// Saves the bar into a file in the cleared layout, reads it back, saves what was read:
// the second file must equal the first byte for byte. Clearing it then gives the cleared file.
void expectRoundTrip(Bar bar, const TextCodec& codec) {
    MemoryStore store;
    const std::u16string path = u"/cfg/setting.ini";
    const SettingsFile file(path, store, codec);
    file.writeSettingsText(clearedStateText());

    saveSettings(file, bar);
    const std::string first = store.files[path];
    const StoredSettings read = readAllSettings(file);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const auto& expected = bar.addedPaths[static_cast<std::size_t>(slot)];
        EXPECT_EQ(read.slotPaths[slot - 1], expected.empty() ? placeholder(slot) : expected)
            << "slot " << slot;
    }
    EXPECT_EQ(read.width, bar.width);
    EXPECT_EQ(read.addButtonLeft, bar.addLeft);
    EXPECT_EQ(read.position.left, bar.left);
    EXPECT_EQ(read.position.top, bar.top);
    EXPECT_EQ(read.titleBar, bar.hidden);

    Bar again = bar;
    for (int slot = 1; slot <= kSlotCount; ++slot)
        again.addedPaths[static_cast<std::size_t>(slot)] = *read.slotPaths[slot - 1];
    saveSettings(file, again);
    EXPECT_EQ(store.files[path], first);

    // And clearing takes it back to the cleared state.
    clearSettings(file);
    EXPECT_EQ(file.readSettingsText(), clearedStateText() + u"\r\n");
}

TEST_F(PathCheckTest, EveryAcceptedPathSurvivesSaveLoadSaveInEverySlot) {
    std::mt19937 random(20261206);
    int acceptedCount = 0;
    for (int round = 0; round < 1500; ++round) {
        const std::u16string chosen = randomPath(random);
        if (!accepted(chosen)) continue;
        ++acceptedCount;
        const std::u16string stored = storedPathFor(chosen);
        SCOPED_TRACE(toUtf8(stored));
        Bar alone;  // in one slot, the others empty
        alone.addedPaths[static_cast<std::size_t>(acceptedCount % kSlotCount + 1)] = stored;
        expectRoundTrip(alone, *codec);
        if (acceptedCount % 5 == 0) {
            Bar everywhere;  // in every slot at once
            for (int slot = 1; slot <= kSlotCount; ++slot)
                everywhere.addedPaths[static_cast<std::size_t>(slot)] = stored;
            expectRoundTrip(everywhere, *codec);
        }
        if (HasFailure()) break;
    }
    EXPECT_GT(acceptedCount, 200);  // the generator must reach the accepting side often
}

}  // namespace
}  // namespace quevor::testing
