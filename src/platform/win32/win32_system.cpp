#include "platform/win32/win32_system.h"

// The known folders' ids are defined here, so that only those used come into the executable
// rather than the whole of libuuid.
#include <initguid.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <string>

#include "platform/numbers.h"
#include "platform/win32/known_folder.h"
#include "platform/win32/system_library.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace tarnwick::win32 {

namespace {

struct KnownFolder {
    const KNOWNFOLDERID* id;
    const char16_t* name;
};

// Every per-user and per-machine folder a deletion must spare. The temporary folders' own
// entries (Cookies, History, the Internet cache) are left out: they are what the option empties.
constexpr KnownFolder kKnownFolders[] = {
    {&FOLDERID_Profile, u"用户配置文件夹"},
    {&FOLDERID_UserProfiles, u"用户文件夹"},
    {&FOLDERID_Desktop, u"桌面"},
    {&FOLDERID_Documents, u"文档"},
    {&FOLDERID_Favorites, u"收藏夹"},
    {&FOLDERID_Downloads, u"下载"},
    {&FOLDERID_Music, u"音乐"},
    {&FOLDERID_Pictures, u"图片"},
    {&FOLDERID_Videos, u"视频"},
    {&FOLDERID_Links, u"链接"},
    {&FOLDERID_Contacts, u"联系人"},
    {&FOLDERID_SavedGames, u"保存的游戏"},
    {&FOLDERID_RoamingAppData, u"应用程序数据 (Roaming)"},
    {&FOLDERID_LocalAppData, u"本地应用程序数据"},
    {&FOLDERID_LocalAppDataLow, u"本地应用程序数据 (LocalLow)"},
    {&FOLDERID_StartMenu, u"开始菜单"},
    {&FOLDERID_Programs, u"程序"},
    {&FOLDERID_Startup, u"启动"},
    {&FOLDERID_SendTo, u"发送到"},
    {&FOLDERID_Recent, u"最近使用的项目"},
    {&FOLDERID_Templates, u"模板"},
    {&FOLDERID_NetHood, u"网络快捷方式"},
    {&FOLDERID_PrintHood, u"打印机快捷方式"},
    {&FOLDERID_Public, u"公用文件夹"},
    {&FOLDERID_PublicDesktop, u"公用桌面"},
    {&FOLDERID_PublicDocuments, u"公用文档"},
    {&FOLDERID_ProgramData, u"ProgramData 文件夹"},
    {&FOLDERID_CommonStartMenu, u"所有用户的开始菜单"},
    {&FOLDERID_CommonPrograms, u"所有用户的程序"},
    {&FOLDERID_CommonStartup, u"所有用户的启动"},
    {&FOLDERID_CommonTemplates, u"所有用户的模板"},
    {&FOLDERID_Windows, u"Windows 文件夹"},
    {&FOLDERID_System, u"System32 文件夹"},
    {&FOLDERID_SystemX86, u"系统文件夹 (x86)"},
    {&FOLDERID_Fonts, u"字体文件夹"},
    {&FOLDERID_ResourceDir, u"资源文件夹"},
    {&FOLDERID_ProgramFiles, u"Program Files 文件夹"},
    {&FOLDERID_ProgramFilesX86, u"Program Files (x86) 文件夹"},
    {&FOLDERID_ProgramFilesCommon, u"Common Files 文件夹"},
    {&FOLDERID_ProgramFilesCommonX86, u"Common Files (x86) 文件夹"},
};

// A 32-bit program on 64-bit Windows sees the 32-bit Program Files through the known folders;
// the 64-bit ones are only in these variables.
constexpr std::pair<const wchar_t*, const char16_t*> kNativeViewVariables[] = {
    {L"ProgramW6432", u"Program Files 文件夹 (64 位)"},
    {L"CommonProgramW6432", u"Common Files 文件夹 (64 位)"},
};

}  // namespace

void Win32Processes::StartHidden(std::u16string_view commandLine) {
    // By its full path: started by name alone, a CMD.exe in the program's folder would win.
    const std::wstring directory = SystemDirectory();
    const std::wstring interpreter = WideJoined({directory, L"\\cmd.exe"});
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION started{};
    std::wstring command = Wide(commandLine);  // CreateProcessW may write to it
    // Run from the system folder: a working folder inside the one to delete would block RD.
    if (directory.empty() ||
        !CreateProcessW(interpreter.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.c_str(), &startup, &started)) {
        const DWORD error = GetLastError();
        throw ProcessStartError(
            WithNumber("cmd.exe could not be started from the system folder (error ", error, ")"),
            error);
    }
    // Not awaited: the handles go at once, the process runs on.
    const UniqueKernelHandle process(started.hProcess);
    const UniqueKernelHandle thread(started.hThread);
}

int Win32MessageBox::Show(std::u16string_view text, std::u16string_view title,
                          std::uint32_t style) {
    return MessageBoxW(owner_, Wide(text).c_str(), Wide(title).c_str(), style);
}

std::vector<NamedFolder> Win32KnownFolders::ProtectedFolders() {
    // Without the system's answer no deletion may go ahead: KnownFolderPath raises Error when
    // shell32 cannot give it. A folder this system does not have is no folder to spare.
    std::vector<NamedFolder> folders;
    for (const KnownFolder& known : kKnownFolders) {
        if (const std::optional<std::wstring> path =
                KnownFolderPath(*known.id, KF_FLAG_DONT_VERIFY)) {
            folders.push_back({known.name, Narrow(*path)});
        }
    }
    for (const auto& [variable, name] : kNativeViewVariables) {
        wchar_t path[MAX_PATH] = {};
        const DWORD length = GetEnvironmentVariableW(variable, path, MAX_PATH);
        if (length > 0 && length < MAX_PATH) {
            folders.push_back({name, Narrow(path)});
        }
    }
    return folders;
}

void Win32Environment::AnnounceEnvironmentChange() {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                        reinterpret_cast<LPARAM>(L"Environment"), SMTO_ABORTIFHUNG, 1000, &ignored);
}

}  // namespace tarnwick::win32
