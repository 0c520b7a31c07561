#include "core/redirect_run.h"

#include <vector>

#include "core/check_target.h"
#include "core/copy_check.h"
#include "core/deletion_guard.h"
#include "core/run_request.h"
#include "core/text.h"
#include "platform/numbers.h"

namespace tarnwick {

namespace {

// One accepted folder's move: create, write all-or-nothing, copy and check the copy, show.
class FolderMove {
  public:
    FolderMove(Controls& controls, const MovePlan& plan, const RedirectServices& services)
        : controls_(controls), plan_(plan), folder_(*plan.request), services_(services) {}

    bool Run();

  private:
    std::u16string Name() const { return std::u16string(folder_.folder->folder); }
    bool CreateFolders();
    void RemoveCreatedFolders();
    bool WriteAllOrNothing();
    void CopyContents();

    Controls& controls_;
    const MovePlan& plan_;
    const FolderRequest& folder_;
    const RedirectServices& services_;
    std::vector<std::u16string> created_;
};

bool FolderMove::Run() {
    if (!CreateFolders()) {
        services_.messages.Show(kInvalidPathText, kInvalidPathTitle, kMbIconStop);
        return false;
    }
    if (!WriteAllOrNothing()) {
        RemoveCreatedFolders();
        return false;
    }
    if (plan_.copy) {
        CopyContents();
    }
    controls_.SetText(folder_.folder->locationLabel, folder_.destination);
    return true;
}

bool FolderMove::CreateFolders() {
    for (const std::u16string& level : plan_.foldersToCreate) {
        // An earlier move of this run may have made it already.
        if (services_.files.KindOf(level) == PathKind::Folder) {
            continue;
        }
        if (!services_.files.CreateFolder(level)) {
            RemoveCreatedFolders();
            return false;
        }
        created_.push_back(level);
    }
    return true;
}

// Only what this move created, and only while it is still empty.
void FolderMove::RemoveCreatedFolders() {
    for (auto level = created_.rbegin(); level != created_.rend(); ++level) {
        services_.files.RemoveEmptyFolder(*level);
    }
    created_.clear();
}

// Either every target holds the destination, or each one written is put back as it was.
bool FolderMove::WriteAllOrNothing() {
    const auto& targets = folder_.folder->writeTargets;
    std::size_t written = 0;
    while (written < targets.size() &&
           services_.registry.SetKeyValue(kHkeyCurrentUser, targets[written].key,
                                          targets[written].valueName, folder_.destination,
                                          folder_.folder->valueKind)) {
        ++written;
    }
    if (written == targets.size()) {
        return true;
    }
    std::u16string notRestored;
    for (std::size_t i = 0; i < written; ++i) {
        if (!services_.registry.RestoreValue(kHkeyCurrentUser, targets[i].key, targets[i].valueName,
                                             plan_.previousValues[i])) {
            notRestored += u"\n" + targets[i].FullName();
        }
    }
    std::u16string text =
        Name() + u"没有转移: 注册表值\n" + targets[written].FullName() + u"\n无法写入。\n\n";
    if (notRestored.empty()) {
        text += written == 0 ? u"注册表没有任何改变。"
                             : u"已经写入的值都已恢复原样, 注册表没有任何改变。";
    } else {
        text += u"下列注册表值已被改写, 无法恢复原样:" + notRestored;
    }
    services_.messages.Show(text, kWriteFailedTitle, kMbIconStop);
    return false;
}

// The registry change stays whatever the copy does: the user asked for it. A copy that did not
// bring everything is told, since the files are then still only at the old place.
void FolderMove::CopyContents() {
    const auto source = services_.files.ListTree(plan_.source);
    if (source && source->empty()) {
        return;
    }
    const ShellCopyResult result =
        services_.shell.ShellCopyFiles(folder_.location + u"\\*.*", folder_.destination);
    std::optional<std::size_t> notCopied;
    if (source) {
        if (const auto copied = services_.files.ListTree(plan_.destination)) {
            notCopied = EntriesNotCopied(*source, *copied).size();
        }
    }
    if (result.Succeeded() && notCopied == 0u) {
        return;
    }
    std::u16string text = Name() + u"的内容没有全部复制到新的位置";
    if (notCopied.value_or(0) > 0) {
        text += u" (有 " + DecimalText(static_cast<std::int64_t>(*notCopied)) + u" 项没有复制)";
    }
    text += u"。\n\n原来的位置: " + ShownPath(folder_.location) + u"\n新的位置: " +
            ShownPath(folder_.destination) + u"\n\n原来的文件仍然在原来的位置, 没有被删除。";
    services_.messages.Show(text, kCopyIncompleteTitle, kMbIconWarning);
}

bool Moves(const std::vector<MovePlan>& plans, const ManagedFolder& folder) {
    for (const MovePlan& plan : plans) {
        if (plan.request->folder == &folder) {
            return true;
        }
    }
    return false;
}

}  // namespace

void RedirectRun(Controls& controls, const RedirectServices& services) {
    const RunRequest request = ReadRequest(controls, services.registry);
    std::vector<MovePlan> plans;
    for (const FolderRequest& folder : request.folders) {
        if (folder.selected) {
            if (auto plan = CheckTarget(request, folder, services)) {
                plans.push_back(std::move(*plan));
            }
        }
    }

    DeletionPlan deletions;
    if (request.deleteTemporary) {
        deletions = PlanDeletions(request, services);
        // A folder that moves is removed once it has its new place; the others are emptied now,
        // before anything is rewritten.
        for (const Deletion& deletion : deletions.deletions) {
            if (!Moves(plans, *deletion.folder)) {
                services.processes.StartHidden(DeletionCommand(deletion.path, true));
            }
        }
        if (!deletions.kept.empty()) {
            services.messages.Show(KeptFoldersMessage(deletions.kept), kKeptTitle,
                                   kMbIconInformation);
        }
    }

    for (const MovePlan& plan : plans) {
        const ManagedFolder& folder = *plan.request->folder;
        const bool moved = FolderMove(controls, plan, services).Run();
        // Programs started from now on should get the new TEMP, not the folder about to go.
        if (moved && folder.writeTargets.front().key == kEnvironmentKey) {
            services.environment.AnnounceEnvironmentChange();
        }
        if (const Deletion* deletion = deletions.Find(folder)) {
            services.processes.StartHidden(DeletionCommand(deletion->path, !moved));
        }
    }
}

}  // namespace tarnwick
