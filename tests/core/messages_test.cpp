#include <gtest/gtest.h>

#include "core/messages.h"
#include "core/text.h"

namespace quevor {
namespace {

TEST(MessageText, FillsEachPlaceholderOnceWithItsArgument) {
    const struct {
        Message id;
        std::initializer_list<std::u16string_view> args;
        const char16_t* text;
    } rows[] = {
        {Message::cannotStart, {u"C:\\a.exe", u"理由"}, u"「C:\\a.exe」を起動できません。理由。"},
        // An argument that looks like a placeholder stays as given.
        {Message::cannotStart, {u"{2}.exe", u"x"}, u"「{2}.exe」を起動できません。x。"},
        {Message::namedShortcut,
         {u"a.lnk", u"b.exe"},
         u"ショートカット「a.lnk」（リンク先「b.exe」）"},
        {Message::listSeparator, {}, u"、"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(toUtf8(row.text));
        EXPECT_EQ(messageText(row.id, row.args), row.text);
    }
}

}  // namespace
}  // namespace quevor
