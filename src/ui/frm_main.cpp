#include "ui/frm_main.h"

#include "core/run_request.h"
#include "core/text.h"

namespace tarnwick {

bool FrmMain::Form_Initialize(SingleInstance& instance) {
    return !instance.AnotherInstanceRunning();
}

void FrmMain::Form_Load() {
    for (const ManagedFolder& folder : kManagedFolders) {
        controls_.SetText(folder.locationLabel,
                          ToUpperCase(ReadLocation(services_.registry, folder)));
    }
    controls_.SetText(ControlId::SBar1, kCredits);
    for (const ManagedFolder& folder : kManagedFolders) {
        controls_.SetText(folder.destinationBox, folder.defaultDestination);
    }
    ShowVersion();
}

// The file looked at is the program's base name with ".EXE" in its own directory; whatever
// fails here leaves the label as it was and start-up goes on.
void FrmMain::ShowVersion() {
    try {
        const ProgramFile program = version_.program();
        const std::u16string& directory = program.directory;
        const std::size_t dot = program.fileName.rfind(u'.');
        const std::u16string path =
            Joined({directory, directory.empty() || directory.back() != u'\\' ? u"\\" : u"",
                    std::u16string_view(program.fileName).substr(0, dot), u".EXE"});
        controls_.SetText(ControlId::LblVer, version_.versions.GetFileVersionString(path));
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
        if (folder.browseButton == id) {
            CmdBrowse_Click(folder);
        }
    }
}

void FrmMain::CmdOK_Click() {
    running_ = true;
    try {
        RedirectRun(controls_, services_);
    } catch (...) {
        running_ = false;
        throw;
    }
    running_ = false;
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
    controls_.SetText(folder.destinationBox, services_.shell.BrowseForFolderPath(window_, u""));
    const std::u16string picked = controls_.Text(folder.destinationBox);
    if (!picked.empty()) {
        controls_.SetText(folder.destinationBox,
                          CollapseDoubledBackslashes(Joined({picked, folder.browseSuffix})));
    }
}

void FrmMain::ChkAll_Click() {
    SetAllChecks(controls_.Value(ControlId::ChkAll) == kChecked);
}

void FrmMain::SetAllChecks(bool selected) {
    for (const ManagedFolder& folder : kManagedFolders) {
        controls_.SetValue(folder.selectBox, selected ? kChecked : kUnchecked);
    }
}

}  // namespace tarnwick
