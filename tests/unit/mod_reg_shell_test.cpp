// The folder picker and the shell copy over the scripted shell, and the scripted shell's own copy
// that other tests rely on to stay inside its scratch root.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "fakes/scripted_shell.h"
#include "platform/mod_reg_shell.h"
#include "support/host_code_page.h"

namespace tarnwick::testing {
namespace {

namespace fs = std::filesystem;
using fake::ScriptedShell;
using fake::ShellStep;

class OverScriptedShell : public ::testing::Test {
  protected:
    std::u16string Pick() { return modReg_.BrowseForFolderPath(0, u"Folder"); }

    ScriptedShell shell_{HostCodePage()};
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
        ScriptedShell shell(HostCodePage());
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
        ScriptedShell shell(HostCodePage());
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
    const std::u16string source = u"C:\\Old\\*.*";
    const std::u16string destination = u"D:\\New";
    modReg_.ShellCopyFiles(source, destination);
    EXPECT_EQ(source, u"C:\\Old\\*.*");
    EXPECT_EQ(destination, u"D:\\New");

    ASSERT_EQ(shell_.FileOperations().size(), 1u);
    const FileOperation& operation = shell_.FileOperations().front();
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

TEST_F(ModRegShellCopy, FailedCopyReturnsNormallyWithoutRetrying) {
    shell_.AnswerFileOperation(0x402, true);
    EXPECT_NO_THROW(modReg_.ShellCopyFiles(u"C:\\Old\\*.*", u"D:\\New"));
    EXPECT_EQ(shell_.FileOperations().size(), 1u);
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

class ScriptedShellCopy : public OverScriptedShell {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("tarnwick-scripted-shell-" + std::to_string(std::random_device{}()));
        shell_.CopyUnder(root_ / "drives");
    }
    void TearDown() override { fs::remove_all(root_); }

    int Copy(const std::string& from, const std::string& to) {
        FileOperation operation{.function = kFoCopy,
                                .from = from + std::string(3, '\0'),
                                .to = to + std::string(3, '\0')};
        return shell_.FileOperation(operation);
    }

    fs::path root_;
};

TEST_F(ScriptedShellCopy, CopiesEveryNameRecursivelyAndReplacesSameNamedFiles) {
    const fs::path old = shell_.HostPath(u"C:\\Old");
    WriteAll(old / "a.txt", "new a");
    WriteAll(old / "NOEXT", "no extension");
    WriteAll(old / "sub" / "deep" / "n.md", "nested");
    WriteAll(old / fs::path(u"中文") / "x", "chinese");
    WriteAll(shell_.HostPath(u"D:\\New\\a.txt"), "old a, longer than the new one");

    modReg_.ShellCopyFiles(u"c:\\Old\\*.*", u"D:\\New\\");

    const fs::path copied = root_ / "drives" / "D" / "New";
    EXPECT_EQ(ReadAll(copied / "a.txt"), "new a");
    EXPECT_EQ(ReadAll(copied / "NOEXT"), "no extension");
    EXPECT_EQ(ReadAll(copied / "sub" / "deep" / "n.md"), "nested");
    EXPECT_EQ(ReadAll(copied / fs::path(u"中文") / "x"), "chinese");
    EXPECT_EQ(ReadAll(old / "a.txt"), "new a");
}

TEST_F(ScriptedShellCopy, NamesThatCouldLeaveTheRootAreRefused) {
    for (const std::u16string_view path :
         {u"C:\\..\\x", u"C:\\a\\.\\b", u"C:\\a/../../b", u"\\\\server\\share", u"Old", u"1:\\a"}) {
        EXPECT_THROW(shell_.HostPath(path), std::invalid_argument);
    }
    WriteAll(root_ / "outside", "kept");
    EXPECT_EQ(Copy("C:\\..\\..\\*.*", "D:\\New"), ScriptedShell::kCopyRefused);
    EXPECT_EQ(Copy("C:\\Old\\*.*", "D:\\..\\..\\x"), ScriptedShell::kCopyRefused);
    EXPECT_FALSE(fs::exists(root_ / "drives" / "D"));
    EXPECT_FALSE(fs::exists(root_ / "x"));
    EXPECT_EQ(ReadAll(root_ / "outside"), "kept");
}

TEST_F(ScriptedShellCopy, NeitherFollowsNorWritesThroughLinks) {
    WriteAll(shell_.HostPath(u"C:\\Old\\a.txt"), "a");
    fs::create_directories(root_ / "elsewhere");
    fs::create_directories(shell_.HostPath(u"D:\\"));
    try {
        fs::create_directory_symlink(root_ / "elsewhere", shell_.HostPath(u"D:\\Link"));
    } catch (const fs::filesystem_error&) {
        GTEST_SKIP() << "this host cannot make directory links";
    }
    EXPECT_EQ(Copy("C:\\Old\\*.*", "D:\\Link"), ScriptedShell::kCopyRefused);
    EXPECT_EQ(Copy("D:\\Link\\*.*", "E:\\Out"), ScriptedShell::kCopyRefused);
    EXPECT_TRUE(fs::is_empty(root_ / "elsewhere"));
}

TEST_F(ScriptedShellCopy, MissingSourceAndCopyIntoItselfAreRefused) {
    EXPECT_EQ(Copy("C:\\None\\*.*", "D:\\New"), ScriptedShell::kSourceMissing);
    WriteAll(shell_.HostPath(u"C:\\Old\\a.txt"), "a");
    EXPECT_EQ(Copy("C:\\Old\\*.*", "C:\\Old\\Sub"), ScriptedShell::kCopyRefused);
    EXPECT_FALSE(fs::exists(shell_.HostPath(u"C:\\Old\\Sub")));
    EXPECT_THROW(Copy("C:\\Old\\*.txt", "D:\\New"), std::invalid_argument);
}

}  // namespace
}  // namespace tarnwick::testing
