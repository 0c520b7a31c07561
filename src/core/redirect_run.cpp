#include "core/redirect_run.h"

#include <vector>

#include "core/copy_check.h"
#include "core/journal.h"
#include "core/text.h"
#include "platform/numbers.h"

namespace tarnwick {

namespace {

// One accepted folder's move: create, write all-or-nothing, copy and check the copy, show.
class FolderMove {
  public:
    FolderMove(Controls& controls, const MovePlan& plan, const RedirectServices& services,
               RunOutcome& outcome)
        : controls_(controls),
          plan_(plan),
          folder_(*plan.request),
          services_(services),
          outcome_(outcome) {}

    bool Run();

  private:
    std::u16string_view Name() const { return folder_.folder->folder; }
    bool CreateFolders();
    void RemoveCreatedFolders();
    bool WriteAllOrNothing();
    void CopyContents();

    Controls& controls_;
    const MovePlan& plan_;
    const FolderRequest& folder_;
    const RedirectServices& services_;
    RunOutcome& outcome_;
    std::vector<std::u16string> created_;
};

bool FolderMove::Run() {
    if (!CreateFolders()) {
        services_.messages.Show(kInvalidPathText, kInvalidPathTitle, kMbIconStop);
        ++outcome_.failed;
        return false;
    }
    if (!WriteAllOrNothing()) {
        RemoveCreatedFolders();
        ++outcome_.failed;
        return false;
    }
    if (plan_.copy) {
        CopyContents();
    }
    controls_.SetText(folder_.folder->locationLabel, folder_.destination);
    ++outcome_.moved;
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
            notRestored += Joined({u"\n", targets[i].FullName()});
        }
    }
    std::u16string_view outcome = u"已经写入的值都已恢复原样, 注册表没有任何改变。";
    if (!notRestored.empty()) {
        outcome = u"下列注册表值已被改写, 无法恢复原样:";  // followed by their names
    } else if (written == 0) {
        outcome = u"注册表没有任何改变。";
    }
    services_.messages.Show(Joined({Name(), u"没有转移: 注册表值\n", targets[written].FullName(),
                                    u"\n无法写入。\n\n", outcome, notRestored}),
                            kWriteFailedTitle, kMbIconStop);
    return false;
}

// The registry change stays whatever the copy does: the user asked for it. A copy that did not
// bring everything is told, since the files are then still only at the old place.
void FolderMove::CopyContents() {
    // The plan has looked for links already; these listings only count what arrived.
    const TreeListing source = services_.files.ListTree(plan_.source, {.everyLink = false});
    if (source.Complete() && source.entries.empty()) {
        return;
    }
    const ShellCopyResult result =
        services_.shell.ShellCopyFiles(Joined({folder_.location, u"\\*.*"}), folder_.destination);
    std::optional<std::size_t> notCopied;
    if (source.Complete()) {
        const TreeListing copied =
            services_.files.ListTree(plan_.destination, {.everyLink = false});
        if (copied.Complete()) {
            notCopied = EntriesNotCopied(source.entries, copied.entries, services_.files).size();
        }
    }
    if (result.Succeeded() && notCopied == 0u) {
        return;
    }
    ++outcome_.copiesIncomplete;
    const std::u16string count =
        notCopied.value_or(0) > 0
            ? Joined(
                  {u" (有 ", DecimalText(static_cast<std::int64_t>(*notCopied)), u" 项没有复制)"})
            : std::u16string();
    services_.messages.Show(
        Joined({Name(), u"的内容没有全部复制到新的位置", count, u"。\n\n原来的位置: ",
                ShownPath(folder_.location), u"\n新的位置: ", ShownPath(folder_.destination),
                u"\n\n原来的文件仍然在原来的位置, 没有被删除。"}),
        kCopyIncompleteTitle, kMbIconWarning);
}

const MovePlan* MoveOf(const RunPlan& plan, const ManagedFolder& folder) {
    for (const MovePlan& move : plan.moves) {
        if (move.request->folder == &folder) {
            return &move;
        }
    }
    return nullptr;
}

// The previous state of every value the plan will write; written and flushed before the first.
bool WriteJournal(const RunPlan& plan, const RedirectServices& services, RunOutcome& outcome) {
    std::vector<JournalEntry> entries;
    for (const MovePlan& move : plan.moves) {
        const auto& targets = move.request->folder->writeTargets;
        for (std::size_t i = 0; i < targets.size(); ++i) {
            entries.push_back({std::u16string(targets[i].key), std::u16string(targets[i].valueName),
                               move.previousValues[i]});
        }
    }
    if (const auto path = services.journal.Save(JournalFile(entries))) {
        outcome.journal = *path;
        return true;
    }
    outcome.journalFailed = true;
    services.messages.Show(
        u"无法写入这次转移的记录 (%LOCALAPPDATA%\\Tarnwick 中的 .reg 文件), "
        u"有了它才能恢复原来的位置。\n\n没有转移任何文件夹, 也没有删除任何文件。",
        kWriteFailedTitle, kMbIconStop);
    return false;
}

}  // namespace

