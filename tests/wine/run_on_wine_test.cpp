// The move button's run over the real bindings: Wine's registry, disk, shell copy and command
// interpreter, on the scratch disk S:, with marker files that must survive and folders that must
// be emptied. The window is the in-memory one; every registry value the run may write is put back
// afterwards.
#include <windows.h>

#include <aclapi.h>
#include <knownfolders.h>
#include <sddl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/check_target.h"
#include "core/deletion_guard.h"
#include "core/redirect_run.h"
#include "core/run_request.h"
#include "core/text.h"
#include "fakes/recorders.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "scratch_disk.h"
#include "support/control_values.h"
#include "support/utf8.h"
#include "ui/folder_controls.h"
#include "ui/frm_main.h"

namespace tarnwick::testing {
namespace {

namespace fs = std::filesystem;

// Every file and folder below root with its size, for comparing a tree before and after.
std::vector<std::pair<std::wstring, std::uintmax_t>> Listing(const fs::path& root) {
    std::vector<std::pair<std::wstring, std::uintmax_t>> listing;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        listing.push_back({entry.path().lexically_relative(root).wstring(),
                           entry.is_regular_file() ? entry.file_size() : 0});
    }
    std::sort(listing.begin(), listing.end());
    return listing;
}

class RunOnWine : public ::testing::Test {
  protected:
    RunOnWine() {
        for (const ManagedFolder& folder : kManagedFolders) {
            for (const RegistryTarget& target : folder.writeTargets) {
                saved_.push_back(
                    {target, *modReg_.SaveValue(kHkeyCurrentUser, target.key, target.valueName)});
            }
            // As start-up leaves the window.
            controls_.SetText(ControlsOf(folder).locationLabel,
                              ToUpperCase(ReadLocation(modReg_, folder)));
            controls_.SetText(ControlsOf(folder).destinationBox, folder.defaultDestination);
        }
        controls_.SetValue(ControlId::ChkDelTmp, kUnchecked);
    }
    ~RunOnWine() override {
        for (const auto& [target, value] : saved_) {
            EXPECT_TRUE(
                modReg_.RestoreValue(kHkeyCurrentUser, target.key, target.valueName, value));
        }
    }

    // As the move button runs, with the labels set as the window sets them.
    RunOutcome Run() {
        messages_.shown.clear();
        RunOutcome outcome =
            RunAfterAsking(RequestFromWindow(controls_, modReg_), services_, messages_);
        ShowNewLocations(outcome, controls_);
        Tell(OutcomeNotices(outcome), messages_);
        return outcome;
    }
    void SetLocation(ControlId label, const fs::path& path) {
        controls_.SetText(label, Text(path));
    }
    void Select(ControlId box, ControlId destinationBox, const fs::path& destination) {
        controls_.SetValue(box, kChecked);
        controls_.SetText(destinationBox, Text(destination));
    }
    std::optional<SavedValue> Value(const RegistryTarget& target) {
        return modReg_.SaveValue(kHkeyCurrentUser, target.key, target.valueName);
    }

