// The program's entry: one instance, one window.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include "platform/error.h"

#include "platform/mod_reg.h"
#include "platform/mod_reg_shell.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/module_path.h"
#include "platform/win32/mutex_single_instance.h"
#include "platform/win32/system_library.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_version.h"
#include "ui/frm_main.h"
#include "ui/win32/fatal_error.h"
#include "ui/win32/frm_main_window.h"

namespace {

// This program's directory and file name, as Windows reports them.
tarnwick::ProgramFile OwnProgramFile() {
    const std::wstring path = tarnwick::win32::ModulePath();
    if (path.empty()) {
        throw tarnwick::Error("the program's file name is not known");
    }
    const std::size_t slash = path.rfind(L'\\');
    const std::wstring directory = slash == std::wstring::npos ? L"" : path.substr(0, slash);
    const std::wstring name = path.substr(slash == std::wstring::npos ? 0 : slash + 1);
    return {tarnwick::win32::Narrow(directory), tarnwick::win32::Narrow(name)};
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    using namespace tarnwick;
    // Before anything loads a library: none may come from the program's folder.
    win32::RestrictLibrarySearchToSystem();
    win32::MutexSingleInstance singleInstance;
    if (!FrmMain::Form_Initialize(singleInstance)) {
        return 0;
    }
    const INITCOMMONCONTROLSEX commonControls{sizeof commonControls,
                                              ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&commonControls);

    int exitCode = win32::kExitUnexpectedError;
    try {
        win32::AnsiCodePage codePage;
        win32::Win32Registry registry;
        ModReg modReg(registry, codePage);
        win32::Win32Shell shellApi;
        ModRegShell shell(shellApi, codePage);
        win32::Win32MessageBox messages;
        win32::Win32FileSystem files;
        win32::Win32Processes processes;
        win32::Win32KnownFolders knownFolders;
        win32::Win32Environment environment;
        const RedirectServices services{modReg,   shell,     messages,     files,
                                        codePage, processes, knownFolders, environment};

        win32::Win32Version versionApi;
        ModFileVersion versions(versionApi, codePage);
        const VersionStep versionStep{versions, OwnProgramFile};

        win32::FrmMainWindow window(instance);
        messages.SetOwner(window.Handle());
        FrmMain form(window, services, versionStep);
        form.SetWindowHandle(reinterpret_cast<WindowHandle>(window.Handle()));
        window.OnClick([&form](ControlId id) { form.OnClick(id); });
        form.Form_Load();
        window.ShowCentred(showCommand);

        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (!window.PreTranslate(message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        exitCode = static_cast<int>(message.wParam);
    } catch (const std::exception& failure) {
        win32::ShowFatalError(nullptr, failure);
    }
    return exitCode;
}
