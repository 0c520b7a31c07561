// The move button's run over the in-memory registry, shell, disk and window.
#include <gtest/gtest.h>

#include <fstream>

#include "core/managed_folders.h"
#include "core/redirect_run.h"
#include "core/text.h"
#include "support/fake_platform.h"
#include "ui/fake/memory_controls.h"

namespace tarnwick::testing {
namespace {

using fake::RegistryOperation;

constexpr const char* kEnvironment = "Environment";
constexpr const char* kShell =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kUserShell =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

std::u16string Rd(std::u16string_view path) {
    return u"CMD.exe /C RD /S/Q \"" + std::u16string(path) + u"\"";
}
std::u16string RdMd(std::u16string_view path) {
    return Rd(path) + u" & MD \"" + std::u16string(path) + u"\"";
}

class RedirectRunTest : public ::testing::Test {
  protected:
    RedirectRunTest() {
        // The window as start-up leaves it on a typical profile.
        controls_.SetText(ControlId::LblTemp, u"C:\\USERS\\AMY\\TEMP");
        controls_.SetText(ControlId::LblCook, u"C:\\USERS\\AMY\\COOKIES");
        controls_.SetText(ControlId::LblHistory, u"C:\\USERS\\AMY\\HISTORY");
        controls_.SetText(ControlId::LblCache, u"C:\\USERS\\AMY\\TEMPORARY INTERNET FILES");
        controls_.SetText(ControlId::LblFav, u"C:\\USERS\\AMY\\FAVORITES");
        controls_.SetText(ControlId::LblDoc, u"C:\\USERS\\AMY\\MY DOCUMENTS");
        for (const ManagedFolder& folder : kManagedFolders) {
            controls_.SetText(folder.destinationBox, folder.defaultDestination);
        }
    }

    void Run() { RedirectRun(controls_, services_); }
    void Select(ControlId id, std::u16string_view destination = {}) {
        controls_.SetValue(id, kChecked);
        for (const ManagedFolder& folder : kManagedFolders) {
            if (folder.selectBox == id && !destination.empty()) {
                controls_.SetText(folder.destinationBox, destination);
            }
        }
    }
    std::u16string Label(ControlId id) const { return controls_.Text(id); }
    std::vector<std::string> WrittenValues() const {
        std::vector<std::string> written;
        std::string key;
        for (const auto& call : recorder_.Calls()) {
            if (call.operation == RegistryOperation::CreateKey) {
                key = call.subKey;
            } else if (call.operation == RegistryOperation::SetValue) {
                written.push_back(key + "|" + call.valueName);
            }
        }
        return written;
    }
    std::optional<fake::StoredValue> Stored(const char* key, const char* name) const {
        return registry_.FindValue(kHkeyCurrentUser, key, name);
    }
    std::string Ansi(std::u16string_view text) const { return HostCodePage().ToAnsi(text); }

