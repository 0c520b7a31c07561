// The program's entry: one instance, and one window, or the command line when it has arguments.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <variant>
#include <vector>

#include "core/text.h"
#include "platform/error.h"
#include "platform/journal_store.h"
#include "platform/mod_reg.h"
#include "platform/mod_reg_shell.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/module_path.h"
#include "platform/win32/mutex_single_instance.h"
#include "platform/win32/system_library.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_console.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_journal_files.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_version.h"
#include "ui/command_line.h"
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
    const std::wstring_view whole = path;
    return {tarnwick::win32::Narrow(slash == std::wstring::npos ? L"" : whole.substr(0, slash)),
            tarnwick::win32::Narrow(whole.substr(slash == std::wstring::npos ? 0 : slash + 1))};
}

// The real bindings, shared by the window and the command line.
struct Platform {
    tarnwick::win32::AnsiCodePage codePage;
    tarnwick::win32::Win32Registry registry;
    tarnwick::ModReg modReg{registry, codePage};
    tarnwick::win32::Win32Shell shellApi;
    tarnwick::ModRegShell shell{shellApi, codePage};
    tarnwick::win32::Win32FileSystem files;
    tarnwick::win32::Win32Processes processes;
    tarnwick::win32::Win32KnownFolders knownFolders;
    tarnwick::win32::Win32Environment environment;
    tarnwick::win32::Win32JournalFiles journalFiles;
    tarnwick::JournalStore journal{journalFiles};

    tarnwick::RedirectServices Services() {
        return {modReg, shell, files, codePage, processes, knownFolders, environment, journal};
    }
};

int RunWindow(HINSTANCE instance, int showCommand) {
    using namespace tarnwick;
    const INITCOMMONCONTROLSEX commonControls{sizeof commonControls,
                                              ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&commonControls);
    int exitCode = win32::kExitUnexpectedError;
    try {
        Platform platform;
        win32::Win32MessageBox messages;
        const RedirectServices services = platform.Services();
        win32::Win32Version versionApi;
        ModFileVersion versions(versionApi, platform.codePage);
        const VersionStep versionStep{versions, OwnProgramFile};

        win32::FrmMainWindow window(instance);
        messages.SetOwner(window.Handle());
        FrmMain form(window, services, messages, versionStep);
        form.SetWindowHandle(reinterpret_cast<WindowHandle>(window.Handle()));
        window.OnClick([&form](ControlId id) { form.OnClick(id); });
        window.Show(showCommand, form.Form_Load());

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

// Started with arguments: no window; what the window would show is printed.
int RunCommands(const std::vector<std::u16string>& arguments,
                tarnwick::win32::MutexSingleInstance& instance) {
    using namespace tarnwick;
    win32::Win32Console console;
    const auto parsed = ParseCommandLine(arguments);
    if (const auto* error = std::get_if<std::u16string>(&parsed)) {
        console.Write(Joined({*error, u"\n用 /? 查看用法。\n"}));
        return kExitBadUsage;
    }
    const CommandLine& command = std::get<CommandLine>(parsed);
    if (command.action != CommandLine::Action::Help && !FrmMain::Form_Initialize(instance)) {
        console.Write(u"另一个 Tarnwick 正在运行, 请先关闭它。\n");
        return kExitAlreadyRunning;
    }
    try {
        Platform platform;
        return RunCommandLine(command, platform.Services(), console);
    } catch (const std::exception& failure) {
        console.Write(Joined({u"Tarnwick工具遇到意外错误: ",
                              win32::Narrow(win32::WideFromUtf8(failure.what())), u"\n"}));
        return win32::kExitUnexpectedError;
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    using namespace tarnwick;
    // Before anything loads a library: none may come from the program's folder.
    win32::RestrictLibrarySearchToSystem();
    std::vector<std::u16string> arguments = SplitCommandLine(win32::Narrow(GetCommandLineW()));
    if (!arguments.empty()) {
        arguments.erase(arguments.begin());  // the program's own name
    }
    win32::MutexSingleInstance singleInstance;
    if (!arguments.empty()) {
        return RunCommands(arguments, singleInstance);
    }
    if (!FrmMain::Form_Initialize(singleInstance)) {
        return 0;
    }
    return RunWindow(instance, showCommand);
}
