#include "slots/path_check.h"

#include <gtest/gtest.h>

#include "core/messages.h"
#include "core/text.h"
#include "settings/codec.h"

namespace quevor::testing {
namespace {

// Each rule's reason, in one place; a row names the rule that must refuse its path and the
// text the reason quotes.
enum Rule { kTooLong, kControl, kNotExe, kSearched, kExeInside, kPlaceholder, kCodePage };

std::u16string reason(Rule rule, const std::u16string& text) {
    switch (rule) {
        case kTooLong:
            return messageText(Message::pathTooLong);
        case kControl:
            return messageText(Message::pathControlCharacter);
        case kNotExe:
            return messageText(Message::pathNotAProgram);
        case kSearched:
            return messageText(Message::pathHoldsKey, {text});
        case kExeInside:
            return messageText(Message::pathHoldsExe, {text});
        case kPlaceholder:
            return messageText(Message::pathPlaceholder, {text});
        case kCodePage:
            return messageText(Message::pathNotInCodePage, {u"CP932"});
    }
    return u"";
}

TEST(PathCheckTest, RefusesWhatTheFileCannotHoldByTheRuleItBreaks) {
    const auto codec = makeSystemCodec("CP932");
    const struct {
        std::u16string path;
        Rule rule;
        std::u16string quoted;
        // clang-format off
    } refused[] = {
        {u"W:\\a.exe", kSearched, u"W:"},       {u"X:\\a.exe", kSearched, u"X:"},
        {u"Y:\\a.exe", kSearched, u"Y:"},       {u"T:\\a.exe", kSearched, u"T:"},
        {u"C:\\CL:\\a.exe", kSearched, u"CL:"}, {u"C:\\Path7:\\a.exe", kSearched, u"Path7:"},
        {u"C:\\Path16:a.exe", kSearched, u"Path16:"}, {u"C:\\a=b.exe", kSearched, u"="},
        {u"C:\\a---b.exe", kSearched, u"---"},  {u"C:\\old.exe\\a.exe", kExeInside, u".exe"},
        {u"C:\\a.exe.bak\\b.exe", kExeInside, u".exe"},
        {u"C:\\OLD.EXE\\a.exe", kExeInside, u".EXE"},
        {u"C:\\a.txt", kNotExe, u""},           {u"C:\\a.ex", kNotExe, u""},
        {u"C:\\a.exe ", kNotExe, u""},          {u"", kNotExe, u""},
        {u"7.exe", kPlaceholder, u"7.exe"},     {u"16.EXE", kPlaceholder, u"16.exe"},
        {u"C:\\a\tb.exe", kControl, u""},
        {u"C:\\\u00e9.exe", kCodePage, u""},    {u"C:\\\xD800.exe", kCodePage, u""},
        {u"C:\\" + std::u16string(253, u'a') + u".exe", kTooLong, u""},  // 260 characters
    };
    // clang-format on
    for (const auto& row : refused) {
        SCOPED_TRACE(toUtf8(row.path));
        EXPECT_EQ(checkStorablePath(row.path, *codec).value_or(u"accepted"),
                  reason(row.rule, row.quoted));
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
