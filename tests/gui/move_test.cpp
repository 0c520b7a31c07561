// The move button for real, in the scratch prefix: the typical request, both refusals, and the
// window's initial state (delete only), also with a command interpreter that cannot start.
#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>

#include "core/managed_folders.h"
#include "platform/win32/module_path.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "registry_snapshot.h"
#include "tarnwick_process.h"
#include "wine/scratch_disk.h"

namespace tarnwick::testing {
namespace {

namespace fs = std::filesystem;

std::wstring ReadValueW(const wchar_t* key, const wchar_t* name, DWORD* type) {
    wchar_t data[2048] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY | RRF_NOEXPAND, type, data, &size) !=
        ERROR_SUCCESS) {
        return L"";
    }
    return data;
}

std::string ReadValueBytes(const char* key, const char* name) {
    char data[2048] = {};
    DWORD size = sizeof data;
    if (RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_ANY | RRF_NOEXPAND, nullptr, data,
                     &size) != ERROR_SUCCESS) {
        return {};
    }
    return std::string(data, size);
}

// What a new process learns from the shell about its Documents folder.
std::wstring PersonalFolderOfANewProcess() {
    const std::wstring self = win32::ModulePath();
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    win32::UniqueKernelHandle readEnd;
    win32::UniqueKernelHandle writeEnd;
    CreatePipe(readEnd.put(), writeEnd.put(), &inherit, 0);
    SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION child{};
    std::wstring commandLine = L"\"" + self + L"\" --personal-folder";
    if (!CreateProcessW(self.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        nullptr, &startup, &child)) {
        ADD_FAILURE() << "cannot start " << Utf8(self) << ": error " << GetLastError();
        return {};
    }
    const win32::UniqueKernelHandle process(child.hProcess);
    const win32::UniqueKernelHandle thread(child.hThread);
    writeEnd.reset();  // the child's end of the pipe only: its exit ends the reading
    std::string output;
    char chunk[512];
    DWORD read = 0;
    while (ReadFile(readEnd.get(), chunk, sizeof chunk, &read, nullptr) && read > 0) {
        output.append(chunk, read);
    }
    EXPECT_EQ(WaitForSingleObject(process.get(), 10000), WAIT_OBJECT_0) << "the child hangs";
    return win32::WideFromUtf8(output);
}

const wchar_t* kShellFoldersW =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const wchar_t* kUserShellFoldersW =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