    win32::AnsiCodePage codePage_;
    win32::Win32Registry registryApi_;
    ModReg modReg_{registryApi_, codePage_};
    win32::Win32Shell shellApi_;
    ModRegShell shell_{shellApi_, codePage_};
    fake::MessageRecorder messages_;
    win32::Win32FileSystem files_;
    win32::Win32Processes processes_;
    win32::Win32KnownFolders knownFolders_;
    fake::EnvironmentRecorder environment_;
    fake::JournalShelf journal_;  // the real store is tried through the exe
    RedirectServices services_{modReg_,    shell_,        files_,       codePage_,
                               processes_, knownFolders_, environment_, journal_};
    ControlValues controls_;
    std::vector<std::pair<RegistryTarget, SavedValue>> saved_;
    ScratchFolder scratch_{L"run"};
};

TEST_F(RunOnWine, TheDeletionGuardJudgesThePathThatWindowsWouldDelete) {
    const fs::path documents = KnownFolder(FOLDERID_Documents);
    const fs::path favorites = KnownFolder(FOLDERID_Favorites);
    const fs::path desktop = KnownFolder(FOLDERID_Desktop);
    const fs::path system32 = KnownFolder(FOLDERID_System);
    const fs::path appData = KnownFolder(FOLDERID_RoamingAppData);
    const fs::path commonFiles = KnownFolder(FOLDERID_ProgramFilesCommon);
    const std::vector<fs::path> markers = {
        documents / L"marker.txt", favorites / L"marker.txt",        desktop / L"marker.txt",
        system32 / L"marker.txt",  appData / L"marker.txt",          commonFiles / L"marker.txt",
        system32 / L"cmd.exe",     documents / L"子" / L"marker.txt"};
    for (const fs::path& marker : markers) {
        if (!fs::exists(marker)) {
            WriteMarker(marker);
        }
    }
    wchar_t shortDocuments[MAX_PATH] = {};
    ASSERT_NE(GetShortPathNameW(documents.c_str(), shortDocuments, MAX_PATH), 0u);
    ASSERT_NE(fs::path(shortDocuments), documents);
    const fs::path ordinary = scratch_.path() / L"old temp";
    const std::vector<std::array<fs::path, 4>> attempts = {
        // Trailing dots and spaces, and "\." after them.
        {documents.wstring() + L".", favorites.wstring() + L".\\.", desktop.wstring() + L" .",
         ordinary},
        // A short name, and protected folders given directly.
        {shortDocuments, desktop, system32, ordinary},
        // My Documents' own value unreadable: the system still reports the folder.
        {documents, appData, commonFiles, ordinary},
    };
    controls_.SetValue(ControlId::ChkDelTmp, kChecked);
    for (std::size_t attempt = 0; attempt < attempts.size(); ++attempt) {
        SCOPED_TRACE(attempt);
        if (attempt == 2) {
            ASSERT_EQ(RegDeleteKeyValueW(HKEY_CURRENT_USER,
                                         L"Software\\Microsoft\\Windows\\CurrentVersion\\"
                                         L"Explorer\\Shell Folders",
                                         L"Personal"),
                      ERROR_SUCCESS);
            controls_.SetText(ControlId::LblDoc, u"");
        }
        WriteMarker(ordinary / L"sub" / L"old.tmp");
        SetLocation(ControlId::LblTemp, attempts[attempt][0]);
        SetLocation(ControlId::LblCook, attempts[attempt][1]);
        SetLocation(ControlId::LblHistory, attempts[attempt][2]);
        SetLocation(ControlId::LblCache, attempts[attempt][3]);
        Run();
        ASSERT_TRUE(ChildrenEnded());
        for (const fs::path& marker : markers) {
            EXPECT_TRUE(fs::exists(marker)) << "deleted: " << marker.string();
        }
        EXPECT_FALSE(fs::exists(ordinary / L"sub")) << "the ordinary folder was not emptied";
        EXPECT_TRUE(fs::is_directory(ordinary)) << "the ordinary folder was not kept";
        ASSERT_EQ(messages_.shown.size(), 1u);
        EXPECT_EQ(messages_.shown[0].title, kKeptTitle);
        for (const std::u16string_view kept : {u"TEMP:", u"Cookie:", u"历史文件夹:"}) {
            EXPECT_NE(messages_.shown[0].text.find(kept), std::u16string::npos)
                << ToUtf8(messages_.shown[0].text);
        }
    }
    for (const fs::path& marker : markers) {
        if (marker.filename() == L"marker.txt") {
            fs::remove(marker);
        }
    }
}

TEST_F(RunOnWine, SwappingFavoritesAndMyDocumentsLosesNothing) {
    const fs::path oldFavorites = scratch_.path() / L"收藏夹";
    const fs::path oldDocuments = scratch_.path() / L"文档";
    WriteMarker(oldFavorites / L"site.url");
    WriteMarker(oldDocuments / L"site.url");  // the same name in both
    WriteMarker(oldDocuments / L"letter.doc");
    const auto before = Listing(scratch_.path());
    SetLocation(ControlId::LblFav, oldFavorites);
    SetLocation(ControlId::LblDoc, oldDocuments);
    Select(ControlId::ChkFav, ControlId::TxtFav, oldDocuments);
    Select(ControlId::ChkDoc, ControlId::TxtDoc, oldFavorites);
    Run();
    EXPECT_EQ(Listing(scratch_.path()), before);
    ASSERT_EQ(messages_.shown.size(), 2u);
    EXPECT_EQ(messages_.shown[0].title, kRefusedTitle);
    EXPECT_EQ(messages_.shown[1].title, kRefusedTitle);
}

TEST_F(RunOnWine, ADriveRootIsNeverCopied) {
    WriteMarker(fs::path(L"S:\\on-the-root.txt"));
    SetLocation(ControlId::LblDoc, L"S:\\");
    // On another drive, so that only the rule about roots stands in the way.
    const fs::path destination = KnownFolder(FOLDERID_Public) / L"新文档";
    Select(ControlId::ChkDoc, ControlId::TxtDoc, destination);
    Run();
    fs::remove(L"S:\\on-the-root.txt");
    EXPECT_FALSE(fs::exists(destination));
    fs::remove_all(destination);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_NE(messages_.shown[0].text.find(u"根目录"), std::u16string::npos)
        << ToUtf8(messages_.shown[0].text);
    EXPECT_EQ(controls_.Text(ControlId::LblDoc), u"S:\\");
}

TEST_F(RunOnWine, LongNamesAndDoubleByteNamesMakeExactlyTheFoldersAsked) {
    // 淺 is 9C 5C in code page 936: its second byte is a backslash.
    const fs::path asked = scratch_.path() / L"淺" / L"乗 History";
    Select(ControlId::ChkHistory, ControlId::TxtHistory, asked);
    Run();
    EXPECT_TRUE(messages_.shown.empty()) << ToUtf8(messages_.shown.front().text);
    EXPECT_EQ(Listing(scratch_.path()),
              (std::vector<std::pair<std::wstring, std::uintmax_t>>{
                  {L"淺", 0}, {fs::path(L"淺/乗 History").make_preferred().wstring(), 0}}));
    EXPECT_EQ(controls_.Text(ControlId::LblHistory), Text(asked));

    for (const std::size_t length : {300u, 5000u}) {
        const fs::path tooLong = scratch_.path() / std::wstring(length, L'长');
        Select(ControlId::ChkHistory, ControlId::TxtHistory, tooLong);
        Run();
        ASSERT_EQ(messages_.shown.size(), 1u) << length;
        EXPECT_NE(messages_.shown[0].text.find(u"路径太长"), std::u16string::npos);
    }
    EXPECT_EQ(Listing(scratch_.path()).size(), 2u) << "a stray folder was made";
}

TEST_F(RunOnWine, TheDeleteOptionNeverEntersALink) {
    const fs::path outside = scratch_.path() / L"outside";
    const fs::path documents = scratch_.path() / L"文档";
    const fs::path journals = KnownFolder(FOLDERID_LocalAppData) / L"Tarnwick";
    const std::vector<fs::path> markers = {outside / L"marker.txt", scratch_.path() / L"single.txt",
                                           documents / L"论文.txt", journals / L"marker.reg"};
    for (const fs::path& marker : markers) {
        WriteMarker(marker);
    }
    const fs::path temp = scratch_.path() / L"temp";
    const fs::path cookies = scratch_.path() / L"cookies";
    const fs::path history = scratch_.path() / L"history";
    const fs::path cache = scratch_.path() / L"cache";
    ASSERT_TRUE(MakeUnixLink(temp / L"a" / L"b" / L"to-outside", UnixPath(outside)));
    ASSERT_TRUE(MakeUnixLink(temp / L"journals", UnixPath(journals)));
    ASSERT_TRUE(MakeUnixLink(cookies / L"profile.dat", UnixPath(markers[1])));
    ASSERT_TRUE(MakeUnixLink(cache / L"x" / L"documents", UnixPath(documents)));
    WriteMarker(history / L"sub" / L"old.tmp");
    SetLocation(ControlId::LblDoc, documents);
    SetLocation(ControlId::LblTemp, temp);
    SetLocation(ControlId::LblCook, cookies);
    SetLocation(ControlId::LblHistory, history);
    SetLocation(ControlId::LblCache, cache);
    controls_.SetValue(ControlId::ChkDelTmp, kChecked);
    Run();
    ASSERT_TRUE(ChildrenEnded());
    for (const fs::path& marker : markers) {
        EXPECT_TRUE(fs::exists(marker)) << "deleted: " << marker.string();
    }
    fs::remove(markers.back());
    EXPECT_FALSE(fs::exists(history / L"sub")) << "the ordinary folder was not emptied";
    EXPECT_TRUE(fs::is_directory(history));
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].title, kKeptTitle);
    for (const std::u16string& kept :
         {u"TEMP: " + Text(temp), u"Cookie: " + Text(cookies), u"IE缓存: " + Text(cache),
          Text(cookies / L"profile.dat") + u" 是一个链接"}) {
        EXPECT_NE(messages_.shown[0].text.find(kept), std::u16string::npos)
            << ToUtf8(messages_.shown[0].text);
    }
}

