#include "slots/path_check.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "settings/codec.h"

namespace quevor::testing {
namespace {

TEST(PathCheckTest, RefusesWhatTheFileCannotHoldWithAReason) {
    const auto codec = makeSystemCodec("CP932");
    const std::u16string refused[] = {
        u"W:\\a.exe", u"X:\\a.exe", u"Y:\\a.exe", u"T:\\a.exe", u"C:\\CL:\\a.exe",
        u"C:\\Path7:\\a.exe", u"C:\\Path16:a.exe", u"C:\\a=b.exe", u"C:\\a---b.exe",
        u"C:\\old.exe\\a.exe", u"C:\\a.exe.bak\\b.exe", u"C:\\OLD.EXE\\a.exe", u"C:\\a.txt",
        u"C:\\a.ex", u"C:\\a.exe ", u"7.exe", u"16.exe", u"?.exe", u"C:\\a\tb.exe",
        u"C:\\\u00e9.exe", u"C:\\\xD800.exe", u"",
        u"C:\\" + std::u16string(253, u'a') + u".exe",  // 260 characters
    };
    for (const auto& path : refused) {
        SCOPED_TRACE(toUtf8(path));
        const auto reason = checkStorablePath(path, *codec);
        ASSERT_TRUE(reason.has_value());
        EXPECT_FALSE(reason->empty());
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
