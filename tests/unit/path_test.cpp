// Path checks the destination check and the deletion guard stand on.
#include <gtest/gtest.h>

#include "core/path.h"
#include "core/text.h"
#include "support/utf8.h"

namespace tarnwick {
namespace {

TEST(Path, CompleteDrivePathsAndSharesOnly) {
    for (const std::u16string_view path :
         {u"D:\\", u"d:\\My Documents", u"E:\\中文\\x y", u"\\\\server\\share",
          u"\\\\server\\share\\dir", u"D:/My Documents", u"//server/share/dir"}) {
        EXPECT_TRUE(IsAbsolutePath(path)) << ToUtf8(path);
    }
    for (const std::u16string_view path :
         {u"", u"   ", u"D:", u"D:Temp", u"Temp\\x", u"\\Temp", u"\\\\server", u"\\\\\\share",
          u"\\\\server\\", u"D:\\a?b", u"D:\\a*", u"D:\\a|b", u"D:\\a\"b", u"D:\\a:b", u"1:\\x"}) {
        EXPECT_FALSE(IsAbsolutePath(path)) << ToUtf8(path);
    }
}

TEST(Path, SameIgnoresCaseTrailingSeparatorsAndNuls) {
    EXPECT_TRUE(SamePath(u"D:\\My Documents", u"d:\\my documents\\"));
    EXPECT_TRUE(SamePath(std::u16string(u"C:\\TEMP\0\0\0", 10), u"c:/temp"));
    EXPECT_TRUE(SamePath(u"D:\\", u"d:\\"));
    EXPECT_FALSE(SamePath(u"D:\\", u"D:"));
    EXPECT_FALSE(SamePath(u"D:\\Temp", u"D:\\Temp2"));
    EXPECT_TRUE(SamePath(u"C:\\a\\.\\b\\..\\c", u"C:\\a\\c"));
    EXPECT_TRUE(SamePath(u"C:\\a\\..\\..", u"C:\\"));
    EXPECT_TRUE(SamePath(u"\\\\srv\\share\\x\\..", u"\\\\SRV\\SHARE"));
}

TEST(Path, InsideMeansBelowAtASeparator) {
    EXPECT_TRUE(IsSameOrInside(u"C:\\Temp\\new", u"c:\\temp"));
    EXPECT_TRUE(IsSameOrInside(u"C:\\Temp", u"C:\\Temp\\"));
    EXPECT_TRUE(IsSameOrInside(u"C:\\Temp\\a", u"C:\\"));
    EXPECT_FALSE(IsSameOrInside(u"C:\\Temporary", u"C:\\Temp"));
    EXPECT_FALSE(IsSameOrInside(u"C:\\Temp", u"C:\\Temp\\new"));
    EXPECT_FALSE(IsSameOrInside(u"C:\\Temp", u""));
}

TEST(Path, Roots) {
    EXPECT_TRUE(IsRootPath(u"C:\\"));
    EXPECT_TRUE(IsRootPath(u"\\\\server\\share\\"));
    EXPECT_FALSE(IsRootPath(u"C:\\Windows"));
    EXPECT_FALSE(IsRootPath(u""));
}

TEST(Path, CharactersUnsafeOnACommandLine) {
    EXPECT_FALSE(HasCommandUnsafeCharacter(u"C:\\Documents and Settings\\张三\\Temp"));
    for (const std::u16string_view path : {u"C:\\a\" & format C: & \"", u"C:\\%PATH%", u"C:\\a\nb",
                                           u"C:\\a|b", u"C:\\a<b", u"C:\\a>b", u"C:\\a:b"}) {
        EXPECT_TRUE(HasCommandUnsafeCharacter(path)) << ToUtf8(path);
    }
}

}  // namespace
}  // namespace tarnwick
