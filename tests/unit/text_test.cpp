#include <gtest/gtest.h>

#include "core/text.h"
#include "platform/numbers.h"
#include "support/utf8.h"

namespace tarnwick {
namespace {

TEST(Text, UpperCaseChangesOnlyLatinLetters) {
    EXPECT_EQ(ToUpperCase(u"c:\\users\\张三\\my documents 2"), u"C:\\USERS\\张三\\MY DOCUMENTS 2");
    EXPECT_EQ(ToUpperCase(u"azAZ{}`@"), u"AZAZ{}`@");
    EXPECT_EQ(ToUpperCase(std::u16string(u"a\0b", 3)), std::u16string(u"A\0B", 3));
}

TEST(Text, UpToFirstNul) {
    EXPECT_EQ(UpToFirstNul(std::u16string_view(u"C:\\T\0\0\0", 7)), u"C:\\T");
    EXPECT_EQ(UpToFirstNul(u"C:\\T"), u"C:\\T");
    EXPECT_EQ(UpToFirstNul(std::u16string_view(u"\0x", 2)), u"");
}

TEST(Text, DecimalAndUtf8) {
    EXPECT_EQ(DecimalText(-2147483648LL), u"-2147483648");
    EXPECT_EQ(DecimalText(0), u"0");
    EXPECT_EQ(DecimalText(7), u"7");
    EXPECT_EQ(DecimalText(-10), u"-10");
    EXPECT_EQ(DecimalText(INT64_MAX), u"9223372036854775807");
    EXPECT_EQ(DecimalText(INT64_MIN), u"-9223372036854775808");
    EXPECT_EQ(ToUtf8(u"转移到 ok"), "转移到 ok");
}

TEST(Text, JoinedPutsThePartsOneAfterAnother) {
    const std::u16string path = u"C:\\新";
    EXPECT_EQ(Joined({u"目标在", path, u"", u" (", std::u16string_view(u"a\0b", 3), u")"}),
              std::u16string(u"目标在C:\\新 (a\0b)", 13));
    EXPECT_EQ(Joined({}), u"");
    EXPECT_EQ(Joined({u"", u""}), u"");
}

TEST(Text, WithNumberPutsTheDigitsBetweenTheTexts) {
    EXPECT_EQ(WithNumber("registry value of type ", 4294967295u, " has no data"),
              "registry value of type 4294967295 has no data");
    EXPECT_EQ(WithNumber("error ", -5), "error -5");
}

TEST(Text, ALongPathIsShortenedInItsMiddle) {
    EXPECT_EQ(ShortenMiddle(u"C:\\abcdefgh\\end", 9), u"C:\\a…\\end");
    EXPECT_EQ(ShortenMiddle(u"C:\\short", 9), u"C:\\short");
    EXPECT_EQ(ShownPath(u"C:\\a\nb"), u"C:\\a?b");
}

}  // namespace
}  // namespace tarnwick
