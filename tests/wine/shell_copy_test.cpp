// The shell copy and the folder picker through Wine's real shell32: "folder\*.*" brings files
// with and without an extension and whole sub-folders, replaces a same-named file without asking,
// and Chinese folder names pass through the ANSI code page both ways.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/mod_reg_shell.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/win32_shell.h"
#include "scratch_disk.h"
#include "support/wait_for.h"

namespace tarnwick::testing {
namespace {

namespace fs = std::filesystem;
using Tree = std::map<std::u16string, std::string>;  // relative file path -> bytes

// Ends the process if the guarded call has not returned in time: a shell dialog waiting for an
// answer nobody gives would otherwise hang the whole run.
class Watchdog {
  public:
    explicit Watchdog(std::chrono::seconds limit)
        : thread_([this, limit] {
              std::unique_lock lock(mutex_);
              if (!changed_.wait_for(lock, limit, [this] { return done_; })) {
                  std::fputs("[  FAILED  ] the shell did not return: a dialog must be waiting\n",
                             stderr);
                  std::fflush(stderr);
                  TerminateProcess(GetCurrentProcess(), 3);
              }
          }) {}
    ~Watchdog() {
        {
            const std::lock_guard lock(mutex_);
            done_ = true;
        }
        changed_.notify_one();
        thread_.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool done_ = false;
    std::thread thread_;
};

void WriteAll(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

Tree ReadTree(const fs::path& root) {
    Tree tree;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            tree[entry.path().lexically_relative(root).u16string()] = {
                std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        }
    }
    return tree;
}

class OnWineShell : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    }
    void TearDown() override { CoUninitialize(); }

    // The folder's path as the program hands it over, after checking it survives the ANSI trip.
    std::u16string ProgramPath(const fs::path& path) {
        const std::u16string text = path.u16string();
        EXPECT_EQ(codePage_.FromAnsi(codePage_.ToAnsi(text)), text);
        return text;
    }

    void Copy(const fs::path& source, const fs::path& destination) {
        const Watchdog watchdog(std::chrono::seconds(60));
        modReg_.ShellCopyFiles(ProgramPath(source) + u"\\*.*", ProgramPath(destination));
    }

    const ScratchFolder scratchFolder_{L"shell-copy"};
    const fs::path scratch_ = scratchFolder_.path();
    win32::AnsiCodePage codePage_;
    win32::Win32Shell shell_;
    ModRegShell modReg_{shell_, codePage_};
};

using ShellCopy = OnWineShell;

TEST_F(ShellCopy, EveryFileAndSubFolderArrivesAndSameNamedFilesAreReplaced) {
    const fs::path source = scratch_ / u"源 文件";
    const Tree files = {
        {u"readme.txt", "new readme"},
        {u"LICENSE", "no extension"},
        {u"archive.tar.gz", "two dots"},
        {u"docs\\guide.md", "nested"},
        {u"docs\\deep\\notes", "nested twice, no extension"},
        {u"资料\\说明.txt", std::string("binary\0\xFF\r\n", 10)},
    };
    for (const auto& [name, bytes] : files) {
        WriteAll(source / name, bytes);
    }
    fs::create_directories(source / u"empty");
    const fs::path destination = scratch_ / u"目标";
    WriteAll(destination / u"readme.txt", "the old readme, longer than the new one");
    WriteAll(destination / u"kept.txt", "only here");

    Copy(source, destination);

    Tree expected = files;
    expected[u"kept.txt"] = "only here";
    EXPECT_EQ(ReadTree(destination), expected);
    EXPECT_TRUE(fs::is_directory(destination / u"empty"));
    EXPECT_EQ(ReadTree(source), files);
}

TEST_F(ShellCopy, SourceMatchingNothingReturnsAndChangesNothing) {
    const fs::path source = scratch_ / u"空";
    fs::create_directories(source);
    const fs::path destination = scratch_ / u"目标";
    WriteAll(destination / u"kept.txt", "only here");

    Copy(source, destination);

    EXPECT_EQ(ReadTree(destination), (Tree{{u"kept.txt", "only here"}}));
}

// What the answering thread saw of the picker dialog.
struct PickerSeen {
    bool shown = false;
    bool selected = false;  // the folder to pick was the picker's selection before OK
    std::vector<std::wstring> texts;
};

BOOL CALLBACK MatchPicker(HWND window, LPARAM found) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        std::wstring(name) == L"#32770") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectText(HWND window, LPARAM texts) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    reinterpret_cast<std::vector<std::wstring>*>(texts)->push_back(text);
    return TRUE;
}

std::wstring SelectedItemText(HWND tree) {
    const auto item =
        reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    wchar_t text[MAX_PATH] = {};
    TVITEMW query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = MAX_PATH;
    if (!item || !SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query))) {
        return {};
    }
    return text;
}

// Plays the user: waits for this process's picker, notes its texts, then selects folder and
// presses OK, or presses Cancel when folder is empty.
std::thread AnswerPicker(fs::path folder, PickerSeen& seen) {
    return std::thread([folder = std::move(folder), &seen] {
        HWND dialog = nullptr;
        WaitFor([&] {
            EnumWindows(MatchPicker, reinterpret_cast<LPARAM>(&dialog));
            return dialog != nullptr;
        });
        if (!dialog) {
            return;
        }
        seen.shown = true;
        EnumChildWindows(dialog, CollectText, reinterpret_cast<LPARAM>(&seen.texts));
        if (!folder.empty()) {
            const HWND tree = FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
            // Until the picker has filled its tree, a selection made from outside is lost; it is
            // made again until the tree shows it.
            seen.selected = WaitFor([&] {
                if (SelectedItemText(tree) == folder.filename()) {
                    return true;
                }
                if (SendMessageW(tree, TVM_GETCOUNT, 0, 0) > 0) {
                    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE,
                                 reinterpret_cast<LPARAM>(folder.c_str()));
                }
                return false;
            });
        }
        PostMessageW(dialog, WM_COMMAND, folder.empty() ? IDCANCEL : IDOK, 0);
    });
}

using ShellPicker = OnWineShell;

TEST_F(ShellPicker, CancelGivesEmptyTextAfterShowingTheTitle) {
    PickerSeen seen;
    std::thread user = AnswerPicker({}, seen);
    std::u16string path = u"not returned";
    {
        const Watchdog watchdog(std::chrono::seconds(60));
        path = modReg_.BrowseForFolderPath(0, u"选择文件夹");
    }
    user.join();
    ASSERT_TRUE(seen.shown);
    EXPECT_NE(std::find(seen.texts.begin(), seen.texts.end(), L"选择文件夹"), seen.texts.end());
    EXPECT_EQ(path, u"");
}

TEST_F(ShellPicker, ChosenChineseFolderComesBackAsItsPath) {
    const fs::path folder = scratch_ / u"文件夹";
    fs::create_directories(folder);
    PickerSeen seen;
    std::thread user = AnswerPicker(folder, seen);
    std::u16string path;
    {
        const Watchdog watchdog(std::chrono::seconds(60));
        path = modReg_.BrowseForFolderPath(0, u"t");
    }
    user.join();
    ASSERT_TRUE(seen.shown);
    ASSERT_TRUE(seen.selected) << "the picker never showed the folder selected";
    EXPECT_EQ(path, ProgramPath(folder));
}

}  // namespace
}  // namespace tarnwick::testing