    FakePlatform platform_;
    fake::MemoryRegistry& registry_ = platform_.registry;
    fake::RecordingRegistry& recorder_ = platform_.recorder;
    fake::ScriptedShell& shellApi_ = platform_.shellApi;
    fake::MessageRecorder& messages_ = platform_.messages;
    fake::ScratchDirectories& directories_ = platform_.directories;
    fake::ProcessRecorder& processes_ = platform_.processes;
    const ScratchDir& scratch_ = platform_.scratch;
    fake::MemoryControls controls_;
    RedirectServices& services_ = platform_.services;
};

TEST_F(RedirectRunTest, TheWindowsInitialStateEmptiesTheFourTemporaryFoldersAndMovesNothing) {
    Run();
    EXPECT_EQ(
        processes_.started,
        (std::vector<std::u16string>{
            RdMd(u"C:\\USERS\\AMY\\TEMP"), RdMd(u"C:\\USERS\\AMY\\COOKIES"),
            RdMd(u"C:\\USERS\\AMY\\HISTORY"), RdMd(u"C:\\USERS\\AMY\\TEMPORARY INTERNET FILES")}));
    EXPECT_TRUE(recorder_.Calls().empty()) << "the registry was touched";
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_TRUE(shellApi_.FileOperations().empty());
}

TEST_F(RedirectRunTest, WithoutTheDeleteOptionNothingIsStarted) {
    controls_.SetValue(ControlId::ChkDelTmp, kUnchecked);
    Select(ControlId::ChkTemp, u"D:\\T");
    Run();
    EXPECT_TRUE(processes_.started.empty());
    EXPECT_EQ(Label(ControlId::LblTemp), u"D:\\T");
}

TEST_F(RedirectRunTest, AMovedTemporaryFolderIsRemovedAtItsOldPlaceOnceItHasTheNewOne) {
    Select(ControlId::ChkTemp, u"D:\\Temp\\Temp");
    Run();
    ASSERT_EQ(processes_.started.size(), 4u);
    // The three others first, emptied and kept; TEMP after its writes, removed.
    EXPECT_EQ(processes_.started.back(), Rd(u"C:\\USERS\\AMY\\TEMP"));
    for (const std::u16string& command : processes_.started) {
        EXPECT_EQ(command.find(u"D:\\Temp\\Temp"), std::u16string::npos)
            << "the new folder is named";
    }
    EXPECT_EQ(WrittenValues(), (std::vector<std::string>{std::string(kEnvironment) + "|Tmp",
                                                         std::string(kEnvironment) + "|Temp"}));
    std::vector<std::uint8_t> block(255, 0);
    std::string path = "D:\\Temp\\Temp";
    std::copy(path.begin(), path.end(), block.begin());
    EXPECT_EQ(Stored(kEnvironment, "Temp"), (fake::StoredValue{kRegSz, block}));
    EXPECT_EQ(Stored(kEnvironment, "Tmp"), (fake::StoredValue{kRegSz, block}));
    EXPECT_EQ(Label(ControlId::LblTemp), u"D:\\Temp\\Temp");
    EXPECT_TRUE(std::filesystem::is_directory(directories_.HostPath("D:\\Temp\\Temp")));
}

TEST_F(RedirectRunTest, ALabelWithSpacesIsQuoted) {
    controls_.SetText(ControlId::LblTemp, u"C:\\DOCUMENTS AND SETTINGS\\AMY\\LOCAL SETTINGS\\TEMP");
    Run();
    EXPECT_EQ(processes_.started.front(),
              RdMd(u"C:\\DOCUMENTS AND SETTINGS\\AMY\\LOCAL SETTINGS\\TEMP"));
}

TEST_F(RedirectRunTest, AFolderMovedEarlierInTheSameWindowIsDeletedAtItsNewPlace) {
    controls_.SetValue(ControlId::ChkDelTmp, kUnchecked);
    Select(ControlId::ChkCook, u"D:\\Temp\\Cookies");
    Run();
    controls_.SetValue(ControlId::ChkDelTmp, kChecked);
    controls_.SetValue(ControlId::ChkCook, kUnchecked);
    Run();
    EXPECT_EQ(processes_.started[1], RdMd(u"D:\\Temp\\Cookies"));
}

TEST_F(RedirectRunTest, SelectedFoldersAreWrittenInTableOrderUserKeyFirst) {
    controls_.SetValue(ControlId::ChkDelTmp, kUnchecked);
    for (const ManagedFolder& folder : kManagedFolders) {
        controls_.SetValue(folder.selectBox, kChecked);
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
    const auto personal = Stored(kShell, "Personal");
    ASSERT_TRUE(personal);
    EXPECT_EQ(personal->type, kRegExpandSz);
    for (const ManagedFolder& folder : kManagedFolders) {
        EXPECT_EQ(Label(folder.locationLabel), folder.defaultDestination);
    }
}

TEST_F(RedirectRunTest, OnlyFavoritesAndMyDocumentsAreCopiedAndOnlyWithTheCopyOption) {
    controls_.SetValue(ControlId::ChkDelTmp, kUnchecked);
    for (const ManagedFolder& folder : kManagedFolders) {
        controls_.SetValue(folder.selectBox, kChecked);
    }
    Run();
    ASSERT_EQ(shellApi_.FileOperations().size(), 2u);
    EXPECT_EQ(shellApi_.FileOperations()[0].from,
              std::string("C:\\USERS\\AMY\\FAVORITES\\*.*") + std::string(3, '\0'));
    EXPECT_EQ(shellApi_.FileOperations()[0].to,
              std::string("D:\\Favorites") + std::string(3, '\0'));
    EXPECT_EQ(shellApi_.FileOperations()[1].from,
              std::string("C:\\USERS\\AMY\\MY DOCUMENTS\\*.*") + std::string(3, '\0'));

    controls_.SetValue(ControlId::ChkCopy, kUnchecked);
    controls_.SetText(ControlId::TxtFav, u"E:\\Favorites");
    Run();
    EXPECT_EQ(shellApi_.FileOperations().size(), 2u) << "copied without the copy option";
    EXPECT_EQ(Label(ControlId::LblFav), u"E:\\Favorites");
}

TEST_F(RedirectRunTest, TheTypicalRequestCopiesMyDocumentsForReal) {
    shellApi_.CopyUnder(scratch_.path());
    const auto old = shellApi_.HostPath(u"C:\\USERS\\AMY\\MY DOCUMENTS");
    std::filesystem::create_directories(old / "sub");
    std::ofstream(old / "sub" / "notes") << "inside";
    std::ofstream(old / "a.txt") << "a";
    controls_.SetValue(ControlId::ChkDelTmp, kUnchecked);
    Select(ControlId::ChkDoc, u"E:\\My Documents");
    Run();
    const auto copied = shellApi_.HostPath(u"E:\\My Documents");
    EXPECT_TRUE(std::filesystem::is_regular_file(copied / "a.txt"));
    EXPECT_TRUE(std::filesystem::is_regular_file(copied / "sub" / "notes"));
    EXPECT_EQ(Label(ControlId::LblDoc), u"E:\\My Documents");
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(RedirectRunTest, ARefusedFolderDoesNotStopTheOthers) {
    controls_.SetValue(ControlId::ChkDelTmp, kUnchecked);
    Select(ControlId::ChkTemp, u"Temp");                     // not a complete path
    Select(ControlId::ChkCook, u"c:\\users\\amy\\cookies");  // the same folder
    Select(ControlId::ChkFav, u"E:\\Favorites");
    Run();
    ASSERT_EQ(messages_.shown.size(), 2u);
    EXPECT_EQ(messages_.shown[0].title, kInvalidPathTitle);
    EXPECT_EQ(messages_.shown[1].title, kSamePathTitle);
    EXPECT_EQ(Label(ControlId::LblTemp), u"C:\\USERS\\AMY\\TEMP");
    EXPECT_EQ(Label(ControlId::LblCook), u"C:\\USERS\\AMY\\COOKIES");
    EXPECT_EQ(Label(ControlId::LblFav), u"E:\\Favorites");
    EXPECT_EQ(WrittenValues().size(), 2u);
}

TEST_F(RedirectRunTest, AFailedSecondWriteLeavesTheFirstKeyNewTheLabelOldAndTellsTheUser) {
    registry_.PutValue(kHkeyCurrentUser, kShell, "Personal", kRegSz, {'o', 'l', 'd', 0});
    registry_.InjectFailure(RegistryOperation::SetValue, kErrorAccessDenied,
                            [](const std::string& key, const std::string& name) {
                                return name == "Personal" &&
                                       key.find("\\shell folders") != std::string::npos;
                            });
    controls_.SetValue(ControlId::ChkDelTmp, kUnchecked);
    Select(ControlId::ChkDoc, u"E:\\My Documents");
    Run();
    const auto user = Stored(kUserShell, "Personal");
    ASSERT_TRUE(user);
    EXPECT_EQ(user->data[0], 'E');
    EXPECT_EQ(Stored(kShell, "Personal"), (fake::StoredValue{kRegSz, {'o', 'l', 'd', 0}}));
    EXPECT_EQ(Label(ControlId::LblDoc), u"C:\\USERS\\AMY\\MY DOCUMENTS");
    EXPECT_TRUE(shellApi_.FileOperations().empty()) << "copied after a failed write";
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].style, kMbIconStop);
    EXPECT_NE(messages_.shown[0].text.find(u"我的文档"), std::u16string::npos);
    EXPECT_NE(messages_.shown[0].text.find(u"Shell Folders\\Personal"), std::u16string::npos);
}

TEST_F(RedirectRunTest, ARefusedTemporaryFolderIsEmptiedButKept) {
    Select(ControlId::ChkTemp, u"Q:\\Temp");  // no drive Q:
    Run();
    EXPECT_EQ(processes_.started.back(), RdMd(u"C:\\USERS\\AMY\\TEMP"));
    EXPECT_EQ(Label(ControlId::LblTemp), u"C:\\USERS\\AMY\\TEMP");
}

TEST_F(RedirectRunTest, DangerousDeletionsAreKeptAndTheUserIsToldOnce) {
    controls_.SetText(ControlId::LblTemp, u"C:\\");
    controls_.SetText(ControlId::LblCook, u"C:\\x\" & RD /S/Q C:\\windows & \"");
    controls_.SetText(ControlId::LblHistory, u"");
    controls_.SetText(ControlId::LblCache, u"C:\\USERS\\AMY");  // holds the profile and Favorites
    Run();
    EXPECT_TRUE(processes_.started.empty());
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].title, kKeptTitle);
    EXPECT_EQ(messages_.shown[0].style, kMbIconInformation);
    for (const std::u16string_view name : {u"TEMP", u"Cookie", u"历史文件夹", u"IE缓存"}) {
        EXPECT_NE(messages_.shown[0].text.find(name), std::u16string::npos) << ToUtf8(name);
    }
}

