// A run of the move button over the in-memory platform, on a typical profile: the labels show the
// locations upper-cased as start-up leaves them, the registry and the disk hold them in their own
// case, and the destination boxes hold the defaults.
#pragma once

#include <gtest/gtest.h>

#include "core/managed_folders.h"
#include "core/redirect_run.h"
#include "core/text.h"
#include "support/bytes.h"
#include "support/control_values.h"
#include "support/fake_platform.h"
#include "ui/folder_controls.h"
#include "ui/frm_main.h"

namespace tarnwick::testing {

inline constexpr const char* kEnvironment = "Environment";
inline constexpr const char* kShell =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr const char* kUserShell =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

inline const ManagedFolder& FolderOf(ControlId selectBox) {
    for (const ManagedFolder& folder : kManagedFolders) {
        if (ControlsOf(folder).selectBox == selectBox) {
            return folder;
        }
    }
    throw std::invalid_argument("not a folder's select box");
}

class RunTest : public ::testing::Test {
  protected:
    RunTest() {
        SetLocation(ControlId::ChkTemp, u"C:\\Users\\amy\\AppData\\Local\\Temp");
        SetLocation(ControlId::ChkCook, u"C:\\Users\\amy\\AppData\\Roaming\\Cookies");
        SetLocation(ControlId::ChkHistory, u"C:\\Users\\amy\\AppData\\Local\\History");
        SetLocation(ControlId::ChkCache,
                    u"C:\\Users\\amy\\AppData\\Local\\Temporary Internet Files");
        SetLocation(ControlId::ChkFav, u"C:\\Users\\amy\\Favorites");
        SetLocation(ControlId::ChkDoc, u"C:\\Users\\amy\\Documents");
        for (const ManagedFolder& folder : kManagedFolders) {
            controls_.SetText(ControlsOf(folder).destinationBox, folder.defaultDestination);
        }
    }

    // Where start-up found the folder: in the registry as written, on disk, and on the label.
    void SetLocation(ControlId selectBox, std::u16string_view path, bool exists = true) {
        const ManagedFolder& folder = FolderOf(selectBox);
        std::string ansi = Ansi(path);
        ansi.push_back('\0');
        registry_.PutValue(kHkeyCurrentUser, Ansi(folder.readKey), Ansi(folder.readValueName),
                           kRegSz, ByteArray(ansi.begin(), ansi.end()));
        if (exists && !path.empty()) {
            files_.AddFolder(path);
        }
        controls_.SetText(ControlsOf(folder).locationLabel, ToUpperCase(path));
    }
    void Select(ControlId selectBox, std::u16string_view destination = {}) {
        controls_.SetValue(selectBox, kChecked);
        if (!destination.empty()) {
            controls_.SetText(ControlsOf(FolderOf(selectBox)).destinationBox, destination);
        }
    }
    // As the move button runs it: the plan's refusals and questions, then the move and what it
    // has to tell, all through the recorded message boxes.
    void Run() { form_.OnClick(ControlId::CmdOK); }
    // The same run, and what it gave back.
    RunOutcome RunForOutcome() {
        RunOutcome outcome =
            RunAfterAsking(RequestFromWindow(controls_, services_.registry), services_, messages_);
        Tell(OutcomeNotices(outcome), messages_);
        return outcome;
    }

    std::u16string Label(ControlId selectBox) const {
        return controls_.Text(ControlsOf(FolderOf(selectBox)).locationLabel);
    }
    // "key|value" of every value written, in order.
    std::vector<std::string> WrittenValues() const {
        std::vector<std::string> written;
        std::string key;
        for (const auto& call : recorder_.Calls()) {
            if (call.operation == fake::RegistryOperation::CreateKey) {
                key = call.subKey;
            } else if (call.operation == fake::RegistryOperation::SetValue) {
                written.push_back(key + "|" +
                                  (call.wide ? Ansi(call.wideValueName) : call.valueName));
            }
        }
        return written;
    }
    std::optional<fake::StoredValue> Stored(const char* key, const char* name) const {
        return registry_.FindValue(kHkeyCurrentUser, key, name);
    }
    std::string Ansi(std::u16string_view text) const { return HostCodePage().ToAnsi(text); }
    // The one message shown, or a failure.
    fake::ShownMessage OnlyMessage() const {
        EXPECT_EQ(messages_.shown.size(), 1u);
        return messages_.shown.empty() ? fake::ShownMessage{} : messages_.shown.front();
    }

    FakePlatform platform_;
    fake::MemoryRegistry& registry_ = platform_.registry;
    fake::RecordingRegistry& recorder_ = platform_.recorder;
    fake::ScriptedShell& shellApi_ = platform_.shellApi;
    fake::MessageRecorder& messages_ = platform_.messages;
    fake::MemoryFileSystem& files_ = platform_.files;
    fake::ProcessRecorder& processes_ = platform_.processes;
    fake::EnvironmentRecorder& environment_ = platform_.environment;
    fake::JournalShelf& journal_ = platform_.journal;
    ControlValues controls_;
    RedirectServices& services_ = platform_.services;
    FrmMain form_{controls_, services_, messages_, platform_.versionStep};
};

// Whether text holds part, for checking a message's reason.
inline bool Holds(std::u16string_view text, std::u16string_view part) {
    return text.find(part) != std::u16string_view::npos;
}

}  // namespace tarnwick::testing