TEST(Move, TheTypicalRequestMovesMyDocumentsAndCopiesItsContents) {
    const RegistrySnapshot registry;
    DWORD type = 0;
    const fs::path oldDocuments = ReadValueW(kShellFoldersW, L"Personal", &type);
    ASSERT_FALSE(oldDocuments.empty());
    fs::create_directories(oldDocuments / L"子文件夹");
    std::ofstream(oldDocuments / L"子文件夹" / L"README") << "no extension";
    std::ofstream(oldDocuments / L"note.txt") << "note";
    const ScratchFolder scratch(L"gui-move");
    const fs::path destination = scratch.path() / L"新位置" / L"My Documents";

    TarnwickProcess tarnwick;
    const HWND window = tarnwick.WaitForWindow();
    ASSERT_NE(window, nullptr);
    Click(window, ControlId::ChkDelTmp);
    Click(window, ControlId::ChkDoc);
    Type(window, ControlId::TxtDoc, destination.wstring());
    ASSERT_TRUE(WaitFor([&] {
        return SendMessageW(Control(window, ControlId::ChkDoc), BM_GETCHECK, 0, 0) == BST_CHECKED &&
               SendMessageW(Control(window, ControlId::ChkDelTmp), BM_GETCHECK, 0, 0) ==
                   BST_UNCHECKED;
    }));
    Click(window, ControlId::CmdOK);
    ASSERT_TRUE(WaitFor([&] {
        return WindowText(Control(window, ControlId::LblDoc)) == destination.wstring();
    })) << "the label did not take the destination: "
        << Utf8(WindowText(Control(window, ControlId::LblDoc)));

    for (const wchar_t* key : {kUserShellFoldersW, kShellFoldersW}) {
        SCOPED_TRACE(Utf8(key));
        EXPECT_EQ(ReadValueW(key, L"Personal", &type), destination.wstring());
        EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
    }
    // The stored block: the ANSI path, then zeros up to 255 bytes.
    const std::string ansi = ReadValueBytes(
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", "Personal");
    ASSERT_EQ(ansi.size(), 255u);
    char expected[MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, 0, destination.c_str(), -1, expected, MAX_PATH, nullptr, nullptr);
    EXPECT_EQ(ansi.substr(0, ansi.find('\0')), expected);
    EXPECT_EQ(ansi.find_first_not_of('\0', ansi.find('\0')), std::string::npos);

    EXPECT_TRUE(fs::is_regular_file(destination / L"note.txt"));
    EXPECT_TRUE(fs::is_regular_file(destination / L"子文件夹" / L"README"));
    EXPECT_TRUE(fs::is_regular_file(oldDocuments / L"note.txt")) << "the old contents are kept";
    EXPECT_EQ(PersonalFolderOfANewProcess(), destination.wstring());
    EXPECT_EQ(CountMainWindows(tarnwick.Id()), 1);
}

TEST(Move, EachRefusalIsToldInItsOwnMessageBox) {
    DWORD type = 0;
    const std::wstring favorites = ReadValueW(kShellFoldersW, L"Favorites", &type);
    TarnwickProcess tarnwick;
    const HWND window = tarnwick.WaitForWindow();
    ASSERT_NE(window, nullptr);
    Click(window, ControlId::ChkDelTmp);
    Click(window, ControlId::ChkFav);
    std::wstring lower = favorites;
    for (wchar_t& c : lower) {
        c = static_cast<wchar_t>(towlower(c));
    }
    Type(window, ControlId::TxtFav, lower);
    Click(window, ControlId::CmdOK);
    const auto same = AnswerMessageBox(tarnwick.Id());
    ASSERT_TRUE(same) << "no message for the same folder";
    EXPECT_EQ(Utf8(same->title), "不需要转移");
    EXPECT_EQ(Utf8(same->text), "源路径和目标路径相同,不需要转移!");

    Type(window, ControlId::TxtFav, L"Favorites");
    Click(window, ControlId::CmdOK);
    const auto invalid = AnswerMessageBox(tarnwick.Id());
    ASSERT_TRUE(invalid) << "no message for an incomplete path";
    EXPECT_EQ(Utf8(invalid->title), "路径不合法");
    EXPECT_EQ(Utf8(invalid->text), "输入的路径名不合法,请重新输入!");
    EXPECT_EQ(ReadValueW(kShellFoldersW, L"Favorites", &type), favorites) << "the registry changed";
}

TEST(Move, TheInitialStateEmptiesTempAndKeepsIt) {
    DWORD type = 0;
    wchar_t expanded[MAX_PATH] = {};
    ExpandEnvironmentStringsW(ReadValueW(L"Environment", L"Temp", &type).c_str(), expanded,
                              MAX_PATH);
    const fs::path temp = expanded;
    ASSERT_FALSE(temp.empty());
    fs::create_directories(temp / L"old" / L"deeper");
    std::ofstream(temp / L"old" / L"deeper" / L"file.tmp") << "x";
    std::ofstream(temp / L"loose.tmp") << "x";

    TarnwickProcess tarnwick;
    const HWND window = tarnwick.WaitForWindow();
    ASSERT_NE(window, nullptr);
    Click(window, ControlId::CmdOK);
    EXPECT_TRUE(WaitFor([&] {
        return !fs::exists(temp / L"loose.tmp") && !fs::exists(temp / L"old");
    })) << "TEMP was not emptied";
    EXPECT_TRUE(WaitFor([&] { return fs::is_directory(temp); }, std::chrono::seconds(10)))
        << "TEMP no longer exists";
    EXPECT_FALSE(tarnwick.WaitForExit(0));
}

TEST(Move, ACommandInterpreterThatCannotStartIsToldAndTheWindowStays) {
    const CommandInterpreterAway away;
    ASSERT_TRUE(away.Moved());
    TarnwickProcess tarnwick;
    const HWND window = tarnwick.WaitForWindow();
    ASSERT_NE(window, nullptr);
    Click(window, ControlId::CmdOK);  // the initial state empties the temporary folders
    const auto failure = AnswerMessageBox(tarnwick.Id());
    ASSERT_TRUE(failure) << "no message about the failure";
    EXPECT_EQ(Utf8(failure->title), "没有删除临时文件夹");
    for (const wchar_t* folder : {L"TEMP: ", L"Cookie: ", L"历史文件夹: ", L"IE缓存: "}) {
        EXPECT_NE(failure->text.find(folder), std::wstring::npos) << Utf8(failure->text);
    }
    EXPECT_FALSE(tarnwick.WaitForExit(1000)) << "the program ended";
}

}  // namespace
}  // namespace tarnwick::testing
