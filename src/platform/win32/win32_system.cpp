#include "platform/win32/win32_system.h"

#include <imagehlp.h>
#include <shlobj.h>

#include <string>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace tarnwick::win32 {

namespace {}  // namespace

int Win32Directories::MakeSureDirectoryPathExists(const std::string& ansiPath) {
    return ::MakeSureDirectoryPathExists(ansiPath.c_str()) ? 1 : 0;
}

void Win32Processes::StartHidden(std::u16string_view commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION started{};
    std::wstring command = Wide(commandLine);  // CreateProcessW may write to it
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        throw ProcessStartError("CMD.exe could not be started (error " +
                                std::to_string(GetLastError()) + ")");
    }
    // Not awaited: the handles go at once, the process runs on.
    const UniqueKernelHandle process(started.hProcess);
    const UniqueKernelHandle thread(started.hThread);
}

int Win32MessageBox::Show(std::u16string_view text, std::u16string_view title,
                          std::uint32_t style) {
    return MessageBoxW(owner_, Wide(text).c_str(), Wide(title).c_str(), style);
}

std::vector<ProtectedFolder> SystemFolders() {
    const std::pair<int, const char16_t*> known[] = {
        {CSIDL_PROFILE, u"用户配置文件夹"},
        {CSIDL_WINDOWS, u"Windows 文件夹"},
        {CSIDL_PROGRAM_FILES, u"Program Files 文件夹"},
        {CSIDL_PROGRAM_FILESX86, u"Program Files (x86) 文件夹"},
    };
    std::vector<ProtectedFolder> folders;
    for (const auto& [csidl, name] : known) {
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) {
            folders.push_back({name, Narrow(path)});
        }
    }
    return folders;
}

}  // namespace tarnwick::win32
