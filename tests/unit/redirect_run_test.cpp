// The move button's run: writes in table order, all-or-nothing per folder, and a copy that is
// checked on disk and told when it did not bring everything.
#include <gtest/gtest.h>

#include "core/check_target.h"
#include "core/copy_check.h"
#include "core/journal.h"
#include "support/run_fixture.h"
#include "support/utf8.h"
#include "ui/folder_controls.h"

namespace tarnwick::testing {
namespace {

using fake::RegistryOperation;

class RedirectRunTest : public RunTest {
  protected:
    RedirectRunTest() { controls_.SetValue(ControlId::ChkDelTmp, kUnchecked); }
};

TEST_F(RedirectRunTest, SelectedFoldersAreWrittenInTableOrderUserKeyFirst) {
    for (const ManagedFolder& folder : kManagedFolders) {
        controls_.SetValue(ControlsOf(folder).selectBox, kChecked);
    }
    Run();
    const std::string env = kEnvironment;
    const std::string user = kUserShell;
    const std::string shell = kShell;
    EXPECT_EQ(WrittenValues(), (std::vector<std::string>{
                                   env + "|Tmp", env + "|Temp", user + "|Cookies",
                                   shell + "|Cookies", user + "|History", shell + "|History",
                                   user + "|Cache", shell + "|Cache", user + "|Favorites",
                                   shell + "|Favorites", user + "|Personal", shell + "|Personal"}));
    EXPECT_EQ(Stored(kEnvironment, "Temp"),
              (fake::StoredValue{kRegSz, ZeroFilled("D:\\Temp\\Temp", 255)}));
    EXPECT_EQ(Stored(kShell, "Personal"),
              (fake::StoredValue{kRegExpandSz, ZeroFilled("D:\\My Documents", 255)}));
    for (const ManagedFolder& folder : kManagedFolders) {
        EXPECT_EQ(controls_.Text(ControlsOf(folder).locationLabel), folder.defaultDestination);
    }
    EXPECT_TRUE(files_.Exists(u"D:\\Temp\\Temporary Internet Files"));
    EXPECT_EQ(environment_.announcements, 1) << "TEMP moved";
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(RedirectRunTest, AFailedWriteRestoresWhatWasWrittenAndSaysNothingMoved) {
    registry_.PutValue(kHkeyCurrentUser, kUserShell, "Personal", kRegExpandSz,
                       Bytes(std::string("%USERPROFILE%\\Documents\0", 25)));
    registry_.InjectFailure(RegistryOperation::SetValue, kErrorAccessDenied,
                            [](const std::string& key, const std::string& name) {
                                return name == "Personal" && key.ends_with("\\shell folders");
                            });
    Select(ControlId::ChkDoc, u"E:\\New\\My Documents");
    Run();
    EXPECT_EQ(
        Stored(kUserShell, "Personal"),
        (fake::StoredValue{kRegExpandSz, Bytes(std::string("%USERPROFILE%\\Documents\0", 25))}));
    EXPECT_EQ(Label(ControlId::ChkDoc), u"C:\\USERS\\AMY\\DOCUMENTS");
    EXPECT_FALSE(files_.Exists(u"E:\\New")) << "the folders made for the move stay";
    EXPECT_TRUE(shellApi_.FileOperations().empty());
    const fake::ShownMessage message = OnlyMessage();
    EXPECT_EQ(message.title, kWriteFailedTitle);
    EXPECT_EQ(message.style, kMbIconStop);
    EXPECT_TRUE(Holds(message.text, u"我的文档没有转移"));
    EXPECT_TRUE(Holds(message.text, u"Shell Folders\\Personal\n无法写入"));
    EXPECT_TRUE(Holds(message.text, u"已经写入的值都已恢复原样"));
}

TEST_F(RedirectRunTest, AFirstWriteThatFailsStopsTheFolderBeforeTheSecond) {
    registry_.InjectFailure(RegistryOperation::SetValue, kErrorAccessDenied,
                            [](const std::string& key, const std::string&) {
                                return key.ends_with("\\user shell folders");
                            });
    Select(ControlId::ChkFav, u"E:\\Favorites");
    Run();
    EXPECT_EQ(WrittenValues(), std::vector<std::string>{std::string(kUserShell) + "|Favorites"});
    EXPECT_TRUE(Holds(OnlyMessage().text, u"注册表没有任何改变"));
    EXPECT_EQ(Label(ControlId::ChkFav), u"C:\\USERS\\AMY\\FAVORITES");
}

TEST_F(RedirectRunTest, AValueThatCannotBePutBackIsNamed) {
    // Absent before the run: putting it back means deleting it, which fails here.
    registry_.CreateKeyPath(kHkeyCurrentUser, kUserShell);
    registry_.InjectFailure(RegistryOperation::SetValue, kErrorAccessDenied,
                            [](const std::string& key, const std::string& name) {
                                return name == "Favorites" && key.ends_with("\\shell folders");
                            });
    registry_.InjectFailure(RegistryOperation::DeleteValue, kErrorAccessDenied);
    Select(ControlId::ChkFav, u"E:\\Favorites");
    Run();
    EXPECT_TRUE(Holds(OnlyMessage().text,
                      u"无法恢复原样:\nHKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\"
                      u"CurrentVersion\\Explorer\\User Shell Folders\\Favorites"));
}

TEST_F(RedirectRunTest, ARestoredAbsentValueIsDeletedAgain) {
    registry_.CreateKeyPath(kHkeyCurrentUser, kUserShell);
    registry_.InjectFailure(RegistryOperation::SetValue, kErrorAccessDenied,
                            [](const std::string& key, const std::string&) {
                                return key.ends_with("\\shell folders");
                            });
    Select(ControlId::ChkFav, u"E:\\Favorites");
    Run();
    EXPECT_FALSE(Stored(kUserShell, "Favorites"));
}

TEST_F(RedirectRunTest, TheCopyIsCheckedOnDiskAndAnIncompleteOneIsTold) {
    controls_.SetValue(ControlId::ChkCopy, kChecked);
    files_.AddFile(u"C:\\Users\\amy\\Documents\\a.txt", 3);
    files_.AddFile(u"C:\\Users\\amy\\Documents\\sub\\b", 5);
    struct Case {
        int result;
        bool aborted;
        std::vector<std::pair<std::u16string, std::uint64_t>> arriving;
        bool told;
        std::u16string unreadable = {};  // in the destination, once copied
    };
    const std::vector<Case> cases = {
        {0, false, {{u"a.txt", 3}, {u"SUB\\B", 5}}, false},
        {0, false, {{u"a.txt", 3}}, true},                          // a file was skipped
        {0, false, {{u"a.txt", 3}, {u"sub\\b", 4}}, true},          // a file was cut short
        {0x75, true, {{u"a.txt", 3}, {u"sub\\b", 5}}, true},        // cancelled, or so it says
        {0, false, {{u"a.txt", 3}, {u"sub\\b", 5}}, true, u"sub"},  // cannot be counted
    };
    int run = 0;
    for (const Case& c : cases) {
        const std::u16string destination = u"E:\\Docs" + DecimalText(++run);
        SetLocation(ControlId::ChkDoc, u"C:\\Users\\amy\\Documents");
        messages_.shown.clear();
        shellApi_.AnswerFileOperation(c.result, c.aborted);
        shellApi_.WhenCopying([&] {
            for (const auto& [name, size] : c.arriving) {
                files_.AddFile(destination + u"\\" + name, size);
            }
            if (!c.unreadable.empty()) {
                files_.SetUnreadable(destination + u"\\" + c.unreadable);
            }
        });
        Select(ControlId::ChkDoc, destination);
        Run();
        ASSERT_FALSE(shellApi_.FileOperations().empty()) << run;
        const auto& copy = shellApi_.FileOperations().back();
        EXPECT_EQ(copy.from, Ansi(u"C:\\Users\\amy\\Documents\\*.*") + std::string(3, '\0'));
        EXPECT_EQ(copy.to, Ansi(destination) + std::string(3, '\0'));
        EXPECT_EQ(Label(ControlId::ChkDoc), destination) << "the registry change stays";
        if (!c.told) {
            EXPECT_TRUE(messages_.shown.empty()) << run;
            continue;
        }
        const fake::ShownMessage warning = OnlyMessage();
        EXPECT_EQ(warning.title, kCopyIncompleteTitle);
        EXPECT_EQ(warning.style, kMbIconWarning);
        for (const std::u16string_view part :
             {std::u16string_view(u"我的文档"), std::u16string_view(u"C:\\Users\\amy\\Documents"),
              std::u16string_view(destination), std::u16string_view(u"仍然在原来的位置")}) {
            EXPECT_TRUE(Holds(warning.text, part)) << run << ": " << ToUtf8(warning.text);
        }
    }
}

TEST_F(RedirectRunTest, NothingIsCopiedFromAnEmptyOrMissingFolderNorWithoutTheOption) {
    files_.AddFolder(u"C:\\Users\\amy\\Favorites");
    Select(ControlId::ChkFav, u"E:\\Favorites");
    SetLocation(ControlId::ChkDoc, u"C:\\Users\\amy\\Gone", false);
    Select(ControlId::ChkDoc, u"E:\\My Documents");
    Run();
    EXPECT_TRUE(shellApi_.FileOperations().empty());
    EXPECT_TRUE(messages_.shown.empty());

    controls_.SetValue(ControlId::ChkCopy, kUnchecked);
    files_.AddFile(u"E:\\Favorites\\x.url");
    Select(ControlId::ChkFav, u"D:\\Favorites");
    Run();
    EXPECT_TRUE(shellApi_.FileOperations().empty());
    EXPECT_EQ(Label(ControlId::ChkFav), u"D:\\Favorites");
}

TEST_F(RedirectRunTest, ALinkThatWindowsCannotReopenIsCopiedAndMadeByItsName) {
    // Wine with drive Z: removed: My Documents and the new drive's folder lead to Unix folders
    // that no drive reaches.
    controls_.SetValue(ControlId::ChkCopy, kChecked);
    files_.SetCanonical(u"C:\\Users\\amy\\Documents", u"\\\\?\\unix\\home\\amy");
    files_.AddFile(u"C:\\Users\\amy\\Documents\\thesis.doc", 7);
    files_.AddFolder(u"E:\\Link");
    files_.SetCanonical(u"E:\\Link", u"\\\\?\\unix\\mnt\\big");
    shellApi_.WhenCopying([&] { files_.AddFile(u"E:\\Link\\Docs\\thesis.doc", 7); });
    Select(ControlId::ChkDoc, u"E:\\Link\\Docs");
    Run();
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(files_.created, std::vector<std::u16string>{u"E:\\Link\\Docs"});
    ASSERT_EQ(shellApi_.FileOperations().size(), 1u);
    EXPECT_EQ(shellApi_.FileOperations()[0].from,
              Ansi(u"C:\\Users\\amy\\Documents\\*.*") + std::string(3, '\0'));
    EXPECT_EQ(Label(ControlId::ChkDoc), u"E:\\Link\\Docs");
}

TEST_F(RedirectRunTest, ACreationThatFailsHalfWayLeavesNothingBehind) {
    files_.FailToCreate(u"D:\\a\\b\\c");
    Select(ControlId::ChkHistory, u"D:\\a\\b\\c");
    Run();
    EXPECT_FALSE(files_.Exists(u"D:\\a"));
    EXPECT_EQ(files_.removed, (std::vector<std::u16string>{u"D:\\a\\b", u"D:\\a"}));
    EXPECT_TRUE(WrittenValues().empty());
    EXPECT_EQ(OnlyMessage().title, kInvalidPathTitle);
}

TEST_F(RedirectRunTest, AJournalOfThePreviousValuesIsWrittenBeforeTheFirstValue) {
    std::size_t writesBefore = 99;
    journal_.onSave = [&] { writesBefore = recorder_.Count(RegistryOperation::SetValue); };
    Select(ControlId::ChkTemp, u"D:\\T");
    Select(ControlId::ChkFav, u"E:\\Favorites");
    Run();
    ASSERT_EQ(journal_.saved.size(), 1u);
    EXPECT_EQ(writesBefore, 0u);
    const std::u16string temp(u"C:\\Users\\amy\\AppData\\Local\\Temp\0", 32);
    const std::u16string favorites(u"C:\\Users\\amy\\Favorites\0", 23);
    EXPECT_EQ(
        ParseJournal(journal_.saved[0]),
        (std::vector<JournalEntry>{
            {u"Environment", u"Tmp", {}},
            {u"Environment", u"Temp", {true, kRegSz, Utf16Le(temp)}},
            {std::u16string(kUserShellFoldersKey), u"Favorites", {}},
            {std::u16string(kShellFoldersKey), u"Favorites", {true, kRegSz, Utf16Le(favorites)}},
        }));
}

TEST_F(RedirectRunTest, WithoutItsJournalTheRunChangesNothing) {
    controls_.SetValue(ControlId::ChkDelTmp, kChecked);
    journal_.failToSave = true;
    Select(ControlId::ChkDoc, u"E:\\Docs");
    Run();
    EXPECT_TRUE(WrittenValues().empty());
    EXPECT_TRUE(files_.created.empty());
    EXPECT_TRUE(processes_.started.empty()) << "a temporary folder was emptied";
    EXPECT_EQ(OnlyMessage().title, kWriteFailedTitle);

    // A run that writes nothing needs none.
    journal_.failToSave = false;
    messages_.shown.clear();
    controls_.SetValue(ControlId::ChkDoc, kUnchecked);
    Run();
    EXPECT_EQ(processes_.started.size(), 4u);
    EXPECT_TRUE(journal_.saved.empty());
}

TEST_F(RedirectRunTest, ThePlanTellsEverythingTheRunWouldDoAndDoesNothing) {
    controls_.SetValue(ControlId::ChkDelTmp, kChecked);
    SetLocation(ControlId::ChkHistory, u"C:\\");
    Select(ControlId::ChkTemp, u"D:\\T");
    Select(ControlId::ChkDoc, u"E:\\Docs");
    const RunPlan plan = PlanRun(RequestFromWindow(controls_, services_.registry), services_);
    const std::u16string user = u"HKEY_CURRENT_USER\\" + std::u16string(kUserShellFoldersKey);
    const std::u16string shell = u"HKEY_CURRENT_USER\\" + std::u16string(kShellFoldersKey);
    EXPECT_EQ(ToUtf8(PlanText(plan)),
              ToUtf8(u"TEMP: C:\\Users\\amy\\AppData\\Local\\Temp -> D:\\T\n"
                     u"    新建文件夹 D:\\T\n"
                     u"    写入 HKEY_CURRENT_USER\\Environment\\Tmp = D:\\T (REG_SZ)\n"
                     u"    写入 HKEY_CURRENT_USER\\Environment\\Temp = D:\\T (REG_SZ)\n"
                     u"我的文档: C:\\Users\\amy\\Documents -> E:\\Docs\n"
                     u"    新建文件夹 E:\\Docs\n"
                     u"    写入 " +
                     user +
                     u"\\Personal = E:\\Docs (REG_EXPAND_SZ)\n"
                     u"    写入 " +
                     shell +
                     u"\\Personal = E:\\Docs (REG_EXPAND_SZ)\n"
                     u"    复制 C:\\Users\\amy\\Documents\\*.* 到 E:\\Docs\n"
                     u"TEMP: 转移后删除 C:\\Users\\amy\\AppData\\Local\\Temp\n"
                     u"Cookie: 清空 C:\\Users\\amy\\AppData\\Roaming\\Cookies\n"
                     u"IE缓存: 清空 C:\\Users\\amy\\AppData\\Local\\Temporary Internet Files\n"
                     u"历史文件夹: 保留 C:\\\n"
                     u"    是驱动器或共享的根目录\n"));
    EXPECT_TRUE(WrittenValues().empty());
    EXPECT_TRUE(files_.created.empty());
    EXPECT_TRUE(processes_.started.empty());
    EXPECT_TRUE(journal_.saved.empty());
}

TEST(CopyCheck, TwoSourceNamesNeverCountAsCopiedToOne) {
    fake::MemoryFileSystem files;
    const std::vector<TreeEntry> source = {{u"report.txt", 2}, {u"REPORT.TXT", 2}, {u"b", 3}};
    // The copy keeps the name of a file it replaces, so a case-only difference alone is fine.
    EXPECT_EQ(EntriesNotCopied(source, {{u"report.txt", 2}, {u"REPORT.TXT", 2}, {u"B", 3}}, files),
              std::vector<std::u16string>{});
    EXPECT_EQ(EntriesNotCopied(source, {{u"REPORT.TXT", 2}, {u"B", 3}}, files),
              std::vector<std::u16string>{u"report.txt"});
}

}  // namespace
}  // namespace tarnwick::testing