TEST_F(RunOnWine, ACopyNeverGoesThroughALinkNorLosesANameToCase) {
    const fs::path outside = scratch_.path() / L"outside";
    WriteMarker(outside / L"marker.txt");
    const fs::path looping = scratch_.path() / L"looping";
    WriteMarker(looping / L"letter.doc");
    ASSERT_TRUE(MakeUnixLink(looping / L"parent", UnixPath(scratch_.path())));
    ASSERT_TRUE(MakeUnixLink(looping / L"elsewhere", UnixPath(outside)));
    const fs::path twins = scratch_.path() / L"twins";
    fs::create_directories(twins);
    ASSERT_TRUE(RunUnixScript("cd " + ShellQuoted(UnixPath(twins)) +
                              " && printf a > report.txt && printf bb > REPORT.TXT"));
    const fs::path plain = scratch_.path() / L"plain";
    WriteMarker(plain / L"sub" / L"a.txt");
    const fs::path linkedDestination = scratch_.path() / L"linked destination";
    ASSERT_TRUE(MakeUnixLink(linkedDestination / L"sub", UnixPath(outside)));
    struct Case {
        fs::path source;
        fs::path destination;
        std::u16string reason;
    };
    const std::vector<Case> cases = {
        {looping, scratch_.path() / L"new 1", u"是一个链接, 复制时会跟着它"},
        {twins, scratch_.path() / L"new 2", u"只是大小写不同"},
        {plain, linkedDestination, u"是一个链接, 复制时会通过它写到目标以外"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source.string());
        SetLocation(ControlId::LblDoc, c.source);
        Select(ControlId::ChkDoc, ControlId::TxtDoc, c.destination);
        Run();
        ASSERT_EQ(messages_.shown.size(), 1u);
        EXPECT_EQ(messages_.shown[0].title, kRefusedTitle);
        EXPECT_NE(messages_.shown[0].text.find(c.reason), std::u16string::npos)
            << ToUtf8(messages_.shown[0].text);
        EXPECT_EQ(controls_.Text(ControlId::LblDoc), Text(c.source));
    }
    EXPECT_FALSE(fs::exists(scratch_.path() / L"new 1"));
    EXPECT_FALSE(fs::exists(scratch_.path() / L"new 2"));
    EXPECT_FALSE(fs::exists(outside / L"a.txt")) << "written through the destination's link";
}

