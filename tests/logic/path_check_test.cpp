#include "slots/path_check.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "settings/codec.h"

namespace quevor::testing {
namespace {

// Each rule's reason; a row names the rule that must refuse its path, and the detail the
// reason quotes.
enum class Rule { TooLong, Control, NotExe, Searched, ExeInside, Cancel, Placeholder, CodePage };

std::u16string reason(Rule rule, const std::u16string& detail) {
    const std::u16string quoted = u"\"" + detail + u"\"";
    switch (rule) {
    case Rule::TooLong: return u"the path is longer than 259 characters";
    case Rule::Control: return u"the path holds a control character";
    case Rule::NotExe: return u"only programs ending in .exe can be added";
    case Rule::Searched: return u"the path holds " + quoted + u", which the settings file cannot store";
    case Rule::ExeInside: return u"the path holds " + quoted + u" before its end, which the settings file cannot store";
    case Rule::Cancel: return u"the name \"?.exe\" cannot be stored";
    case Rule::Placeholder: return u"the name " + quoted + u" stands for an empty slot in the settings file";
    case Rule::CodePage: return u"the path holds characters that code page CP932 cannot store";
    }
    return u"";
}

TEST(PathCheckTest, RefusesWhatTheFileCannotHoldByTheRuleItBreaks) {
    const auto codec = makeSystemCodec("CP932");
    const struct {
        std::u16string path;
        Rule rule;
        std::u16string detail;
    } refused[] = {
        {u"W:\\a.exe", Rule::Searched, u"W:"},           {u"X:\\a.exe", Rule::Searched, u"X:"},
        {u"Y:\\a.exe", Rule::Searched, u"Y:"},           {u"T:\\a.exe", Rule::Searched, u"T:"},
        {u"C:\\CL:\\a.exe", Rule::Searched, u"CL:"},     {u"C:\\Path7:\\a.exe", Rule::Searched, u"Path7:"},
        {u"C:\\Path16:a.exe", Rule::Searched, u"Path16:"}, {u"C:\\a=b.exe", Rule::Searched, u"="},
        {u"C:\\a---b.exe", Rule::Searched, u"---"},       {u"C:\\old.exe\\a.exe", Rule::ExeInside, u".exe"},
        {u"C:\\a.exe.bak\\b.exe", Rule::ExeInside, u".exe"}, {u"C:\\OLD.EXE\\a.exe", Rule::ExeInside, u".EXE"},
        {u"C:\\a.txt", Rule::NotExe, u""},               {u"C:\\a.ex", Rule::NotExe, u""},
        {u"C:\\a.exe ", Rule::NotExe, u""},              {u"", Rule::NotExe, u""},
        {u"7.exe", Rule::Placeholder, u"7.exe"},          {u"16.EXE", Rule::Placeholder, u"16.exe"},
        {u"?.exe", Rule::Cancel, u""},                    {u"C:\\a\tb.exe", Rule::Control, u""},
        {u"C:\\\u00e9.exe", Rule::CodePage, u""},         {u"C:\\\xD800.exe", Rule::CodePage, u""},
        {u"C:\\" + std::u16string(253, u'a') + u".exe", Rule::TooLong, u""},  // 260 characters
    };
    for (const auto& row : refused) {
        SCOPED_TRACE(toUtf8(row.path));
        EXPECT_EQ(checkStorablePath(row.path, *codec).value_or(u"accepted"), reason(row.rule, row.detail));
    }
    const std::u16string fine[] = {
        u"C:\\Tools\\edit.exe", u"D:\\Games\\PLAY.EXE", u"C:\\Program Files\\a b\\c.Exe",
        u"\\\\server\\share\\tool.exe", u"C:\\ツール\\表計算.exe", u"c:\\x-y\\w.exe",
        u"C:\\Path2\\x.exe",
        u"C:\\" + std::u16string(252, u'a') + u".exe",  // 259 characters
    };
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
