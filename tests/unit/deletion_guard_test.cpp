// The delete option's guard: every reason to keep a temporary folder, each with an input that only
// that reason catches, and commands that name the path Windows will act on.
#include <gtest/gtest.h>

#include <functional>

#include "core/deletion_guard.h"
#include "support/run_fixture.h"
#include "support/utf8.h"

namespace tarnwick::testing {
namespace {

std::u16string Rd(std::u16string_view path) {
    return u"CMD.exe /C RD /S/Q \"" + std::u16string(path) + u"\"";
}
std::u16string RdMd(std::u16string_view path) {
    return Rd(path) + u" & MD \"" + std::u16string(path) + u"\"";
}

class DeletionGuardTest : public RunTest {
  protected:
    // Runs the window's initial state with TEMP at location; the reason TEMP was kept, or "" when
    // its deletion was started.
    std::u16string ReasonTempIsKept(std::u16string_view location) {
        SetLocation(ControlId::ChkTemp, location);
        messages_.shown.clear();
        processes_.started.clear();
        Run();
        // The three others are ordinary folders, always emptied.
        if (processes_.started.size() == 4) {
            EXPECT_TRUE(messages_.shown.empty()) << "deleted and kept";
            return u"";
        }
        const fake::ShownMessage kept = OnlyMessage();
        EXPECT_EQ(kept.title, kKeptTitle);
        EXPECT_EQ(kept.style, kMbIconInformation);
        return kept.text;
    }
};

TEST_F(DeletionGuardTest, TheInitialStateEmptiesTheFourFoldersNamedInTheirOwnCase) {
    Run();
    EXPECT_EQ(processes_.started,
              (std::vector<std::u16string>{
                  RdMd(u"C:\\Users\\amy\\AppData\\Local\\Temp"),
                  RdMd(u"C:\\Users\\amy\\AppData\\Roaming\\Cookies"),
                  RdMd(u"C:\\Users\\amy\\AppData\\Local\\History"),
                  RdMd(u"C:\\Users\\amy\\AppData\\Local\\Temporary Internet Files")}));
    EXPECT_TRUE(WrittenValues().empty());
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(environment_.announcements, 0);
}

TEST_F(DeletionGuardTest, EachReasonToKeepAFolderIsToldWithItsText) {
    files_.SetCanonical(u"C:\\Odd", std::nullopt);
    files_.SetCanonical(u"C:\\S~1", u"C:\\" + std::u16string(270, u's'));
    struct Case {
        std::u16string location;
        std::u16string reason;
    };
    const std::vector<Case> cases = {
        {u"", u"位置为空"},
        {u"C:\\" + std::u16string(300, u't'), u"路径太长"},
        {u"C:\\S~1", u"路径太长"},  // only once Windows has resolved it
        {u"C:\\100%", u"不能用于命令行的字符"},
        {u"Temp", u"不是完整的路径"},
        {u"D:Temp", u"不是完整的路径"},
        {u"C:\\Odd", u"无法解析"},
        {u"C:\\", u"根目录"},
        {u"C:\\Users\\amy\\Desktop", u"就是桌面"},
        {u"C:\\Users", u"包含用户配置文件夹"},
        {u"C:\\Users\\amy\\Favorites", u"就是IE收藏夹的位置"},
        {u"C:\\journals", u"就是Tarnwick 的转移记录文件夹"},
        {u"C:\\journals\\Temp", u"在Tarnwick 的转移记录文件夹 (C:\\journals) 之中"},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(Holds(ReasonTempIsKept(c.location), c.reason)) << ToUtf8(c.location);
    }
}

TEST_F(DeletionGuardTest, APathIsJudgedAsWindowsResolvesIt) {
    files_.SetCanonical(u"C:\\Users\\amy\\Favorites.\\.", u"C:\\Users\\amy\\Favorites");
    files_.SetCanonical(u"C:\\Users\\amy\\DESKTO~1", u"C:\\Users\\amy\\Desktop");
    EXPECT_TRUE(Holds(ReasonTempIsKept(u"C:\\Users\\amy\\Favorites.\\."), u"IE收藏夹的位置"));
    EXPECT_TRUE(Holds(ReasonTempIsKept(u"C:\\Users\\amy\\DESKTO~1"), u"就是桌面"));
    // The command names what was judged.
    files_.SetCanonical(u"C:\\Users\\amy\\LOCALS~1\\Temp", u"C:\\Users\\amy\\Local Settings\\Temp");
    EXPECT_EQ(ReasonTempIsKept(u"C:\\Users\\amy\\LOCALS~1\\Temp"), u"");
    EXPECT_EQ(processes_.started.front(), RdMd(u"C:\\Users\\amy\\Local Settings\\Temp"));
}

TEST_F(DeletionGuardTest, AProtectedFolderIsComparedAsWindowsResolvesItToo) {
    platform_.knownFolders.folders.push_back({u"音乐", u"C:\\Users\\amy\\MYMUSI~1"});
    files_.SetCanonical(u"C:\\Users\\amy\\MYMUSI~1", u"C:\\Users\\amy\\Music");
    EXPECT_TRUE(Holds(ReasonTempIsKept(u"C:\\Users\\amy\\Music"), u"就是音乐"));
}

TEST_F(DeletionGuardTest, ATemporaryFolderWhoseMoveFailsIsEmptiedNotRemoved) {
    registry_.InjectFailure(
        fake::RegistryOperation::SetValue, kErrorAccessDenied,
        [](const std::string&, const std::string& name) { return name == "Tmp"; });
    Select(ControlId::ChkTemp, u"D:\\T");
    Run();
    EXPECT_EQ(Label(ControlId::ChkTemp), u"C:\\USERS\\AMY\\APPDATA\\LOCAL\\TEMP");
    EXPECT_EQ(processes_.started.back(), RdMd(u"C:\\Users\\amy\\AppData\\Local\\Temp"));
}

TEST_F(DeletionGuardTest, AnUnreadableMyDocumentsIsStillProtectedByWhatWindowsReports) {
    SetLocation(ControlId::ChkDoc, u"");
    EXPECT_TRUE(Holds(ReasonTempIsKept(u"C:\\Users\\amy\\Documents"), u"就是文档"));
}

TEST_F(DeletionGuardTest, ADestinationOfTheRunIsSparedEvenWhenItsMoveIsRefused) {
    controls_.SetValue(ControlId::ChkCopy, kUnchecked);
    Select(ControlId::ChkFav, u"C:\\Users\\amy\\AppData\\Roaming\\Cookies\\Favorites");
    Run();
    ASSERT_EQ(messages_.shown.size(), 2u);
    EXPECT_TRUE(Holds(messages_.shown[0].text, u"目标在Cookie的位置"));
    EXPECT_EQ(messages_.shown[1].title, kKeptTitle);
    EXPECT_TRUE(Holds(messages_.shown[1].text, u"包含IE收藏夹的新位置"));
    EXPECT_EQ(processes_.started.size(), 3u);
}

TEST_F(DeletionGuardTest, TheKeptMessageStaysOnTheScreenWhateverItHolds) {
    const std::u16string huge = u"C:\\" + std::u16string(5000, u'长') + u"\n\nx";
    for (const ControlId id :
         {ControlId::ChkTemp, ControlId::ChkCook, ControlId::ChkHistory, ControlId::ChkCache}) {
        SetLocation(id, huge);
    }
    Run();
    const std::u16string text = OnlyMessage().text;
    std::size_t lines = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(u'\n', start), text.size());
        EXPECT_LE(end - start, 80u) << "line " << lines;
        ++lines;
        start = end + 1;
    }
    EXPECT_LE(lines, 14u);
}

