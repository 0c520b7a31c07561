// FrmMain's logic: start-up and the window's events, over an abstract set of controls.
#pragma once

#include <functional>
#include <string_view>

#include "core/managed_folders.h"
#include "core/redirect_run.h"
#include "core/run_request.h"
#include "core/run_services.h"
#include "platform/message_box_api.h"
#include "platform/mod_file_version.h"
#include "platform/single_instance.h"
#include "ui/controls.h"
#include "ui/start_texts.h"

namespace tarnwick {

inline constexpr std::u16string_view kCredits = u"Tarnwick工具  作者: Tarnwick 开发组";

// The program's own executable as the platform reports it.
struct ProgramFile {
    std::u16string directory;  // with or without a final "\\"
    std::u16string fileName;   // with its extension
};

// What the last step of start-up needs to show the program's version.
struct VersionStep {
    ModFileVersion& versions;
    std::function<ProgramFile()> program;  // may raise; the label then keeps its text
};

// What the move button asks of a run: the check boxes, the destination boxes, and each folder's
// location as its label shows it.
RunRequest RequestFromWindow(const Controls& controls, ModReg& registry);

// The move button's run: the plan's refusals and questions as message boxes in table order, then
// the move, whose notices are the caller's to tell.
RunOutcome RunAfterAsking(RunRequest request, const RedirectServices& services,
                          MessageBoxApi& messages);

// Each moved folder's label shows its destination as typed.
void ShowNewLocations(const RunOutcome& outcome, Controls& controls);

// Each notice in a message box of its own, in order.
void Tell(const std::vector<Notice>& notices, MessageBoxApi& messages);

class FrmMain {
  public:
    FrmMain(Controls& controls, const RedirectServices& services, MessageBoxApi& messages,
            const VersionStep& version)
        : controls_(controls), services_(services), messages_(messages), version_(version) {}

    // False when another copy runs: the program must then end at once, without a window.
    static bool Form_Initialize(SingleInstance& instance);

    // What the window shows when it opens; reads the registry, writes nothing.
    StartTexts Form_Load();

    // The owner of the folder picker.
    void SetWindowHandle(WindowHandle window) { window_ = window; }

    // A click on a button or check box of the window. Clicks that arrive while the move button's
    // run is in progress are ignored.
    void OnClick(ControlId id);

  private:
    void CmdOK_Click();
    void RedirectRun();
    void CmdBrowse_Click(const ManagedFolder& folder);
    void ChkAll_Click();
    void SetAllChecks(bool selected);
    void ShowVersion(StartTexts& texts);

    Controls& controls_;
    const RedirectServices& services_;
    MessageBoxApi& messages_;
    const VersionStep& version_;
    WindowHandle window_ = 0;
    // The shell's copy runs a message loop of its own, through which a click could start a
    // second run inside the first.
    bool running_ = false;
};

}  // namespace tarnwick
