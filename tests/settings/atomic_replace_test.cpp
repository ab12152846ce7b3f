#include "settings/atomic_replace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>

#include "core/error.h"
#include "core/text.h"

namespace quevor::testing {
namespace {

std::u16string nameOf(const std::u16string& path) { return path.substr(path.find_last_of(u"\\/") + 1); }

// The folder "/cfg" in memory, its files by name: the first `taken` temporary names are taken
// already, and the commit can fail. Every step is logged.
struct FakeSteps final : ReplaceSteps {
    std::map<std::u16string, std::string> files;
    int taken = 0;
    bool commitFails = false;
    std::vector<std::string> log;
    std::set<std::u16string> tried;
    std::u16string created;

    bool create(const std::u16string& temp, const std::u16string& target) override {
        EXPECT_TRUE(std::regex_match(toUtf8(temp), std::regex(R"(/cfg[\\/]\.setting\.ini\.\d+\.tmp)")));
        EXPECT_TRUE(tried.insert(temp).second) << "the same name twice";
        log.push_back("create " + toUtf8(target));
        if (taken-- > 0) return false;
        files[nameOf(created = temp)] = "";
        return true;
    }
    void commit(const std::u16string& temp, const std::u16string& target, std::string_view bytes) override {
        log.push_back(temp == created ? "commit" : "commit of another file");
        if (commitFails) fail("Disk full");
        files.erase(nameOf(temp));
        files[nameOf(target)] = bytes;
    }
    void discard(const std::u16string& temp) noexcept override {
        log.push_back(temp == created ? "discard" : "discard of another file");
        files.erase(nameOf(temp));
    }
    void flushFolder(const std::u16string& folder) noexcept override { log.push_back("flush " + toUtf8(folder)); }
    std::vector<std::u16string> names(const std::u16string& folder) override {
        log.push_back("names " + toUtf8(folder));
        std::vector<std::u16string> all;
        for (const auto& entry : files) all.push_back(entry.first);
        return all;
    }
    void remove(const std::u16string& file) noexcept override {
        log.push_back("remove " + toUtf8(folderOf(file)) + " " + toUtf8(nameOf(file)));
        files.erase(nameOf(file));
    }
};

// Files that earlier replaces ended midway left (the first two) and files that only look like
// them; and what a complete replace does after its commit.
const std::map<std::u16string, std::string> kFolder = {
    {u"setting.ini", "old"},      {u".setting.ini.1230.tmp", "a"}, {u".setting.ini.4294967295.tmp", "b"},
    {u".setting.ini.1X.tmp", "c"}, {u".setting.ini..tmp", "d"},     {u".setting.ini.12.tmp.bak", "e"},
    {u".other.ini.1.tmp", "f"},   {u"setting.ini.bak", "g"},       {u"setting.ini.7.tmp", "h"},
    {u".setting.ini.1.2.tmp", "i"}};
const std::vector<std::string> kCleared = {"flush /cfg", "names /cfg", "remove /cfg .setting.ini.1230.tmp",
                                           "remove /cfg .setting.ini.4294967295.tmp"};

TEST(ReplaceAtomicallyTest, ANewNameForEachCollisionAndTheOldFileKeptOnEveryFailure) {
    const struct {
        int taken;
        bool commitFails;
        std::string error;               // "": the replace succeeds
        std::vector<std::string> steps;  // after the creates
    } rows[] = {
        {0, false, "", {"commit"}},
        {15, false, "", {"commit"}},
        {16, false, "Cannot write /cfg/setting.ini: no temporary name free", {}},
        {0, true, "Disk full", {"commit", "discard"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.taken) + " taken, " + row.error);
        FakeSteps steps;
        steps.files = kFolder;
        steps.taken = row.taken;
        steps.commitFails = row.commitFails;
        std::string error;
        try {
            replaceAtomically(steps, u"/cfg/setting.ini", "new");
        } catch (const RuntimeError& e) {
            error = e.what();
        }
        EXPECT_EQ(error, row.error);
        std::vector<std::string> expected(std::min(row.taken + 1, 16), "create /cfg/setting.ini");
        expected.insert(expected.end(), row.steps.begin(), row.steps.end());
        std::map<std::u16string, std::string> left = kFolder;
        if (row.error.empty()) {
            expected.insert(expected.end(), kCleared.begin(), kCleared.end());
            left.erase(u".setting.ini.1230.tmp");
            left.erase(u".setting.ini.4294967295.tmp");
            left[u"setting.ini"] = "new";
        }
        EXPECT_EQ(steps.log, expected);
        EXPECT_EQ(steps.files, left);
    }
}

TEST(ReplaceAtomicallyTest, FolderOfAPath) {
    for (const std::u16string folder : {u".", u"/", u"/cfg"}) {
        EXPECT_EQ(folderOf(inFolder(folder, u"setting.ini")), folder) << toUtf8(folder);
    }
    EXPECT_EQ(folderOf(u"setting.ini"), u".");
    EXPECT_EQ(inFolder(u"/", u"setting.ini"), u"/setting.ini");
}

}  // namespace
}  // namespace quevor::testing