TEST_F(RedirectRunTest, FoldersHoldingProtectedPlacesAreKept) {
    const std::vector<std::pair<std::u16string, std::u16string>> cases = {
        {u"C:\\USERS\\AMY\\MY DOCUMENTS\\..\\MY DOCUMENTS", u"我的文档"},
        {u"C:\\USERS\\AMY\\MY DOCUMENTS\\..", u"用户配置文件夹"},
        {u"C:\\USERS", u"用户配置文件夹"},
        {u"C:\\WINDOWS", u"Windows 文件夹"},
        {u"C:\\PROGRAM FILES\\", u"Program Files 文件夹"},
    };
    for (const auto& [location, what] : cases) {
        messages_.shown.clear();
        processes_.started.clear();
        controls_.SetText(ControlId::LblTemp, location);
        Run();
        EXPECT_EQ(processes_.started.size(), 3u) << ToUtf8(location);
        ASSERT_EQ(messages_.shown.size(), 1u);
        EXPECT_NE(messages_.shown[0].text.find(what), std::u16string::npos) << ToUtf8(location);
    }
}

TEST_F(RedirectRunTest, ATemporaryFolderHoldingANewDestinationIsKept) {
    Select(ControlId::ChkDoc, u"C:\\USERS\\AMY\\TEMP\\Docs");
    Run();
    for (const std::u16string& command : processes_.started) {
        EXPECT_EQ(command.find(u"\\TEMP\""), std::u16string::npos)
            << "TEMP would take the new folder";
    }
    EXPECT_EQ(processes_.started.size(), 3u);
    EXPECT_EQ(Label(ControlId::LblDoc), u"C:\\USERS\\AMY\\TEMP\\Docs");
}

