#include <gtest/gtest.h>

#include <filesystem>

#include "platform/win32/long_path.h"

namespace quevor::win32 {
namespace {

// Only a full path takes the extended form; the system makes a path full before that.
TEST(LongPathTest, FullPathsTakeTheExtendedForm) {
    const struct {
        const wchar_t* path;
        const wchar_t* extended;
    } rows[] = {
        {LR"(C:\Tools\setting.ini)", LR"(\\?\C:\Tools\setting.ini)"},
        {LR"(d:\)", LR"(\\?\d:\)"},
        {LR"(\\server\share\bar\setting.ini)", LR"(\\?\UNC\server\share\bar\setting.ini)"},
        {LR"(\\?\C:\Tools\setting.ini)", LR"(\\?\C:\Tools\setting.ini)"},
        {LR"(\\?\UNC\server\share\setting.ini)", LR"(\\?\UNC\server\share\setting.ini)"},
        {LR"(\\.\pipe\name)", LR"(\\.\pipe\name)"},
        // Not full: the prefix would stop the system from completing them.
        {LR"(setting.ini)", LR"(setting.ini)"},
        {LR"(C:setting.ini)", LR"(C:setting.ini)"},
        {LR"(\Tools\setting.ini)", LR"(\Tools\setting.ini)"},
        {LR"(C:/Tools/setting.ini)", LR"(C:/Tools/setting.ini)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << std::filesystem::path(row.path).string());
        EXPECT_EQ(extendedPath(row.path), row.extended);
    }
    const std::wstring here = std::filesystem::current_path().native();
    const std::wstring folder = here.back() == L'\\' ? here : here + L"\\";
    EXPECT_EQ(extendedFullPath(u"sub/../setting.ini"), extendedPath(folder + L"setting.ini"));
    EXPECT_EQ(extendedFullPath(uR"(\\?\C:\a\..\b)"), LR"(\\?\C:\a\..\b)");
}

}  // namespace
}  // namespace quevor::win32
