// Start-up over the in-memory registry and window: what the window shows before it opens.
#include <gtest/gtest.h>

#include <utility>

#include "core/check_target.h"
#include "core/deletion_guard.h"
#include "core/managed_folders.h"
#include "support/bytes.h"
#include "support/control_values.h"
#include "support/fake_platform.h"
#include "ui/folder_controls.h"
#include "ui/frm_main.h"

namespace tarnwick::testing {
namespace {

using fake::RegistryOperation;

constexpr const char* kEnvironment = "Environment";
constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

ByteArray Sz(std::string_view text) {
    return ZeroFilled(text, text.size() + 1);
}

class StartUp : public ::testing::Test {
  protected:
    void PutShellFolder(const char* name, std::string_view path) {
        registry_.PutValue(kHkeyCurrentUser, kShellFolders, name, kRegSz, Sz(path));
    }
    void PutAllShellFolders() {
        PutShellFolder("Cookies", "c:\\users\\amy\\Cookies");
        PutShellFolder("History", "c:\\users\\amy\\History");
        PutShellFolder("Cache", "c:\\users\\amy\\Temporary Internet Files");
        PutShellFolder("Favorites", "c:\\users\\amy\\Favorites");
        PutShellFolder("Personal", "c:\\users\\amy\\\xCE\xD2\xB5\xC4\xCE\xC4\xB5\xB5");  // 我的文档
    }
    std::u16string Label(ControlId id) const { return controls_.Text(id); }
    // Start-up, and the window made with what it gave.
    void Load() { controls_.Apply(form_.Form_Load()); }

