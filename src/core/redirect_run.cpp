#include "core/redirect_run.h"

#include <utility>
#include <vector>

#include "core/copy_check.h"
#include "core/journal.h"
#include "core/missing_levels.h"
#include "core/text.h"
#include "platform/numbers.h"

namespace tarnwick {

namespace {

using Result = FolderOutcome::Result;

// One accepted folder's move: create, write all-or-nothing, copy and check the copy.
class FolderMove {
  public:
    FolderMove(const MovePlan& plan, const RedirectServices& services, FolderOutcome& outcome)
        : plan_(plan), folder_(*plan.request), services_(services), outcome_(outcome) {}

    void Run();

  private:
    void RemoveCreatedFolders();
    bool WriteAllOrNothing();
    void CopyContents();

    const MovePlan& plan_;
    const FolderRequest& folder_;
    const RedirectServices& services_;
    FolderOutcome& outcome_;
    std::vector<std::u16string> created_;
};

void FolderMove::Run() {
    if (CreateMissingLevels(services_.files, plan_.foldersToCreate, created_)) {
        RemoveCreatedFolders();
        outcome_.result = Result::NotCreated;
        return;
    }
    if (!WriteAllOrNothing()) {
        RemoveCreatedFolders();
        outcome_.result = Result::NotWritten;
        return;
    }
    if (plan_.copy) {
        CopyContents();
    }
    outcome_.result = Result::Moved;
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
    outcome_.targetsWritten = written;
    for (std::size_t i = 0; i < written; ++i) {
        if (!services_.registry.RestoreValue(kHkeyCurrentUser, targets[i].key, targets[i].valueName,
                                             plan_.previousValues[i])) {
            outcome_.targetsNotRestored.push_back(i);
        }
    }
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
    if (source.Complete()) {
        const TreeListing copied =
            services_.files.ListTree(plan_.destination, {.everyLink = false});
        if (copied.Complete()) {
            outcome_.entriesNotCopied =
                EntriesNotCopied(source.entries, copied.entries, services_.files).size();
        }
    }
    outcome_.copy = result.Succeeded() && outcome_.entriesNotCopied == 0u
                        ? FolderOutcome::Copy::Complete
                        : FolderOutcome::Copy::Incomplete;
}

// The previous state of every value the plan will write; written and flushed before the first.
bool WriteJournal(const RunPlan& plan, const RedirectServices& services, RunOutcome& outcome) {
    std::vector<JournalEntry> entries;
    for (const FolderPlan& folder : plan.folders) {
        if (!folder.move) {
            continue;
        }
        const auto& targets = folder.request->folder->writeTargets;
        for (std::size_t i = 0; i < targets.size(); ++i) {
            entries.push_back({std::u16string(targets[i].key), std::u16string(targets[i].valueName),
                               folder.move->previousValues[i]});
        }
    }
    if (entries.empty()) {
        return true;  // nothing will be written, so there is nothing to put back
    }
    if (const auto path = services.journal.Save(JournalFile(entries))) {
        outcome.journal = *path;
        return true;
    }
    outcome.journalFailed = true;
    return false;
}

Notice WriteFailedNotice(const FolderOutcome& folder) {
    const auto& targets = folder.request.folder->writeTargets;
    std::u16string notRestored;
    for (const std::size_t i : folder.targetsNotRestored) {
        notRestored += Joined({u"\n", targets[i].FullName()});
    }
    std::u16string_view told = u"已经写入的值都已恢复原样, 注册表没有任何改变。";
    if (!notRestored.empty()) {
        told = u"下列注册表值已被改写, 无法恢复原样:";  // followed by their names
    } else if (folder.targetsWritten == 0) {
        told = u"注册表没有任何改变。";
    }
    return {
        Joined({folder.request.folder->folder, u"没有转移: 注册表值\n",
                targets[folder.targetsWritten].FullName(), u"\n无法写入。\n\n", told, notRestored}),
        kWriteFailedTitle, kMbIconStop};
}

Notice CopyIncompleteNotice(const FolderOutcome& folder) {
    const std::size_t notCopied = folder.entriesNotCopied.value_or(0);
    const std::u16string count =
        notCopied > 0
            ? Joined({u" (有 ", DecimalText(static_cast<std::int64_t>(notCopied)), u" 项没有复制)"})
            : std::u16string();
    const FolderRequest& request = folder.request;
    return {
        Joined({request.folder->folder, u"的内容没有全部复制到新的位置", count,
                u"。\n\n原来的位置: ", ShownPath(request.location), u"\n新的位置: ",
                ShownPath(request.destination), u"\n\n原来的文件仍然在原来的位置, 没有被删除。"}),
        kCopyIncompleteTitle, kMbIconWarning};
}

}  // namespace

int RunPlan::Refused() const {
    int refused = 0;
    for (const FolderPlan& folder : folders) {
        refused += folder.move ? 0 : 1;
    }
    return refused;
}

const MovePlan* RunPlan::MoveOf(const ManagedFolder& folder) const {
    for (const FolderPlan& planned : folders) {
        if (planned.request->folder == &folder && planned.move) {
            return &*planned.move;
        }
    }
    return nullptr;
}

int RunOutcome::Count(FolderOutcome::Result result) const {
    int count = 0;
    for (const FolderOutcome& folder : folders) {
        count += folder.result == result ? 1 : 0;
    }
    return count;
}

bool RunOutcome::AllDone() const {
    for (const FolderOutcome& folder : folders) {
        if (folder.result != Result::Moved || folder.copy == FolderOutcome::Copy::Incomplete) {
            return false;
        }
    }
    return kept.empty() && notStarted.empty() && !journalFailed;
}

RunPlan PlanRun(RunRequest request, const RedirectServices& services) {
    RunPlan plan;
    plan.request = std::move(request);
    for (const FolderRequest& folder : plan.request.folders) {
        if (folder.selected) {
            plan.folders.push_back(CheckTarget(plan.request, folder, services));
        }
    }
    if (plan.request.deleteTemporary) {
        plan.deletions = PlanDeletions(plan.request, services);
    }
    return plan;
}

void AskQuestion(FolderPlan& folder, Confirmation& confirmation) {
    if (folder.move && folder.move->question && !confirmation.Confirm(*folder.move->question)) {
        folder.move.reset();
        folder.refusal = {Refusal::Kind::Declined, {}};
    }
}

std::u16string PlanText(const RunPlan& plan) {
    std::u16string text;
    for (const FolderPlan& planned : plan.folders) {
        const FolderRequest& folder = *planned.request;
        const std::u16string_view name = folder.folder->folder;
        if (!planned.move) {
            const std::optional<Notice> notice = RefusalNotice(planned);
            text += Joined({name, u": 不转移到 ", folder.destination, u"\n    ",
                            planned.refusal.kind == Refusal::Kind::Refused ? planned.refusal.reason
                            : notice ? std::u16string_view(notice->text)
                                     : u"回答了\"否\"",
                            u"\n"});
            continue;
        }
        const MovePlan& move = *planned.move;
        text += Joined({name, u": ", folder.location, u" -> ", folder.destination, u"\n"});
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
                        plan.MoveOf(*deletion.folder) ? u": 转移后删除 " : u": 清空 ",
                        deletion.path, u"\n"});
    }
    for (const KeptFolder& kept : plan.deletions.kept) {
        text +=
            Joined({kept.folder->folder, u": 保留 ", kept.location, u"\n    ", kept.reason, u"\n"});
    }
    return text.empty() ? u"没有要做的事。\n" : text;
}

