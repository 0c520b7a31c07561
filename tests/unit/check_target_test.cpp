// The checks of a move, all made before anything changes: each refusal with an input that only it
// catches, and what a refused folder leaves untouched.
#include <gtest/gtest.h>

#include <functional>

#include "core/check_target.h"
#include "support/run_fixture.h"
#include "support/utf8.h"

namespace tarnwick::testing {
namespace {

using fake::ShownMessage;

const ShownMessage kSame{u"源路径和目标路径相同,不需要转移!", u"不需要转移", 64};
const ShownMessage kInvalid{u"输入的路径名不合法,请重新输入!", u"路径不合法", 16};

class CheckTargetTest : public RunTest {
  protected:
    CheckTargetTest() {
        controls_.SetValue(ControlId::ChkDelTmp, kUnchecked);
        controls_.SetValue(ControlId::ChkCopy, kUnchecked);
    }
    // Runs with only selectBox selected, towards destination; whether it moved.
    bool MovesTo(ControlId selectBox, std::u16string_view destination) {
        messages_.shown.clear();
        const std::u16string before = Label(selectBox);
        Select(selectBox, destination);
        Run();
        controls_.SetValue(selectBox, kUnchecked);
        return Label(selectBox) != before;
    }
    // The reason of the one refusal shown, which must name the folder.
    std::u16string Refusal(std::u16string_view folderName) const {
        const ShownMessage message = OnlyMessage();
        EXPECT_EQ(message.title, kRefusedTitle);
        EXPECT_EQ(message.style, kMbIconStop);
        EXPECT_TRUE(Holds(message.text, folderName)) << ToUtf8(message.text);
        return message.text;
    }
    void ExpectNothingChanged() const {
        EXPECT_TRUE(journal_.saved.empty());
        EXPECT_TRUE(WrittenValues().empty());
        EXPECT_TRUE(files_.created.empty());
        EXPECT_TRUE(shellApi_.FileOperations().empty());
    }
};

TEST_F(CheckTargetTest, IncompleteOrUncreatablePathsAreRefusedAsInvalid) {
    for (const std::u16string_view destination :
         {u" ", u"My Documents", u"D:", u"D:Temp", u"\\Temp", u"D:\\a?b", u"Q:\\Temp"}) {
        EXPECT_FALSE(MovesTo(ControlId::ChkDoc, destination)) << ToUtf8(destination);
        EXPECT_EQ(messages_.shown, std::vector<ShownMessage>{kInvalid}) << ToUtf8(destination);
    }
    files_.SetCanonical(u"D:\\Odd", std::nullopt);
    EXPECT_FALSE(MovesTo(ControlId::ChkDoc, u"D:\\Odd"));
    EXPECT_EQ(messages_.shown, std::vector<ShownMessage>{kInvalid});
    ExpectNothingChanged();
}

TEST_F(CheckTargetTest, TheSameFolderInAnySpellingIsRefusedAsEqual) {
    files_.SetCanonical(u"C:\\Users\\amy\\DOCUME~1", u"C:\\Users\\amy\\Documents");
    for (const std::u16string_view same :
         {u"c:\\users\\amy\\documents", u"C:/Users/amy/Documents/",
          u"C:\\Users\\amy\\x\\..\\Documents", u"C:\\Users\\amy\\DOCUME~1"}) {
        EXPECT_FALSE(MovesTo(ControlId::ChkDoc, same)) << ToUtf8(same);
        EXPECT_EQ(messages_.shown, std::vector<ShownMessage>{kSame}) << ToUtf8(same);
    }
    ExpectNothingChanged();
}

TEST_F(CheckTargetTest, NamesWindowsWouldRewriteOrExpandAreRefusedWithTheirReason) {
    const std::vector<std::pair<std::u16string, std::u16string>> cases = {
        {u"D:\\x%USERNAME%y", u"%"},
        {u"C:\\CON", u"保留的设备名"},
        {u"C:\\NUL\\x", u"\"NUL\""},
        {u"D:\\com1.txt", u"保留的设备名"},
        {u"D:\\LPT9 .log\\x", u"保留的设备名"},
        {u"D:\\My Documents.", u"以点或空格结尾"},
        {u"D:\\a \\b", u"以点或空格结尾"},
        {u"D:\\" + std::u16string(300, u'a'), u"路径太长"},
        {u"D:\\" + std::u16string(200, u'文'), u"路径太长"},  // 402 bytes in code page 936
        {u"D:\\한국어", u"无法表示"},
    };
    for (const auto& [destination, reason] : cases) {
        EXPECT_FALSE(MovesTo(ControlId::ChkDoc, destination)) << ToUtf8(destination);
        EXPECT_TRUE(Holds(Refusal(u"我的文档"), reason)) << ToUtf8(destination);
    }
    // Names that only look like devices are fine.
    EXPECT_TRUE(MovesTo(ControlId::ChkDoc, u"D:\\CONSOLE\\COM10\\Docs"));
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(CheckTargetTest, AFileCannotBecomeAFolder) {
    files_.AddFile(u"C:\\afile.txt");
    EXPECT_FALSE(MovesTo(ControlId::ChkTemp, u"C:\\afile.txt"));
    EXPECT_TRUE(Holds(Refusal(u"TEMP"), u"目标是一个文件"));
    EXPECT_FALSE(MovesTo(ControlId::ChkTemp, u"C:\\afile.txt\\Temp"));
    EXPECT_TRUE(Holds(Refusal(u"TEMP"), u"C:\\afile.txt 是一个文件"));
    files_.SetUnreadable(u"E:\\Locked");
    EXPECT_FALSE(MovesTo(ControlId::ChkTemp, u"E:\\Locked\\Temp"));
    EXPECT_TRUE(Holds(Refusal(u"TEMP"), u"无法读取 E:\\Locked"));
    ExpectNothingChanged();
}

TEST_F(CheckTargetTest, NoFolderMayEndUpWhereAnotherIsOrWhereACleanupWouldDeleteIt) {
    struct Case {
        ControlId folder;
        std::u16string destination;
        std::u16string reason;
    };
    const std::vector<Case> cases = {
        {ControlId::ChkFav, u"C:\\Users\\amy\\Documents", u"目标就是我的文档现在的位置"},
        {ControlId::ChkDoc, u"C:\\Users\\amy", u"目标包含TEMP现在的位置"},
        {ControlId::ChkDoc, u"C:\\Users\\amy\\AppData\\Local\\Temp\\Docs", u"目标在TEMP的位置"},
        {ControlId::ChkTemp, u"C:\\Users\\amy\\AppData\\Local\\Temp\\New", u"目标在TEMP的位置"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(MovesTo(c.folder, c.destination)) << ToUtf8(c.destination);
        EXPECT_TRUE(Holds(Refusal(FolderOf(c.folder).folder), c.reason)) << ToUtf8(c.destination);
    }
    ExpectNothingChanged();
}

TEST_F(CheckTargetTest, DestinationsOfTheSameRunMustNotHoldEachOther) {
    Select(ControlId::ChkFav, u"E:\\Same");
    Select(ControlId::ChkDoc, u"e:\\same\\");
    Select(ControlId::ChkTemp, u"D:\\T");
    Select(ControlId::ChkCook, u"D:\\T\\Cookies");
    Run();
    ASSERT_EQ(messages_.shown.size(), 4u);
    EXPECT_TRUE(Holds(messages_.shown[0].text, u"目标包含Cookie的新位置"));
    EXPECT_TRUE(Holds(messages_.shown[1].text, u"目标在TEMP的新位置"));
    EXPECT_TRUE(Holds(messages_.shown[2].text, u"目标也是我的文档的新位置"));
    EXPECT_TRUE(Holds(messages_.shown[3].text, u"目标也是IE收藏夹的新位置"));
    ExpectNothingChanged();
}

TEST_F(CheckTargetTest, TheBoxesOfFoldersNotSelectedBlockNothing) {
    controls_.SetText(ControlId::TxtFav, u"E:\\Docs");
    controls_.SetText(ControlId::TxtCook, u"E:\\");
    EXPECT_TRUE(MovesTo(ControlId::ChkDoc, u"E:\\Docs"));
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(CheckTargetTest, SwappingFavoritesAndMyDocumentsRefusesBoth) {
    controls_.SetValue(ControlId::ChkCopy, kChecked);
    files_.AddFile(u"C:\\Users\\amy\\Documents\\a.txt");
    Select(ControlId::ChkFav, u"C:\\Users\\amy\\Documents");
    Select(ControlId::ChkDoc, u"C:\\Users\\amy\\Favorites");
    Run();
    ASSERT_EQ(messages_.shown.size(), 2u);
    EXPECT_TRUE(Holds(messages_.shown[0].text, u"目标就是我的文档现在的位置"));
    EXPECT_TRUE(Holds(messages_.shown[1].text, u"目标就是IE收藏夹现在的位置"));
    ExpectNothingChanged();
}

TEST_F(CheckTargetTest, SiblingsAndAFolderInsideMyDocumentsAreFine) {
    Select(ControlId::ChkFav, u"C:\\Users\\amy\\Documents\\Favorites");
    Select(ControlId::ChkHistory, u"E:\\Data\\History");
    Select(ControlId::ChkCache, u"E:\\Data\\Cache");
    Run();
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(Label(ControlId::ChkFav), u"C:\\Users\\amy\\Documents\\Favorites");
    EXPECT_EQ(Label(ControlId::ChkHistory), u"E:\\Data\\History");
    EXPECT_EQ(Label(ControlId::ChkCache), u"E:\\Data\\Cache");
}

TEST_F(CheckTargetTest, TheCopyNeedsAnOldLocationItCanReadWhole) {
    controls_.SetValue(ControlId::ChkCopy, kChecked);
    const std::vector<std::pair<std::u16string, std::u16string>> cases = {
        {u"C:\\", u"根目录"},
        {u"\\\\server\\share", u"根目录"},
        {u"C:\\Users\\??\\Documents", u"不能从注册表完整读出"},
        {u"", u"原来的位置无法从注册表读出"},
    };
    for (const auto& [old, reason] : cases) {
        SetLocation(ControlId::ChkDoc, old);
        EXPECT_FALSE(MovesTo(ControlId::ChkDoc, u"E:\\My Documents")) << ToUtf8(old);
        EXPECT_TRUE(Holds(Refusal(u"我的文档"), reason)) << ToUtf8(old);
    }
    SetLocation(ControlId::ChkDoc, u"C:\\Users\\amy\\Documents");
    EXPECT_FALSE(MovesTo(ControlId::ChkDoc, u"C:\\Users\\amy\\Documents\\New"));
    EXPECT_TRUE(Holds(Refusal(u"我的文档"), u"不能复制到它自己里面"));
    ExpectNothingChanged();

    // Without the copy option none of this matters.
    controls_.SetValue(ControlId::ChkCopy, kUnchecked);
    SetLocation(ControlId::ChkDoc, u"C:\\");
    EXPECT_TRUE(MovesTo(ControlId::ChkDoc, u"E:\\My Documents"));
}

TEST_F(CheckTargetTest, TheCopyRefusesATreeTheShellWouldWalkWrongly) {
    controls_.SetValue(ControlId::ChkCopy, kChecked);
    const std::u16string old = u"C:\\Users\\amy\\Documents";
    const std::u16string destination = u"E:\\Docs";
    struct Case {
        std::function<void()> arrange;
        std::u16string reason;  // "" when the folder moves
    };
    const std::vector<Case> cases = {
        {[&] { files_.AddLink(old + u"\\sub\\parent"); },
         u"原来的位置中的 " + old + u"\\sub\\parent 是一个链接"},
        {[&] { files_.AddLink(old + u"\\notes.txt", false); }, u"notes.txt 是一个链接"},
        {[&] {
             files_.AddFile(old + u"\\report.txt");
             files_.AddCaseTwin(old + u"\\REPORT.TXT");
         },
         u"report.txt 和 REPORT.TXT 只是大小写不同"},
        {[&] {
             files_.AddFolder(old + u"\\locked");
             files_.SetUnreadable(old + u"\\locked");
         },
         u"无法读取原来的位置中的 " + old + u"\\locked"},
        // At the destination only a link where the copy writes matters.
        {[&] {
             files_.AddFile(old + u"\\sub\\a.txt");
             files_.AddLink(destination + u"\\SUB");
         },
         u"目标中的 " + destination + u"\\SUB 是一个链接"},
        {[&] {
             files_.AddFile(old + u"\\sub\\a.txt");
             files_.AddLink(destination + u"\\other");
         },
         u""},
    };
    for (const Case& c : cases) {
        platform_.files = fake::MemoryFileSystem();
        files_.AddFolder(old);
        c.arrange();
        const bool moved = MovesTo(ControlId::ChkDoc, destination);
        if (c.reason.empty()) {
            EXPECT_TRUE(moved);
            SetLocation(ControlId::ChkDoc, old);
        } else {
            EXPECT_FALSE(moved);
            EXPECT_TRUE(Holds(Refusal(u"我的文档"), c.reason)) << ToUtf8(c.reason);
            ExpectNothingChanged();
        }
    }
}

TEST_F(CheckTargetTest, ATemporaryFolderGoesWhereFilesAreOnlyWhenTheUserSaysYes) {
    files_.AddFile(u"D:\\Photos\\holiday.jpg");
    EXPECT_FALSE(MovesTo(ControlId::ChkCache, u"D:\\Photos"));
    const ShownMessage question = OnlyMessage();
    EXPECT_EQ(question.title, kConfirmTitle);
    EXPECT_EQ(question.style, kMbYesNo | kMbIconQuestion | kMbDefaultButton2);
    EXPECT_TRUE(Holds(question.text, u"IE缓存的新位置"));
    ExpectNothingChanged();

    messages_.answerToQuestions = kIdYes;
    EXPECT_TRUE(MovesTo(ControlId::ChkCache, u"D:\\Photos"));
    // An empty folder, or one for a folder that is never emptied, needs no question.
    files_.AddFolder(u"D:\\Empty");
    EXPECT_TRUE(MovesTo(ControlId::ChkHistory, u"D:\\Empty"));
    EXPECT_TRUE(messages_.shown.empty());
    files_.AddFile(u"D:\\Album\\a.jpg");
    EXPECT_TRUE(MovesTo(ControlId::ChkFav, u"D:\\Album"));
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(CheckTargetTest, AValueThatCannotBeSavedForRestoringRefusesTheFolder) {
    registry_.CreateKeyPath(kHkeyCurrentUser, kUserShell);
    registry_.InjectFailure(fake::RegistryOperation::QueryValue, kErrorAccessDenied,
                            [](const std::string& key, const std::string& name) {
                                return name == "Personal" &&
                                       key.find("user shell") != std::string::npos;
                            });
    EXPECT_FALSE(MovesTo(ControlId::ChkDoc, u"E:\\My Documents"));
    EXPECT_TRUE(Holds(Refusal(u"我的文档"), u"User Shell Folders\\Personal"));
    ExpectNothingChanged();
}

TEST_F(CheckTargetTest, ARefusedFolderChangesNothingWhileTheOthersMove) {
    Select(ControlId::ChkCook, u"D:\\New\\Cookies");
    Select(ControlId::ChkFav, u"D:\\New\\PRN");
    Select(ControlId::ChkDoc, u"D:\\New\\My Documents");
    Run();
    EXPECT_TRUE(Holds(Refusal(u"IE收藏夹"), u"保留的设备名"));
    EXPECT_EQ(files_.created, (std::vector<std::u16string>{u"D:\\New", u"D:\\New\\Cookies",
                                                           u"D:\\New\\My Documents"}));
    EXPECT_EQ(WrittenValues(),
              (std::vector<std::string>{
                  std::string(kUserShell) + "|Cookies", std::string(kShell) + "|Cookies",
                  std::string(kUserShell) + "|Personal", std::string(kShell) + "|Personal"}));
    EXPECT_EQ(Label(ControlId::ChkFav), u"C:\\USERS\\AMY\\FAVORITES");
}

}  // namespace
}  // namespace tarnwick::testing
