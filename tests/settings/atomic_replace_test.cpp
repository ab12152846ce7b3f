#include "settings/atomic_replace.h"
#include "support/said.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "core/error.h"
#include "core/text.h"

namespace quevor::testing {
namespace {

// Files that earlier replaces ended midway left in the folder (the first two), and files that
// only look like them.
const std::vector<std::u16string> kFolder = {
    u".setting.ini.1230.tmp",   u".setting.ini.4294967295.tmp",
    u".setting.ini.1X.tmp",     u".setting.ini..tmp",
    u".setting.ini.12.tmp.bak", u".setting.ini.1.2.tmp",
    u".other.ini.1.tmp",        u"setting.ini.bak",
    u"setting.ini.7.tmp",       u"setting.ini"};

// The steps of a replace of "/cfg/setting.ini", logged: the first `taken` temporary names are
// taken already, and the commit can fail.
struct FakeSteps final : ReplaceSteps {
    int taken = 0;
    bool commitFails = false;
    std::string log;
    std::set<std::u16string> tried;
    std::u16string created;

    bool create(const std::u16string& temp, const std::u16string& target) override {
        const std::regex name(R"(/cfg[\\/]\.setting\.ini\.\d+\.tmp)");
        EXPECT_TRUE(std::regex_match(toUtf8(temp), name)) << toUtf8(temp);
        EXPECT_TRUE(tried.insert(created = temp).second) << "the same name twice";
        log += "create for " + toUtf8(target) + "; ";
        return taken-- <= 0;
    }
    void commit(const std::u16string& temp, const std::u16string& target,
                std::string_view bytes) override {
        log += (temp == created ? "commit " : "commit another ") + std::string(bytes) + " to " +
               toUtf8(target) + "; ";
        if (commitFails) fail("Disk full");
    }
    void discard(const std::u16string& temp) noexcept override {
        log += temp == created ? "discard; " : "discard another; ";
    }
    void flushFolder(const std::u16string& folder) noexcept override {
        log += "flush " + toUtf8(folder) + "; ";
    }
    std::vector<std::u16string> names(const std::u16string& folder) override {
        log += "names " + toUtf8(folder) + "; ";
        return kFolder;
    }
    void remove(const std::u16string& file) noexcept override {
        log += "remove " + toUtf8(folderOf(file)) + " " + toUtf8(file.substr(5)) + "; ";
    }
};

// A new temporary name for each one taken, sixteen at most; on any failure the target is not
// touched and nothing is removed; after a success the leftovers, and only they, are removed.
TEST(ReplaceAtomicallyTest, ANewNameForEachCollisionAndNothingTouchedOnAFailure) {
    const std::string commit = "commit new to /cfg/setting.ini; ";
    const std::string done = commit +
                             "flush /cfg; names /cfg; remove /cfg .setting.ini.1230.tmp; " +
                             "remove /cfg .setting.ini.4294967295.tmp; ";
    const struct {
        int taken;
        bool commitFails;
        std::string error, steps;  // error "": the replace succeeds; the steps after the creates
    } rows[] = {{0, false, "", done},
                {15, false, "", done},
                {16, false, said(Message::noTemporaryName, {"/cfg/setting.ini"}), ""},
                {0, true, "Disk full", commit + "discard; "}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.taken) + " taken, " + row.error);
        FakeSteps steps;
        steps.taken = row.taken;
        steps.commitFails = row.commitFails;
        std::string error;
        try {
            replaceAtomically(steps, u"/cfg/setting.ini", "new");
        } catch (const RuntimeError& e) {
            error = e.what();
        }
        EXPECT_EQ(error, row.error);
        std::string creates;
        for (int i = 0; i <= row.taken && i < 16; ++i) creates += "create for /cfg/setting.ini; ";
        EXPECT_EQ(steps.log, creates + row.steps);
    }
}

TEST(ReplaceAtomicallyTest, AFileInTheRootFolderOrTheCurrentOne) {
    EXPECT_EQ(folderOf(u"/setting.ini"), u"/");
    EXPECT_EQ(inFolder(u"/", u"setting.ini"), u"/setting.ini");
    EXPECT_EQ(folderOf(u"setting.ini"), u".");
}

}  // namespace
}  // namespace quevor::testing
