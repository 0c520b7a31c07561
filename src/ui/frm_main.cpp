#include "ui/frm_main.h"

#include <utility>

#include "core/redirect_run.h"
#include "core/text.h"
#include "ui/folder_controls.h"

namespace tarnwick {

bool FrmMain::Form_Initialize(SingleInstance& instance) {
    return !instance.AnotherInstanceRunning();
}

StartTexts FrmMain::Form_Load() {
    StartTexts texts;
    for (const ManagedFolder& folder : kManagedFolders) {
        texts.Set(ControlsOf(folder).locationLabel,
                  ToUpperCase(ReadLocation(services_.registry, folder)));
    }
    texts.Set(ControlId::SBar1, std::u16string(kCredits));
    for (const ManagedFolder& folder : kManagedFolders) {
        texts.Set(ControlsOf(folder).destinationBox, std::u16string(folder.defaultDestination));
    }
    ShowVersion(texts);
    return texts;
}

// The file looked at is the program's base name with ".EXE" in its own directory; whatever
// fails here leaves the label as it was and start-up goes on.
void FrmMain::ShowVersion(StartTexts& texts) {
    try {
        const ProgramFile program = version_.program();
        const std::u16string& directory = program.directory;
        const std::size_t dot = program.fileName.rfind(u'.');
        const std::u16string path =
            Joined({directory, directory.empty() || directory.back() != u'\\' ? u"\\" : u"",
                    std::u16string_view(program.fileName).substr(0, dot), u".EXE"});
        texts.Set(ControlId::LblVer, version_.versions.GetFileVersionString(path));
    } catch (const std::exception&) {
    }
}

void FrmMain::OnClick(ControlId id) {
    if (running_) {
        return;
    }
    if (id == ControlId::CmdOK) {
        CmdOK_Click();
    } else if (id == ControlId::ChkAll) {
        ChkAll_Click();
    }
    for (const ManagedFolder& folder : kManagedFolders) {
        if (ControlsOf(folder).browseButton == id) {
            CmdBrowse_Click(folder);
        }
    }
}

void FrmMain::CmdOK_Click() {
    running_ = true;
    try {
        RedirectRun();
    } catch (...) {
        running_ = false;
        throw;
    }
    running_ = false;
}

namespace {

class MessageBoxConfirmation : public Confirmation {
  public:
    explicit MessageBoxConfirmation(MessageBoxApi& messages) : messages_(messages) {}
    bool Confirm(const Notice& question) override {
        return messages_.Show(question.text, question.title, question.style) == kIdYes;
    }

  private:
    MessageBoxApi& messages_;
};

}  // namespace

// Moved folders show their new place before what went wrong is told.
void FrmMain::RedirectRun() {
    const RunOutcome outcome =
        RunAfterAsking(RequestFromWindow(controls_, services_.registry), services_, messages_);
    ShowNewLocations(outcome, controls_);
    Tell(OutcomeNotices(outcome), messages_);
}

void ShowNewLocations(const RunOutcome& outcome, Controls& controls) {
    for (const FolderOutcome& folder : outcome.folders) {
        if (folder.result == FolderOutcome::Result::Moved) {
            controls.SetText(ControlsOf(*folder.request.folder).locationLabel,
                             folder.request.destination);
        }
    }
}

RunOutcome RunAfterAsking(RunRequest request, const RedirectServices& services,
                          MessageBoxApi& messages) {
    RunPlan plan = PlanRun(std::move(request), services);
    MessageBoxConfirmation confirmation(messages);
    SettleQuestions(plan, confirmation, [&messages](const Notice& notice) {
        messages.Show(notice.text, notice.title, notice.style);
    });
    return CarryOut(plan, services);
}

void Tell(const std::vector<Notice>& notices, MessageBoxApi& messages) {
    for (const Notice& notice : notices) {
        messages.Show(notice.text, notice.title, notice.style);
    }
}

RunRequest RequestFromWindow(const Controls& controls, ModReg& registry) {
    RunRequest request{.deleteTemporary = controls.Value(ControlId::ChkDelTmp) == kChecked,
                       .copyContents = controls.Value(ControlId::ChkCopy) == kChecked};
    for (const ManagedFolder& folder : kManagedFolders) {
        const FolderControls& ids = ControlsOf(folder);
        request.folders.push_back({
            .folder = &folder,
            .location = CurrentLocation(registry, folder, controls.Text(ids.locationLabel)),
            .destination = controls.Text(ids.destinationBox),
            .selected = controls.Value(ids.selectBox) == kChecked,
        });
    }
    return request;
}

namespace {

// Every doubled backslash becomes one, scanning from the left; the two that open a network
// path ("\\server\share") stay.
std::u16string CollapseDoubledBackslashes(std::u16string_view path) {
    std::u16string collapsed;
    std::size_t i = 0;
    if (path.starts_with(u"\\\\")) {
        collapsed = u"\\\\";
        i = 2;
    }
    while (i < path.size()) {
        collapsed += path[i];
        i += (path[i] == u'\\' && i + 1 < path.size() && path[i + 1] == u'\\') ? 2 : 1;
    }
    return collapsed;
}

}  // namespace

void FrmMain::CmdBrowse_Click(const ManagedFolder& folder) {
    const ControlId box = ControlsOf(folder).destinationBox;
    controls_.SetText(box, services_.shell.BrowseForFolderPath(window_, u""));
    const std::u16string picked = controls_.Text(box);
    if (!picked.empty()) {
        controls_.SetText(box, CollapseDoubledBackslashes(Joined({picked, folder.browseSuffix})));
    }
}

void FrmMain::ChkAll_Click() {
    SetAllChecks(controls_.Value(ControlId::ChkAll) == kChecked);
}

void FrmMain::SetAllChecks(bool selected) {
    for (const ManagedFolder& folder : kManagedFolders) {
        controls_.SetValue(ControlsOf(folder).selectBox, selected ? kChecked : kUnchecked);
    }
}

}  // namespace tarnwick
