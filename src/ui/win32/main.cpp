// The program's entry: one instance, one window.
#include <windows.h>

#include <commctrl.h>

#include "platform/mod_reg.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/mutex_single_instance.h"
#include "platform/win32/win32_registry.h"
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

    try {
        win32::Win32Registry registry;
        win32::AnsiCodePage codePage;
        ModReg modReg(registry, codePage);
        win32::FrmMainWindow window(instance);
        FrmMain form(window, modReg);
        form.Form_Load();
        window.ShowCentred(showCommand);

        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (!window.PreTranslate(message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        return static_cast<int>(message.wParam);
    } catch (const std::exception& failure) {
        win32::ShowFatalError(nullptr, failure);
        return 1;
    }
}