TEST_F(RedirectRunTest, NoCopyIntoItselfNorOfAnEmptyLocation) {
    controls_.SetValue(ControlId::ChkDelTmp, kUnchecked);
    Select(ControlId::ChkDoc, u"C:\\USERS\\AMY\\MY DOCUMENTS\\New");
    controls_.SetText(ControlId::LblFav, u"");
    Select(ControlId::ChkFav, u"E:\\Favorites");
    Run();
    EXPECT_TRUE(shellApi_.FileOperations().empty());
    EXPECT_EQ(Label(ControlId::LblDoc), u"C:\\USERS\\AMY\\MY DOCUMENTS\\New");
    EXPECT_EQ(Label(ControlId::LblFav), u"E:\\Favorites");
}

TEST_F(RedirectRunTest, ADriveRootSourceGetsADoubledSeparator) {
    controls_.SetValue(ControlId::ChkDelTmp, kUnchecked);
    controls_.SetText(ControlId::LblDoc, u"D:\\");
    Select(ControlId::ChkDoc, u"E:\\My Documents");
    Run();
    ASSERT_EQ(shellApi_.FileOperations().size(), 1u);
    EXPECT_EQ(shellApi_.FileOperations()[0].from, std::string("D:\\\\*.*") + std::string(3, '\0'));
}

TEST_F(RedirectRunTest, ACommandInterpreterThatCannotStartEndsTheRunBeforeAnyRedirection) {
    processes_.failToStart = true;
    Select(ControlId::ChkDoc, u"E:\\My Documents");
    EXPECT_THROW(Run(), ProcessStartError);
    EXPECT_TRUE(recorder_.Calls().empty());
}

}  // namespace
}  // namespace tarnwick::testing