TEST_F(RunOnWine, MyDocumentsLinkedWhereNoDriveReachesIsCopied) {
    // As in a prefix without drive Z:, where the profile's folders lead to a home folder.
    const std::string home = UnixPath(L"C:\\") + "../home-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(RunUnixScript("mkdir -p " + ShellQuoted(home) + " && printf thesis > " +
                              ShellQuoted(home + "/thesis.txt")));
    const fs::path documents = scratch_.path() / L"Documents";
    ASSERT_TRUE(MakeUnixLink(documents, home));
    ASSERT_TRUE(files_.CanonicalPath(Text(documents))->starts_with(u"\\\\?\\"));
    SetLocation(ControlId::LblDoc, documents);
    const fs::path destination = scratch_.path() / L"新文档";
    Select(ControlId::ChkDoc, ControlId::TxtDoc, destination);
    Run();
    RunUnixScript("rm -rf " + ShellQuoted(home));
    EXPECT_TRUE(messages_.shown.empty()) << ToUtf8(messages_.shown.front().text);
    EXPECT_TRUE(fs::exists(destination / L"thesis.txt")) << "moved without its contents";
    EXPECT_EQ(controls_.Text(ControlId::LblDoc), Text(destination));
}

TEST_F(RunOnWine, ACommandInterpreterThatCannotStartIsToldAndTheMoveStands) {
    const fs::path temp = scratch_.path() / L"old temp";
    WriteMarker(temp / L"old.tmp");
    SetLocation(ControlId::LblTemp, temp);
    Select(ControlId::ChkTemp, ControlId::TxtTemp, scratch_.path() / L"new temp");
    controls_.SetValue(ControlId::ChkDelTmp, kChecked);
    RunOutcome outcome;
    {
        const CommandInterpreterAway aside;
        ASSERT_TRUE(aside.Moved());
        outcome = Run();
    }
    EXPECT_EQ(outcome.Count(FolderOutcome::Result::Moved), 1);
    EXPECT_EQ(outcome.notStarted.size(), 4u);
    EXPECT_EQ(controls_.Text(ControlId::LblTemp), Text(scratch_.path() / L"new temp"));
    EXPECT_TRUE(fs::exists(temp / L"old.tmp"));
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].title, kDeletionFailedTitle);
    EXPECT_NE(messages_.shown[0].text.find(u"TEMP: " + Text(temp)), std::u16string::npos);
}