RunPlan PlanRun(const Controls& controls, const RedirectServices& services) {
    RunPlan plan;
    plan.request = ReadRequest(controls, services.registry);
    for (const FolderRequest& folder : plan.request.folders) {
        if (!folder.selected) {
            continue;
        }
        if (auto move = CheckTarget(plan.request, folder, services)) {
            plan.moves.push_back(std::move(*move));
        } else {
            ++plan.refused;
        }
    }
    if (plan.request.deleteTemporary) {
        plan.deletions = PlanDeletions(plan.request, services);
    }
    return plan;
}

std::u16string PlanText(const RunPlan& plan) {
    std::u16string text;
    for (const MovePlan& move : plan.moves) {
        const FolderRequest& folder = *move.request;
        text += Joined(
            {folder.folder->folder, u": ", folder.location, u" -> ", folder.destination, u"\n"});
        for (const std::u16string& level : move.foldersToCreate) {
            text += Joined({u"    新建文件夹 ", level, u"\n"});
        }
        for (const RegistryTarget& target : folder.folder->writeTargets) {
            text += Joined({u"    写入 ", target.FullName(), u" = ", folder.destination, u" (",
                            RegistryTypeName(StringType(folder.folder->valueKind)), u")\n"});
        }
        if (folder.folder->copyContents) {
            text += move.copy ? Joined({u"    复制 ", folder.location, u"\\*.* 到 ",
                                        folder.destination, u"\n"})
                              : u"    不复制原来的内容\n";
        }
    }
    for (const Deletion& deletion : plan.deletions.deletions) {
        text += Joined({deletion.folder->folder,
                        MoveOf(plan, *deletion.folder) ? u": 转移后删除 " : u": 清空 ",
                        deletion.path, u"\n"});
    }
    for (const KeptFolder& kept : plan.deletions.kept) {
        text +=
            Joined({kept.folder->folder, u": 保留 ", kept.location, u"\n    ", kept.reason, u"\n"});
    }
    return text.empty() ? u"没有要做的事。\n" : text;
}

RunOutcome CarryOut(Controls& controls, const RunPlan& plan, const RedirectServices& services) {
    RunOutcome outcome;
    outcome.refused = plan.refused;
    if (!plan.moves.empty() && !WriteJournal(plan, services, outcome)) {
        return outcome;
    }
    // A command interpreter that cannot start fails that folder's cleanup, not the run: the
    // folders still move, and the outcome tells both.
    std::u16string notStarted;
    const auto startDeletion = [&](const Deletion& deletion, bool keepFolder) {
        try {
            services.processes.StartHidden(DeletionCommand(deletion.path, keepFolder));
        } catch (const ProcessStartError&) {
            ++outcome.deletionsNotStarted;
            notStarted += Joined({u"\n", deletion.folder->folder, u": ", ShownPath(deletion.path)});
        }
    };
    // A folder that moves is removed once it has its new place; the others are emptied now,
    // before anything is rewritten.
    for (const Deletion& deletion : plan.deletions.deletions) {
        if (!MoveOf(plan, *deletion.folder)) {
            startDeletion(deletion, true);
        }
    }
    outcome.keptFolders = static_cast<int>(plan.deletions.kept.size());
    if (!plan.deletions.kept.empty()) {
        services.messages.Show(KeptFoldersMessage(plan.deletions.kept), kKeptTitle,
                               kMbIconInformation);
    }
    for (const MovePlan& move : plan.moves) {
        const ManagedFolder& folder = *move.request->folder;
        const bool moved = FolderMove(controls, move, services, outcome).Run();
        // Programs started from now on should get the new TEMP, not the folder about to go.
        if (moved && folder.writeTargets.front().key == kEnvironmentKey) {
            services.environment.AnnounceEnvironmentChange();
        }
        if (const Deletion* deletion = plan.deletions.Find(folder)) {
            startDeletion(*deletion, !moved);
        }
    }
    if (!notStarted.empty()) {
        services.messages.Show(
            Joined({u"无法启动系统的命令解释器 (cmd.exe), 下列临时文件夹没有删除:\n", notStarted}),
            kDeletionFailedTitle, kMbIconStop);
    }
    return outcome;
}

}  // namespace tarnwick