RunOutcome CarryOut(const RunPlan& plan, const RedirectServices& services) {
    RunOutcome outcome;
    for (const FolderPlan& folder : plan.folders) {
        outcome.folders.push_back({.request = *folder.request});
    }
    if (!WriteJournal(plan, services, outcome)) {
        return outcome;
    }
    // A command interpreter that cannot start fails that folder's cleanup, not the run: the
    // folders still move, and the outcome tells both.
    const auto startDeletion = [&](const Deletion& deletion, bool keepFolder) {
        try {
            services.processes.StartHidden(DeletionCommand(deletion.path, keepFolder));
        } catch (const ProcessStartError&) {
            outcome.notStarted.push_back(deletion);
        }
    };
    // A folder that moves is removed once it has its new place; the others are emptied now,
    // before anything is rewritten.
    for (const Deletion& deletion : plan.deletions.deletions) {
        if (!plan.MoveOf(*deletion.folder)) {
            startDeletion(deletion, true);
        }
    }
    outcome.kept = plan.deletions.kept;
    for (std::size_t i = 0; i < plan.folders.size(); ++i) {
        const FolderPlan& planned = plan.folders[i];
        if (!planned.move) {
            continue;
        }
        FolderMove(*planned.move, services, outcome.folders[i]).Run();
        const bool moved = outcome.folders[i].result == Result::Moved;
        const ManagedFolder& folder = *planned.request->folder;
        // Programs started from now on should get the new TEMP, not the folder about to go.
        if (moved && folder.writeTargets.front().key == kEnvironmentKey) {
            services.environment.AnnounceEnvironmentChange();
        }
        if (const Deletion* deletion = plan.deletions.Find(folder)) {
            startDeletion(*deletion, !moved);
        }
    }
    return outcome;
}

std::vector<Notice> OutcomeNotices(const RunOutcome& outcome) {
    if (outcome.journalFailed) {
        return {
            {u"无法写入这次转移的记录 (%LOCALAPPDATA%\\Tarnwick 中的 .reg 文件), "
             u"有了它才能恢复原来的位置。\n\n没有转移任何文件夹, 也没有删除任何文件。",
             kWriteFailedTitle, kMbIconStop}};
    }
    std::vector<Notice> notices;
    if (!outcome.kept.empty()) {
        notices.push_back({KeptFoldersMessage(outcome.kept), kKeptTitle, kMbIconInformation});
    }
    for (const FolderOutcome& folder : outcome.folders) {
        if (folder.result == Result::NotCreated) {
            notices.push_back({std::u16string(kInvalidPathText), kInvalidPathTitle, kMbIconStop});
        } else if (folder.result == Result::NotWritten) {
            notices.push_back(WriteFailedNotice(folder));
        } else if (folder.copy == FolderOutcome::Copy::Incomplete) {
            notices.push_back(CopyIncompleteNotice(folder));
        }
    }
    if (!outcome.notStarted.empty()) {
        std::u16string names;
        for (const Deletion& deletion : outcome.notStarted) {
            names += Joined({u"\n", deletion.folder->folder, u": ", ShownPath(deletion.path)});
        }
        notices.push_back(
            {Joined({u"无法启动系统的命令解释器 (cmd.exe), 下列临时文件夹没有删除:\n", names}),
             kDeletionFailedTitle, kMbIconStop});
    }
    return notices;
}

}  // namespace tarnwick