// Denies writing values to the resolved shell-folder key while it lives.
class DeniedShellFolders {
  public:
    DeniedShellFolders() {
        RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, READ_CONTROL | WRITE_DAC, &key_);
        DWORD size = 0;
        RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, nullptr, &size);
        original_.resize(size);
        RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, original_.data(), &size);
        PSECURITY_DESCRIPTOR denying = nullptr;
        ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(D;;0x2;;;WD)(A;;KA;;;WD)",
                                                             SDDL_REVISION_1, &denying, nullptr);
        denied_ = RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, denying) == ERROR_SUCCESS;
        LocalFree(denying);
    }
    ~DeniedShellFolders() {
        RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, original_.data());
        RegCloseKey(key_);
    }
    DeniedShellFolders(const DeniedShellFolders&) = delete;
    DeniedShellFolders& operator=(const DeniedShellFolders&) = delete;
    bool Denied() const { return denied_; }

  private:
    static constexpr const wchar_t* kKey =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    HKEY key_ = nullptr;
    std::vector<BYTE> original_;
    bool denied_ = false;
};

TEST_F(RunOnWine, ADeniedSecondKeyLeavesBothValuesAsTheyWere) {
    const RegistryTarget user = kManagedFolders[4].writeTargets[0];
    const RegistryTarget resolved = kManagedFolders[4].writeTargets[1];
    const auto userBefore = Value(user);
    const auto resolvedBefore = Value(resolved);
    ASSERT_TRUE(userBefore && userBefore->existed);
    controls_.SetValue(ControlId::ChkCopy, kUnchecked);
    Select(ControlId::ChkFav, ControlId::TxtFav, scratch_.path() / L"Favorites");
    {
        const DeniedShellFolders denied;
        ASSERT_TRUE(denied.Denied());
        Run();
    }
    EXPECT_EQ(Value(user), userBefore);
    EXPECT_EQ(Value(resolved), resolvedBefore);
    EXPECT_FALSE(fs::exists(scratch_.path() / L"Favorites"));
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].title, kWriteFailedTitle);
    EXPECT_NE(messages_.shown[0].text.find(u"已经写入的值都已恢复原样"), std::u16string::npos)
        << ToUtf8(messages_.shown[0].text);
}

TEST_F(RunOnWine, ALockedSourceFileIsToldAsACopyNotDone) {
    const fs::path oldDocuments = scratch_.path() / L"旧文档";
    WriteMarker(oldDocuments / L"free.txt");
    WriteMarker(oldDocuments / L"locked.txt");
    const win32::UniqueKernelHandle lock(
        win32::NullIfInvalid(CreateFileW((oldDocuments / L"locked.txt").c_str(), GENERIC_READ, 0,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    ASSERT_TRUE(lock);
    SetLocation(ControlId::LblDoc, oldDocuments);
    const fs::path destination = scratch_.path() / L"新文档";
    Select(ControlId::ChkDoc, ControlId::TxtDoc, destination);
    Run();
    EXPECT_TRUE(fs::exists(destination / L"free.txt"));
    EXPECT_EQ(controls_.Text(ControlId::LblDoc), Text(destination));
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].title, kCopyIncompleteTitle);
    EXPECT_NE(messages_.shown[0].text.find(u"仍然在原来的位置"), std::u16string::npos);
    EXPECT_TRUE(fs::exists(oldDocuments / L"locked.txt"));
}

}  // namespace
}  // namespace tarnwick::testing
