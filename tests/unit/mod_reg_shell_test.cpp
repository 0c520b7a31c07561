// The folder picker and the shell copy over the scripted shell.
#include <gtest/gtest.h>

#include "fakes/scripted_shell.h"
#include "platform/mod_reg_shell.h"
#include "support/host_code_page.h"

namespace tarnwick::testing {
namespace {

using fake::ScriptedShell;
using fake::ShellStep;

class OverScriptedShell : public ::testing::Test {
  protected:
    std::u16string Pick() { return modReg_.BrowseForFolderPath(0, u"Folder"); }

    ScriptedShell shell_;
    ModRegShell modReg_{shell_, HostCodePage()};
};

using ModRegShellPicker = OverScriptedShell;
using ModRegShellCopy = OverScriptedShell;

TEST_F(ModRegShellPicker, CancelGivesEmptyTextAndFreesNothing) {
    EXPECT_EQ(Pick(), u"");
    EXPECT_EQ(shell_.Browses().size(), 1u);
    EXPECT_TRUE(shell_.PathRequests().empty());
    EXPECT_TRUE(shell_.Freed().empty());
}

TEST_F(ModRegShellPicker, AsksForFileSystemFoldersOnlyWithTheTitleInAnsi) {
    modReg_.BrowseForFolderPath(0x1234, u"选择");
    ASSERT_EQ(shell_.Browses().size(), 1u);
    const BrowseInfo& info = shell_.Browses().front();
    EXPECT_EQ(info.owner, 0x1234u);
    EXPECT_EQ(info.root, 0u);
    EXPECT_FALSE(info.displayNameGiven);
    EXPECT_EQ(info.title, "\xD1\xA1\xD4\xF1");
    EXPECT_EQ(info.flags, 1u);
    EXPECT_FALSE(info.callbackGiven);
    EXPECT_EQ(info.lParam, 0);
    EXPECT_EQ(info.image, 0);
}

TEST_F(ModRegShellPicker, ChosenPathComesBackAsWrittenAndItsListIsFreedOnce) {
    const std::vector<std::pair<std::string, std::u16string>> cases = {
        {"D:\\Data\\Docs", u"D:\\Data\\Docs"},
        {"D:\\", u"D:\\"},
        {"E:\\Media\\", u"E:\\Media\\"},
        {"D:\\\xD6\xD0\xCE\xC4", u"D:\\中文"},
    };
    for (const auto& [ansi, expected] : cases) {
        SCOPED_TRACE(ansi);
        ScriptedShell shell;
        ModRegShell modReg(shell, HostCodePage());
        shell.ChooseFolder(ansi);
        EXPECT_EQ(modReg.BrowseForFolderPath(0, u"t"), expected);
        EXPECT_EQ(shell.PathRequests(), std::vector<ItemIdList>{shell.LastChosen()});
        EXPECT_EQ(shell.Freed(), std::vector<ItemIdList>{shell.LastChosen()});
    }
}

TEST_F(ModRegShellPicker, PathsThatFillTheBufferComeBackWhole) {
    const std::string ascii = "D:\\" + std::string(256, 'a');  // 259 bytes and the terminator
    shell_.ChooseFolder(ascii);
    EXPECT_EQ(Pick(), u"D:\\" + std::u16string(256, u'a'));

    shell_.ChooseFolder(ascii + "b");  // all 260 bytes, the terminator only in the extra byte
    EXPECT_EQ(Pick(), u"D:\\" + std::u16string(256, u'a') + u"b");

    std::string chinese = "D:\\";
    std::u16string expected = u"D:\\";
    for (int i = 0; i < 128; ++i) {
        chinese += "\xD6\xD0";
        expected += u'中';
    }
    shell_.ChooseFolder(chinese);
    EXPECT_EQ(Pick(), expected);
}

TEST_F(ModRegShellPicker, FolderWithoutFileSystemPathGivesEmptyText) {
    shell_.ChooseFolderWithoutPath();
    EXPECT_EQ(Pick(), u"");
    EXPECT_EQ(shell_.Freed(), std::vector<ItemIdList>{shell_.LastChosen()});
}

TEST_F(ModRegShellPicker, ShellFailureGivesEmptyTextAndFreesTheListAtMostOnce) {
    const std::vector<std::pair<ShellStep, std::size_t>> cases = {{ShellStep::BrowseForFolder, 0},
                                                                  {ShellStep::GetPathFromIdList, 1},
                                                                  {ShellStep::FreeIdList, 1}};
    for (const auto& [step, frees] : cases) {
        SCOPED_TRACE(static_cast<int>(step));
        ScriptedShell shell;
        ModRegShell modReg(shell, HostCodePage());
        shell.ChooseFolder("D:\\Data");
        shell.ThrowAt(step);
        std::u16string path = u"not called";
        EXPECT_NO_THROW(path = modReg.BrowseForFolderPath(0, u"t"));
        EXPECT_EQ(path, u"");
        ASSERT_EQ(shell.Freed().size(), frees);
        if (frees == 1) {
            EXPECT_EQ(shell.Freed().front(), shell.LastChosen());
        }
    }
}

TEST_F(ModRegShellCopy, HandsTheShellBothListsWithTheirTerminatorsAndNoQuestions) {
    modReg_.ShellCopyFiles(u"C:\\Old\\*.*", u"D:\\New");
    ASSERT_EQ(shell_.FileOperations().size(), 1u);
    const FileOpStruct& operation = shell_.FileOperations().front();
    EXPECT_EQ(operation.from, std::string("C:\\Old\\*.*\0\0\0", 13));
    EXPECT_EQ(operation.to, std::string("D:\\New\0\0\0", 9));
    EXPECT_EQ(operation.window, 0u);
    EXPECT_EQ(operation.function, 2u);
    EXPECT_EQ(operation.flags, 0x0050u);
    EXPECT_FALSE(operation.anyOperationsAborted);
    EXPECT_EQ(operation.nameMappings, 0u);
    EXPECT_FALSE(operation.progressTitleGiven);
}

TEST_F(ModRegShellCopy, ChineseNamesTakeTwoBytesEachInTheLists) {
    modReg_.ShellCopyFiles(u"D:\\中文\\*.*", u"E:\\文");
    ASSERT_EQ(shell_.FileOperations().size(), 1u);
    EXPECT_EQ(shell_.FileOperations().front().from,
              std::string("D:\\\xD6\xD0\xCE\xC4\\*.*\0\0\0", 14));
    EXPECT_EQ(shell_.FileOperations().front().to, std::string("E:\\\xCE\xC4\0\0\0", 8));
}

TEST_F(ModRegShellCopy, TheShellsAnswerAndItsAbortedFlagAreReportedWithoutRetrying) {
    shell_.AnswerFileOperation(0x402, false);
    EXPECT_FALSE(modReg_.ShellCopyFiles(u"C:\\Old\\*.*", u"D:\\New").Succeeded());
    shell_.AnswerFileOperation(0, true);
    const ShellCopyResult cancelled = modReg_.ShellCopyFiles(u"C:\\Old\\*.*", u"D:\\New");
    EXPECT_TRUE(cancelled.aborted);
    EXPECT_FALSE(cancelled.Succeeded());
    shell_.AnswerFileOperation(0, false);
    EXPECT_TRUE(modReg_.ShellCopyFiles(u"C:\\Old\\*.*", u"D:\\New").Succeeded());
    EXPECT_EQ(shell_.FileOperations().size(), 3u);
}

}  // namespace
}  // namespace tarnwick::testing