TEST_F(DeletionGuardTest, AMovedTemporaryFolderIsRemovedOnceItHasItsNewPlace) {
    Select(ControlId::ChkTemp, u"D:\\Temp\\Temp");
    Select(ControlId::ChkCook, u"D:\\NUL");  // refused: emptied and kept
    Run();
    ASSERT_EQ(processes_.started.size(), 4u);
    EXPECT_EQ(processes_.started[0], RdMd(u"C:\\Users\\amy\\AppData\\Roaming\\Cookies"));
    EXPECT_EQ(processes_.started[3], Rd(u"C:\\Users\\amy\\AppData\\Local\\Temp"));
    for (const std::u16string& command : processes_.started) {
        EXPECT_FALSE(Holds(command, u"D:\\")) << "a new folder is named";
    }
    EXPECT_EQ(environment_.announcements, 1);
}

TEST_F(DeletionGuardTest, ALinkAnywhereInsideKeepsTheFolderWholeAndIsNamed) {
    const std::u16string temp = u"C:\\Users\\amy\\AppData\\Local\\Temp";
    struct Case {
        std::function<void()> arrange;
        std::u16string reason;  // "" when the folder is emptied
    };
    const std::vector<Case> cases = {
        {[&] { files_.AddLink(temp + u"\\a\\b\\to-documents"); },
         u"其中的 " + temp + u"\\a\\b\\to-documents 是一个链接"},
        {[&] { files_.AddLink(temp + u"\\profile.dat", false); }, u"profile.dat 是一个链接"},
        {[&] {
             files_.AddFolder(temp + u"\\locked");
             files_.SetUnreadable(temp + u"\\locked");
         },
         u"无法读取其中的 " + temp + u"\\locked"},
        {[&] { files_.AddUnnamedFiles(temp, kLargestTreeToDelete + 1); }, u"超过 50000 个"},
        {[&] { files_.AddUnnamedFiles(temp, kLargestTreeToDelete); }, u""},
    };
    for (const Case& c : cases) {
        platform_.files = fake::MemoryFileSystem();
        files_.AddFolder(temp);
        c.arrange();
        const std::u16string kept = ReasonTempIsKept(temp);
        EXPECT_TRUE(c.reason.empty() ? kept.empty() : Holds(kept, c.reason)) << ToUtf8(kept);
    }
    // A folder that is itself a link is judged by where it leads.
    files_.SetCanonical(temp, u"D:\\Scratch\\Temp");
    files_.AddFile(u"D:\\Scratch\\Temp\\x.tmp");
    EXPECT_EQ(ReasonTempIsKept(temp), u"");
    EXPECT_EQ(processes_.started.front(), RdMd(u"D:\\Scratch\\Temp"));
    // So is the journals' folder.
    files_.SetCanonical(u"C:\\journals", u"D:\\Scratch\\Temp\\journals");
    EXPECT_TRUE(Holds(ReasonTempIsKept(temp), u"包含Tarnwick 的转移记录文件夹"));
}

