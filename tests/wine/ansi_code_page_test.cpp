// The ANSI code page binding over Windows' conversions, in code page 936 as on the program's home
// system.
#include <gtest/gtest.h>

#include "platform/win32/ansi_code_page.h"

namespace tarnwick::testing {
namespace {

TEST(AnsiCodePage, ChineseTakesTwoBytesEach) {
    const win32::AnsiCodePage ansi;
    EXPECT_EQ(ansi.ToAnsi(u"中文路径"), "\xD6\xD0\xCE\xC4\xC2\xB7\xBE\xB6");
    EXPECT_EQ(ansi.FromAnsi("\xD5\xC5\xC8\xFD"), u"张三");
    EXPECT_EQ(ansi.ToAnsi(u"C:\\x"), "C:\\x");
}

TEST(AnsiCodePage, WhatTheCodePageCannotHoldComesBackAsQuestionMarks) {
    const win32::AnsiCodePage ansi;
    EXPECT_EQ(ansi.FromAnsi(ansi.ToAnsi(u"D:\\한국")), u"D:\\??");
}

TEST(AnsiCodePage, EmbeddedNulsAreCarriedThrough) {
    const win32::AnsiCodePage ansi;
    EXPECT_EQ(ansi.ToAnsi(std::u16string(u"a\0中", 3)), std::string("a\0\xD6\xD0", 4));
    EXPECT_EQ(ansi.FromAnsi(std::string("\0\0b", 3)), std::u16string(u"\0\0b", 3));
    EXPECT_EQ(ansi.FromAnsi(""), u"");
}

}  // namespace
}  // namespace tarnwick::testing
