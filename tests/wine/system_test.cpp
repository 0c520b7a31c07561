// The file-system, process and known-folder bindings against Wine's real disk, command interpreter
// and shell, on the scratch disk S:.
#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <fstream>

#include "core/text.h"
#include "platform/win32/module_path.h"
#include "platform/win32/system_library.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_system.h"
#include "scratch_disk.h"
#include "support/utf8.h"
#include "ui/win32/fatal_error.h"

namespace tarnwick::testing {
namespace {

namespace fs = std::filesystem;

std::string Utf8(const std::wstring& text) {
    return ToUtf8(std::u16string(text.begin(), text.end()));
}

// Every entry directly in folder, by name.
std::vector<std::wstring> Entries(const fs::path& folder) {
    std::vector<std::wstring> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().wstring());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(WideText, JoinedPutsThePartsOneAfterAnother) {
    const std::wstring folder = L"S:\\树";
    EXPECT_EQ(win32::WideJoined({L"\\\\?\\", folder, L"", L"\\*"}), L"\\\\?\\S:\\树\\*");
    EXPECT_EQ(win32::WideJoined({}), L"");
}

TEST(FileSystem, TheCanonicalFormIsWhatWindowsActsOn) {
    win32::Win32FileSystem files;
    const std::wstring documents = KnownFolder(FOLDERID_Documents);
    ASSERT_FALSE(documents.empty());
    wchar_t shortName[MAX_PATH] = {};
    ASSERT_NE(GetShortPathNameW(documents.c_str(), shortName, MAX_PATH), 0u);
    ASSERT_NE(std::wstring(shortName), documents) << "no 8.3 name to test with";
    std::wstring upper = documents;
    for (wchar_t& c : upper) {
        c = towupper(c);
    }
    const std::u16string expected(documents.begin(), documents.end());
    for (const std::wstring& spelling :
         {documents + L".", documents + L".\\.", documents + L" . ", documents + L"\\x\\..",
          std::wstring(shortName), upper, documents + L"\\"}) {
        EXPECT_EQ(files.CanonicalPath(std::u16string(spelling.begin(), spelling.end())), expected)
            << Utf8(spelling);
    }
    // A level still to be created keeps its name as typed, less what Windows drops.
    EXPECT_EQ(files.CanonicalPath(std::u16string(shortName, shortName + wcslen(shortName)) +
                                  u"\\New Folder.\\Sub "),
              expected + u"\\New Folder\\Sub");
    EXPECT_EQ(files.CanonicalPath(u"C:\\CON"), std::nullopt);
    EXPECT_EQ(files.CanonicalPath(u"relative"), std::nullopt) << "not from the current folder";
}

TEST(FileSystem, FoldersAreMadeWholeWhateverTheirNames) {
    const ScratchFolder scratch(L"folders");
    win32::Win32FileSystem files;
    // 淺 is 9C 5C in code page 936: its second byte is a backslash.
    const std::u16string level1 = scratch.Text() + u"\\淺";
    const std::u16string level2 = level1 + u"\\乗 x";
    EXPECT_TRUE(files.CreateFolder(level1));
    EXPECT_TRUE(files.CreateFolder(level2));
    EXPECT_TRUE(files.CreateFolder(level2)) << "an existing folder is fine";
    EXPECT_EQ(Entries(scratch.path()), std::vector<std::wstring>{L"淺"});
    EXPECT_EQ(Entries(fs::path(level1)), std::vector<std::wstring>{L"乗 x"});
    EXPECT_EQ(files.KindOf(level2), PathKind::Folder);

    const std::u16string tooLong = scratch.Text() + u"\\" + std::u16string(300, u'x');
    EXPECT_FALSE(files.CreateFolder(tooLong));
    EXPECT_FALSE(files.CreateFolder(scratch.Text() + u"\\" + std::u16string(40000, u'y')));
    EXPECT_EQ(Entries(scratch.path()), std::vector<std::wstring>{L"淺"});

    std::ofstream(fs::path(level2) / L"file") << "x";
    EXPECT_FALSE(files.RemoveEmptyFolder(level2)) << "a folder with a file in it was removed";
    EXPECT_EQ(files.KindOf(level2 + u"\\file"), PathKind::File);
    EXPECT_EQ(files.KindOf(level2 + u"\\missing\\deeper"), PathKind::Missing);
}

TEST(FileSystem, ATreeIsListedWithSizesWithoutEnteringLinks) {
    const ScratchFolder scratch(L"tree");
    win32::Win32FileSystem files;
    fs::create_directories(scratch.path() / L"子" / L"empty");
    std::ofstream(scratch.path() / L"子" / L"a.txt") << "abc";
    std::ofstream(scratch.path() / L"README") << "12345";
    // A link to the tree's own root: entered, it would never end. Wine shows a link to a file
    // as that file.
    ASSERT_TRUE(MakeUnixLink(scratch.path() / L"子" / L"loop", UnixPath(scratch.path())));
    ASSERT_TRUE(
        MakeUnixLink(scratch.path() / L"子" / L"readme", UnixPath(scratch.path() / L"README")));
    TreeListing tree = files.ListTree(scratch.Text());
    ASSERT_TRUE(tree.Complete());
    std::sort(tree.entries.begin(), tree.entries.end(), [](const TreeEntry& a, const TreeEntry& b) {
        return a.relativePath < b.relativePath;
    });
    EXPECT_EQ(tree.entries, (std::vector<TreeEntry>{{u"README", 5, false},
                                                    {u"子", 0, true},
                                                    {u"子\\a.txt", 3, false},
                                                    {u"子\\empty", 0, true},
                                                    {u"子\\loop", 0, true, true},
                                                    {u"子\\readme", 5, false, true}}));
    EXPECT_EQ(files.ListTree(scratch.Text(), {.maxEntries = 5}).status,
              TreeListing::Status::TooLarge);
    EXPECT_EQ(files.ListTree(scratch.Text(), {.maxEntries = 6}).status,
              TreeListing::Status::Complete);
    EXPECT_TRUE(files.HasEntries(scratch.Text()));
    EXPECT_FALSE(files.HasEntries(scratch.Text() + u"\\子\\empty"));
    EXPECT_FALSE(files.ListTree(scratch.Text() + u"\\missing").Complete());
}

TEST(FileSystem, NamesThatDifferOnlyInCaseShareAKey) {
    win32::Win32FileSystem files;
    EXPECT_EQ(files.NameKey(u"report.txt"), files.NameKey(u"REPORT.TXT"));
    EXPECT_EQ(files.NameKey(u"σχέδιο\\файл"), files.NameKey(u"ΣΧΈΔΙΟ\\ФАЙЛ"));
    EXPECT_NE(files.NameKey(u"报告"), files.NameKey(u"报表"));
}

TEST(FileSystem, ALinkToWhereNoDriveReachesIsComparedButActedOnByName) {
    // Drive Z: is gone, so the prefix's own folder is reached by no drive.
    const ScratchFolder scratch(L"unreachable");
    const std::string outside =
        UnixPath(L"C:\\") + "../unreachable-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(RunUnixScript("mkdir -p " + ShellQuoted(outside)));
    const fs::path link = scratch.path() / L"Documents";
    ASSERT_TRUE(MakeUnixLink(link, outside));
    win32::Win32FileSystem files;
    const auto canonical = files.CanonicalPath(Text(link) + u"\\sub");
    RunUnixScript("rm -rf " + ShellQuoted(outside));
    ASSERT_TRUE(canonical);
    EXPECT_TRUE(canonical->starts_with(u"\\\\?\\")) << ToUtf8(*canonical);
    EXPECT_TRUE(canonical->ends_with(u"\\sub")) << ToUtf8(*canonical);
    EXPECT_EQ(files.FullPath(Text(link) + u"\\.\\sub. "), Text(link) + u"\\sub");
}

TEST(KnownFolders, TheUsersAndTheSystemsFoldersButNotTheTemporaryOnes) {
    win32::Win32KnownFolders known;
    const std::vector<NamedFolder> folders = known.ProtectedFolders();
    const auto has = [&](const std::wstring& path) {
        return !path.empty() &&
               std::any_of(folders.begin(), folders.end(), [&](const NamedFolder& folder) {
                   return _wcsicmp(std::wstring(folder.path.begin(), folder.path.end()).c_str(),
                                   path.c_str()) == 0;
               });
    };
    for (const KNOWNFOLDERID* id :
         {&FOLDERID_Profile, &FOLDERID_Desktop, &FOLDERID_Documents, &FOLDERID_Favorites,
          &FOLDERID_RoamingAppData, &FOLDERID_LocalAppData, &FOLDERID_Windows, &FOLDERID_System,
          &FOLDERID_ProgramFiles, &FOLDERID_ProgramFilesCommon, &FOLDERID_ProgramData,
          &FOLDERID_Public}) {
        EXPECT_TRUE(has(KnownFolder(*id))) << Utf8(KnownFolder(*id));
    }
    for (const KNOWNFOLDERID* id :
         {&FOLDERID_InternetCache, &FOLDERID_Cookies, &FOLDERID_History}) {
        EXPECT_FALSE(has(KnownFolder(*id))) << Utf8(KnownFolder(*id));
    }
}

// The code of the load that failed, carried by the Error, or 0 when nothing was raised.
template <typename Function>
std::uint32_t RequiredLoadCode(const wchar_t* library, const char* name) {
    try {
        win32::RequiredSystemFunction<Function>(library, name);
    } catch (const Error& error) {
        return error.Code();
    }
    return 0;
}

TEST(SystemLibrary, AFunctionThatCannotBeHadIsNullOrRaisesWhatWindowsSaid) {
    using Function = void(WINAPI*)();
    EXPECT_EQ(win32::SystemFunction<Function>(L"kernel32.dll", "TarnwickNoSuchFunction"), nullptr);
    EXPECT_EQ(RequiredLoadCode<Function>(L"kernel32.dll", "TarnwickNoSuchFunction"),
              static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_EQ(RequiredLoadCode<Function>(L"tarnwick-no-such.dll", "Anything"),
              static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(RequiredLoadCode<Function>(L"kernel32.dll", "GetTickCount"), 0u);
    // The fatal-error box shows the code below the sentence; other failures have none.
    EXPECT_EQ(win32::FatalErrorText(Error("x could not be loaded", ERROR_PROC_NOT_FOUND)),
              L"Tarnwick工具遇到意外错误,将要退出:\nx could not be loaded\n错误代码: 127");
    EXPECT_EQ(win32::FatalErrorText(Error("a fault")),
              L"Tarnwick工具遇到意外错误,将要退出:\na fault");
}

TEST(HiddenCommand, RemovesAFolderTreeOrEmptiesAndKeepsIt) {
    const ScratchFolder scratch(L"hidden");
    win32::Win32Processes processes;
    const fs::path removed = scratch.path() / L"旧 TEMP";
    const fs::path emptied = scratch.path() / L"TEMP";
    for (const fs::path& tree : {removed, emptied}) {
        WriteMarker(tree / L"a" / L"b" / L"file.tmp");
        WriteMarker(tree / L"noextension");
    }
    processes.StartHidden(u"CMD.exe /C RD /S/Q \"" + Text(removed) + u"\"");
    processes.StartHidden(u"CMD.exe /C RD /S/Q \"" + Text(emptied) + u"\" & MD \"" + Text(emptied) +
                          u"\"");
    ASSERT_TRUE(ChildrenEnded());
    EXPECT_FALSE(fs::exists(removed));
    EXPECT_TRUE(fs::is_directory(emptied));
    EXPECT_TRUE(fs::is_empty(emptied));
}

// The directory this test program runs from, in a form that opens it.
fs::path OwnDirectory() {
    return fs::path(win32::ModulePath()).parent_path();
}

TEST(HiddenCommand, ACmdExeBesideTheProgramNeverRuns) {
    const ScratchFolder scratch(L"planted");
    const fs::path planted = OwnDirectory() / L"CMD.exe";
    ASSERT_TRUE(CopyFileW((OwnDirectory() / L"planted_cmd.exe").c_str(), planted.c_str(), FALSE));
    DeleteFileW(L"C:\\planted-cmd-ran");
    const fs::path tree = scratch.path() / L"old";
    WriteMarker(tree / L"file.tmp");

    win32::Win32Processes processes;
    processes.StartHidden(u"CMD.exe /C RD /S/Q \"" + Text(tree) + u"\"");
    const bool ended = ChildrenEnded();
    DeleteFileW(planted.c_str());
    const bool ran = fs::exists(L"C:\\planted-cmd-ran");
    DeleteFileW(L"C:\\planted-cmd-ran");
    ASSERT_TRUE(ended);
    EXPECT_FALSE(ran) << "the planted CMD.exe ran";
    EXPECT_FALSE(fs::exists(tree)) << "the system's cmd.exe did not run";
}

}  // namespace
}  // namespace tarnwick::testing