    FakePlatform platform_;
    fake::MemoryRegistry& registry_ = platform_.registry;
    fake::RecordingRegistry& recorder_ = platform_.recorder;
    ModReg& modReg_ = platform_.modReg;
    ControlValues controls_;
    FrmMain form_{controls_, platform_.services, platform_.messages, platform_.versionStep};
};

TEST_F(StartUp, ShowsEveryLocationInUpperCaseAndTheDefaults) {
    registry_.PutValue(kHkeyCurrentUser, kEnvironment, "Temp", kRegSz, Sz("c:\\temp"));
    PutAllShellFolders();
    Load();
    EXPECT_EQ(Label(ControlId::LblTemp), u"C:\\TEMP");
    EXPECT_EQ(Label(ControlId::LblCook), u"C:\\USERS\\AMY\\COOKIES");
    EXPECT_EQ(Label(ControlId::LblHistory), u"C:\\USERS\\AMY\\HISTORY");
    EXPECT_EQ(Label(ControlId::LblCache), u"C:\\USERS\\AMY\\TEMPORARY INTERNET FILES");
    EXPECT_EQ(Label(ControlId::LblFav), u"C:\\USERS\\AMY\\FAVORITES");
    EXPECT_EQ(Label(ControlId::LblDoc), u"C:\\USERS\\AMY\\我的文档");
    EXPECT_EQ(controls_.Text(ControlId::SBar1), kCredits);
    const std::vector<std::u16string> defaults = {
        u"D:\\Temp\\Temp", u"D:\\Temp\\Cookies",
        u"D:\\History",    u"D:\\Temp\\Temporary Internet Files",
        u"D:\\Favorites",  u"D:\\My Documents"};
    for (std::size_t i = 0; i < kManagedFolders.size(); ++i) {
        EXPECT_EQ(controls_.Text(ControlsOf(kManagedFolders[i]).destinationBox), defaults[i]);
    }
    // Start-up only reads.
    EXPECT_EQ(recorder_.Count(RegistryOperation::CreateKey), 0u);
    EXPECT_EQ(recorder_.Count(RegistryOperation::SetValue), 0u);
    EXPECT_EQ(recorder_.OpenHandleCount(), 0u);
}

TEST_F(StartUp, ReadsTheFoldersInTableOrderFromTheirKeys) {
    Load();
    std::vector<std::string> reads;
    for (const auto& call : recorder_.Calls()) {
        if (call.operation == RegistryOperation::OpenKey) {
            reads.push_back(call.subKey);
        }
    }
    EXPECT_EQ(reads, (std::vector<std::string>{kEnvironment, kShellFolders, kShellFolders,
                                               kShellFolders, kShellFolders, kShellFolders}));
}

TEST_F(StartUp, ExpandsAUserProfileReferenceInTemp) {
    registry_.SetEnvironmentVariable("USERPROFILE", "C:\\users\\\xD5\xC5\xC8\xFD");  // 张三
    registry_.PutValue(kHkeyCurrentUser, kEnvironment, "Temp", kRegExpandSz,
                       Sz("%USERPROFILE%\\Local Settings\\Temp"));
    Load();
    EXPECT_EQ(Label(ControlId::LblTemp), u"C:\\USERS\\张三\\LOCAL SETTINGS\\TEMP");
}

TEST_F(StartUp, TempWrittenByAnEarlierRunShowsThePathOnly) {
    ASSERT_TRUE(modReg_.SetKeyValue(kHkeyCurrentUser, u"Environment", u"Temp",
                                    std::u16string(u"E:\\Temp\\Temp"), 0));
    Load();
    EXPECT_EQ(Label(ControlId::LblTemp), u"E:\\TEMP\\TEMP");
}

TEST_F(StartUp, UnreadableLocationsGiveEmptyLabelsAndTheRestIsFilled) {
    PutAllShellFolders();
    // No Environment key at all: TEMP's label is empty.
    // Cookies cannot be converted (an empty REG_SZ makes the read raise).
    registry_.PutValue(kHkeyCurrentUser, kShellFolders, "Cookies", kRegSz, {});
    // History is missing from an existing key: the read gives a byte array.
    registry_.InjectFailure(
        RegistryOperation::QueryValue, kErrorFileNotFound,
        [](const std::string&, const std::string& name) { return name == "History"; });
    // The cache as a number shows its decimal text.
    registry_.PutValue(kHkeyCurrentUser, kShellFolders, "Cache", kRegDword,
                       {0xFF, 0xFF, 0xFF, 0xFF});
    Load();
    EXPECT_EQ(Label(ControlId::LblTemp), u"");
    EXPECT_EQ(Label(ControlId::LblCook), u"");
    EXPECT_EQ(Label(ControlId::LblHistory), u"");
    EXPECT_EQ(Label(ControlId::LblCache), u"-1");
    EXPECT_EQ(Label(ControlId::LblFav), u"C:\\USERS\\AMY\\FAVORITES");
    EXPECT_EQ(Label(ControlId::LblDoc), u"C:\\USERS\\AMY\\我的文档");
    EXPECT_EQ(controls_.Text(ControlId::TxtDoc), u"D:\\My Documents");
    EXPECT_EQ(recorder_.OpenHandleCount(), 0u);
}

TEST_F(StartUp, ShowsTheVersionOfTheProgramsOwnExecutable) {
    platform_.versionsApi.Put("C:\\Program Files\\Tarnwick\\Tarnwick.EXE",
                              {.version = {2, 0, 0, 3}});
    Load();
    EXPECT_EQ(controls_.Text(ControlId::LblVer), u"2.0.0.3");
}

TEST_F(StartUp, FromADriveRootThePathHasOneBackslash) {
    platform_.program = {u"D:\\", u"Tarnwick.exe"};
    platform_.versionsApi.Put("D:\\Tarnwick.EXE", {.version = {2, 0, 0, 3}});
    Load();
    EXPECT_EQ(platform_.versionsApi.sizeQueries, std::vector<std::string>{"D:\\Tarnwick.EXE"});
    EXPECT_EQ(controls_.Text(ControlId::LblVer), u"2.0.0.3");
}

TEST_F(StartUp, AnotherExtensionLooksForTheExeAndShowsNA) {
    platform_.program = {u"C:\\Tools", u"Tarnwick.scr"};
    platform_.versionsApi.Put("C:\\Tools\\Tarnwick.scr", {.version = {2, 0, 0, 3}});
    Load();
    EXPECT_EQ(platform_.versionsApi.sizeQueries,
              std::vector<std::string>{"C:\\Tools\\Tarnwick.EXE"});
    // Only the last dot starts the extension.
    platform_.program = {u"C:\\Tools", u"Tarnwick.v2.exe"};
    Load();
    EXPECT_EQ(platform_.versionsApi.sizeQueries.back(), "C:\\Tools\\Tarnwick.v2.EXE");
    EXPECT_EQ(controls_.Text(ControlId::LblVer), u"N/A");
}

TEST_F(StartUp, AFailingVersionStepLeavesTheLabelAndStartUpCompletes) {
    platform_.versionStep.program = []() -> ProgramFile {
        throw std::runtime_error("no module name");
    };
    Load();
    EXPECT_EQ(controls_.Text(ControlId::LblVer), u"LblVer");
    EXPECT_EQ(controls_.Text(ControlId::TxtDoc), u"D:\\My Documents");
}

class WindowEvents : public StartUp {
  protected:
    std::u16string Browse(ControlId button, std::string pickedAnsi) {
        if (pickedAnsi.empty()) {
            platform_.shellApi.CancelPicker();
        } else {
            platform_.shellApi.ChooseFolder(pickedAnsi);
        }
        form_.OnClick(button);
        for (const ManagedFolder& folder : kManagedFolders) {
            if (ControlsOf(folder).browseButton == button) {
                return controls_.Text(ControlsOf(folder).destinationBox);
            }
        }
        return u"?";
    }
};

TEST_F(WindowEvents, BrowsingPutsThePickedFolderAndTheSuffixInTheDestinationBox) {
    Load();
    form_.SetWindowHandle(0x1234);
    EXPECT_EQ(Browse(ControlId::CmdTemp, "D:\\"), u"D:\\Temp");
    EXPECT_EQ(Browse(ControlId::CmdCache, "E:\\Data"), u"E:\\Data\\Temporary Internet Files");
    EXPECT_EQ(Browse(ControlId::CmdDoc, "E:\\\xCE\xD2"), u"E:\\我\\My Documents");
    const auto& browse = platform_.shellApi.Browses().back();
    EXPECT_EQ(browse.owner, 0x1234u);
    EXPECT_EQ(browse.title, "");
}

TEST_F(WindowEvents, CancellingThePickerEmptiesTheBox) {
    Load();
    EXPECT_EQ(Browse(ControlId::CmdFav, ""), u"");
    EXPECT_EQ(controls_.Text(ControlId::TxtDoc), u"D:\\My Documents") << "another box changed";
}

TEST_F(WindowEvents, DoubledBackslashesCollapseButANetworkPathKeepsItsOpening) {
    // "C:\a\\" and "\History" meet as three backslashes, which become two.
    EXPECT_EQ(Browse(ControlId::CmdHistory, "C:\\a\\\\"), u"C:\\a\\\\History");
    EXPECT_EQ(Browse(ControlId::CmdDoc, "\\\\server\\share"), u"\\\\server\\share\\My Documents");
    EXPECT_EQ(Browse(ControlId::CmdCook, "\\\\server\\share\\\\x"),
              u"\\\\server\\share\\x\\Cookies");
}

TEST_F(WindowEvents, SelectAllSetsOrClearsTheSixFoldersOnly) {
    controls_.SetValue(ControlId::ChkFav, kChecked);
    controls_.SetValue(ControlId::ChkAll, kChecked);
    form_.OnClick(ControlId::ChkAll);
    for (const ManagedFolder& folder : kManagedFolders) {
        EXPECT_EQ(controls_.Value(ControlsOf(folder).selectBox), kChecked);
    }
    controls_.SetValue(ControlId::ChkAll, kUnchecked);
    form_.OnClick(ControlId::ChkAll);
    for (const ManagedFolder& folder : kManagedFolders) {
        EXPECT_EQ(controls_.Value(ControlsOf(folder).selectBox), kUnchecked);
    }
    EXPECT_EQ(controls_.Value(ControlId::ChkDelTmp), kChecked);
    EXPECT_EQ(controls_.Value(ControlId::ChkCopy), kChecked);
    // A folder's own box leaves select-all as it is.
    form_.OnClick(ControlId::ChkDoc);
    EXPECT_EQ(controls_.Value(ControlId::ChkAll), kUnchecked);
}

TEST_F(WindowEvents, TheMoveButtonStartsTheRun) {
    Load();
    form_.OnClick(ControlId::CmdOK);
    EXPECT_EQ(platform_.processes.started.size(), 0u) << "empty locations are never deleted";
    ASSERT_EQ(platform_.messages.shown.size(), 1u);
    EXPECT_EQ(platform_.messages.shown[0].title, kKeptTitle);
}

TEST_F(WindowEvents, AClickArrivingDuringARunStartsNoSecondRun) {
    PutShellFolder("Personal", "C:\\Docs");
    platform_.files.AddFile(u"C:\\Docs\\a.txt");
    Load();
    controls_.SetValue(ControlId::ChkDelTmp, kUnchecked);
    controls_.SetValue(ControlId::ChkDoc, kChecked);
    controls_.SetText(ControlId::TxtDoc, u"E:\\Docs");
    // The shell's copy runs a message loop of its own, through which the click arrives.
    bool clicked = false;
    platform_.shellApi.WhenCopying([&] {
        if (!std::exchange(clicked, true)) {
            form_.OnClick(ControlId::CmdOK);
        }
        platform_.files.AddFile(u"E:\\Docs\\a.txt");
    });
    form_.OnClick(ControlId::CmdOK);
    EXPECT_EQ(recorder_.Count(RegistryOperation::SetValue), 2u);
    EXPECT_EQ(platform_.shellApi.FileOperations().size(), 1u);
    EXPECT_TRUE(platform_.messages.shown.empty());
    // Once the run is over, the button works again.
    form_.OnClick(ControlId::CmdOK);
    ASSERT_EQ(platform_.messages.shown.size(), 1u);
    EXPECT_EQ(platform_.messages.shown[0].title, kSamePathTitle);
}

class FakeInstance : public SingleInstance {
  public:
    explicit FakeInstance(bool running) : running_(running) {}
    bool AnotherInstanceRunning() override { return running_; }

  private:
    bool running_;
};

TEST(FormInitialize, EndsTheProgramOnlyWhenAnotherCopyRuns) {
    FakeInstance first(false);
    FakeInstance second(true);
    EXPECT_TRUE(FrmMain::Form_Initialize(first));
    EXPECT_FALSE(FrmMain::Form_Initialize(second));
}

}  // namespace
}  // namespace tarnwick::testing