TEST_F(DeletionGuardTest, ALinkThatWindowsCannotReopenIsDeletedByTheNameItHas) {
    // Wine with drive Z: removed: the profile's Temp leads to a Unix folder that no drive reaches.
    const std::u16string temp = u"C:\\Users\\amy\\AppData\\Local\\Temp";
    files_.SetCanonical(temp, u"\\\\?\\unix\\tmp\\amy");
    EXPECT_EQ(ReasonTempIsKept(temp), u"");
    EXPECT_EQ(processes_.started.front(), RdMd(temp));
    // ... and compared by where it leads.
    SetLocation(ControlId::ChkDoc, u"C:\\Users\\amy\\Documents");
    files_.SetCanonical(u"C:\\Users\\amy\\Documents", u"\\\\?\\unix\\tmp\\amy\\docs");
    EXPECT_TRUE(Holds(ReasonTempIsKept(temp), u"\\\\?\\unix\\tmp\\amy\\docs"));
}

TEST_F(DeletionGuardTest, ACommandInterpreterThatCannotStartFailsOnlyItsFoldersCleanup) {
    processes_.failToStart = true;
    Select(ControlId::ChkTemp, u"D:\\Temp\\Temp");
    Select(ControlId::ChkDoc, u"E:\\My Documents");
    const RunOutcome outcome = RunForOutcome();
    EXPECT_EQ(outcome.Count(FolderOutcome::Result::Moved), 2);
    EXPECT_EQ(outcome.notStarted.size(), 4u);
    EXPECT_FALSE(outcome.AllDone());
    EXPECT_EQ(WrittenValues().size(), 4u);
    const fake::ShownMessage failed = OnlyMessage();
    EXPECT_EQ(failed.title, kDeletionFailedTitle);
    EXPECT_EQ(failed.style, kMbIconStop);
    for (const std::u16string_view folder : {u"TEMP: C:\\Users\\amy\\AppData\\Local\\Temp",
                                             u"Cookie: ", u"历史文件夹: ", u"IE缓存: "}) {
        EXPECT_TRUE(Holds(failed.text, folder)) << ToUtf8(failed.text);
    }
}

}  // namespace
}  // namespace tarnwick::testing
