// The directory, process and destination-check bindings against Wine's real file system and
// command interpreter, inside the scratch prefix's temporary folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "core/check_target.h"
#include "platform/fake/recorders.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/win32_system.h"
#include "support/wait_for.h"

namespace tarnwick::testing {
namespace {

namespace fs = std::filesystem;

std::u16string Text(const fs::path& path) {
    const std::wstring wide = path.wstring();
    return std::u16string(wide.begin(), wide.end());
}

class OnWineDisk : public ::testing::Test {
  protected:
    OnWineDisk() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        scratch_ = fs::path(temp) / (L"tarnwick-system-" + std::to_wstring(GetCurrentProcessId()));
        fs::create_directories(scratch_);
    }
    ~OnWineDisk() override {
        std::error_code ignored;
        fs::remove_all(scratch_, ignored);
    }

    fs::path scratch_;
    win32::AnsiCodePage codePage_;
    win32::Win32Directories directories_;
    win32::Win32Processes processes_;
    fake::MessageRecorder messages_;
};

TEST_F(OnWineDisk, CheckTargetCreatesSeveralMissingLevels) {
    const fs::path destination = scratch_ / L"一" / L"two" / L"三 four";
    EXPECT_TRUE(
        CheckTarget(u"C:\\ELSEWHERE", Text(destination), {messages_, directories_, codePage_}));
    EXPECT_TRUE(fs::is_directory(destination));
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(OnWineDisk, AnInvalidPathIsRefusedAndNothingIsCreated) {
    // A character Windows forbids in names, and a drive that does not exist.
    EXPECT_EQ(
        directories_.MakeSureDirectoryPathExists(codePage_.ToAnsi(Text(scratch_)) + "\\a<b\\"), 0);
    EXPECT_EQ(directories_.MakeSureDirectoryPathExists("Q:\\Temp\\Temp\\"), 0);
    EXPECT_FALSE(CheckTarget(u"C:\\X", u"Q:\\Temp\\Temp", {messages_, directories_, codePage_}));
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].title, kInvalidPathTitle);
    EXPECT_TRUE(fs::is_empty(scratch_));
}

TEST_F(OnWineDisk, TheHiddenCommandRemovesAFolderTree) {
    const fs::path tree = scratch_ / L"旧 TEMP";
    fs::create_directories(tree / L"a" / L"b");
    std::ofstream(tree / L"a" / L"b" / L"file.tmp") << "x";
    std::ofstream(tree / L"noextension") << "x";
    processes_.StartHidden(u"CMD.exe /C RD /S/Q \"" + Text(tree) + u"\"");
    EXPECT_TRUE(WaitFor([&] { return !fs::exists(tree); })) << "the tree is still there";
}

TEST_F(OnWineDisk, TheKeepingCommandEmptiesTheFolderAndLeavesIt) {
    const fs::path tree = scratch_ / L"TEMP";
    fs::create_directories(tree / L"sub");
    std::ofstream(tree / L"sub" / L"file.tmp") << "x";
    processes_.StartHidden(u"CMD.exe /C RD /S/Q \"" + Text(tree) + u"\" & MD \"" + Text(tree) +
                           u"\"");
    EXPECT_TRUE(WaitFor([&] { return !fs::exists(tree / L"sub"); }));
    EXPECT_TRUE(WaitFor([&] { return fs::is_directory(tree) && fs::is_empty(tree); }));
}

TEST_F(OnWineDisk, AProgramThatCannotStartIsRaised) {
    EXPECT_THROW(processes_.StartHidden(u"Q:\\no\\such\\program.exe"), ProcessStartError);
}

TEST(SystemFolders, NameTheProfileWindowsAndProgramFiles) {
    const std::vector<ProtectedFolder> folders = win32::SystemFolders();
    ASSERT_GE(folders.size(), 3u);
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    const auto has = [&](std::wstring_view path) {
        for (const ProtectedFolder& folder : folders) {
            if (_wcsicmp(std::wstring(folder.path.begin(), folder.path.end()).c_str(),
                         std::wstring(path).c_str()) == 0) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(has(windows));
    wchar_t profile[MAX_PATH] = {};
    GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH);
    EXPECT_TRUE(has(profile));
}

}  // namespace
}  // namespace tarnwick::testing
