// The program's entry: one instance, one window.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "platform/mod_reg.h"
#include "platform/mod_reg_shell.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/mutex_single_instance.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "ui/frm_main.h"
#include "ui/win32/fatal_error.h"
#include "ui/win32/frm_main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    using namespace tarnwick;
    win32::MutexSingleInstance singleInstance;
    if (!FrmMain::Form_Initialize(singleInstance)) {
        return 0;
    }
    const INITCOMMONCONTROLSEX commonControls{sizeof commonControls,
                                              ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&commonControls);
    // The folder picker is a COM object living on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    int exitCode = 1;
    try {
        win32::AnsiCodePage codePage;
        win32::Win32Registry registry;
        ModReg modReg(registry, codePage);
        win32::Win32Shell shellApi;
        ModRegShell shell(shellApi, codePage);
        win32::Win32MessageBox messages;
        win32::Win32Directories directories;
        win32::Win32Processes processes;
        const RedirectServices services{
            modReg, shell, {messages, directories, codePage}, processes, win32::SystemFolders()};

        win32::FrmMainWindow window(instance);
        messages.SetOwner(window.Handle());
        FrmMain form(window, services);
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
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return exitCode;
}
