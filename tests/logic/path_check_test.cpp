#include "slots/path_check.h"

#include <gtest/gtest.h>

#include "core/messages.h"
#include "core/text.h"
#include "settings/codec.h"

namespace quevor::testing {
namespace {

TEST(PathCheckTest, RefusesWhatTheFileCannotHoldByTheRuleItBreaks) {
    using enum Message;
    const auto codec = makeSystemCodec("CP932");
    // clang-format off
    const struct { std::u16string path; Message reason; std::u16string quoted; } refused[] = {
        {u"W:\\a.exe", pathHoldsKey, u"W:"},       {u"X:\\a.exe", pathHoldsKey, u"X:"},
        {u"Y:\\a.exe", pathHoldsKey, u"Y:"},       {u"T:\\a.exe", pathHoldsKey, u"T:"},
        {u"C:\\CL:\\a.exe", pathHoldsKey, u"CL:"}, {u"C:\\Path7:\\a.exe", pathHoldsKey, u"Path7:"},
        {u"C:\\Path16:a.exe", pathHoldsKey, u"Path16:"}, {u"C:\\a=b.exe", pathHoldsKey, u"="},
        {u"C:\\a---b.exe", pathHoldsKey, u"---"},  {u"C:\\old.exe\\a.exe", pathHoldsExe, u".exe"},
        {u"C:\\a.exe.bak\\b.exe", pathHoldsExe, u".exe"},
        {u"C:\\OLD.EXE\\a.exe", pathHoldsExe, u".EXE"},
        {u"C:\\a.txt", pathNotAProgram, u""},           {u"C:\\a.ex", pathNotAProgram, u""},
        {u"C:\\a.exe ", pathNotAProgram, u""},          {u"", pathNotAProgram, u""},
        {u"7.exe", pathPlaceholder, u"7.exe"},     {u"16.EXE", pathPlaceholder, u"16.exe"},
        {u"C:\\a\tb.exe", pathControlCharacter, u""},
        {u"C:\\\u00e9.exe", pathNotInCodePage, u"CP932"},    {u"C:\\\xD800.exe", pathNotInCodePage, u"CP932"},
        {u"C:\\" + std::u16string(253, u'a') + u".exe", pathTooLong, u""},  // 260 characters
    };
    // clang-format on
    for (const auto& row : refused) {
        SCOPED_TRACE(toUtf8(row.path));
        EXPECT_EQ(checkStorablePath(row.path, *codec).value_or(u"accepted"),
                  messageText(row.reason, {row.quoted}));
    }
    // clang-format off
    const std::u16string fine[] = {
        u"C:\\Tools\\edit.exe", u"D:\\Games\\PLAY.EXE", u"C:\\Program Files\\a b\\c.Exe",
        u"\\\\server\\share\\tool.exe", u"C:\\ツール\\表計算.exe", u"c:\\x-y\\w.exe",
        u"C:\\Path2\\x.exe",
        u"C:\\" + std::u16string(252, u'a') + u".exe",  // 259 characters
    };
    // clang-format on
    for (const auto& path : fine) {
        SCOPED_TRACE(toUtf8(path));
        EXPECT_EQ(checkStorablePath(path, *codec), std::nullopt);
    }
    EXPECT_EQ(storedPathFor(u"C:\\A\\B.EXE"), u"C:\\A\\B.exe");
    EXPECT_EQ(storedPathFor(u".eXe"), u".exe");  // a name that is only its ending
    EXPECT_EQ(storedPathFor(u"C:\\A\\B.txt"), u"C:\\A\\B.txt");
}

}  // namespace
}  // namespace quevor::testing
