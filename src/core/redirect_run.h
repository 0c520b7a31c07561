// What the move button does: checks every selected folder's move first, writes a journal of the
// values it will change, empties or removes the old temporary folders that may safely go, and
// moves each accepted folder all-or-nothing. Nothing here shows anything: the plan and the
// outcome are data, which the window and the command line each show in their own way.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/check_target.h"
#include "core/deletion_guard.h"
#include "core/notice.h"
#include "core/run_request.h"
#include "core/run_services.h"

namespace tarnwick {

inline constexpr std::u16string_view kWriteFailedTitle = u"转移失败";
inline constexpr std::u16string_view kCopyIncompleteTitle = u"复制没有完成";
inline constexpr std::u16string_view kDeletionFailedTitle = u"没有删除临时文件夹";

// Everything a run will do, worked out before it changes anything.
struct RunPlan {
    RunRequest request;
    std::vector<FolderPlan> folders;  // the selected folders, in table order; point into request
    DeletionPlan deletions;           // empty without the delete option

    RunPlan() = default;
    RunPlan(RunPlan&&) = default;
    RunPlan& operator=(RunPlan&&) = default;
    RunPlan(const RunPlan&) = delete;
    RunPlan& operator=(const RunPlan&) = delete;

    int Refused() const;
    const MovePlan* MoveOf(const ManagedFolder& folder) const;
};

// How one selected folder's part of the run ended.
struct FolderOutcome {
    enum class Result {
        Refused,     // by the plan, or by the user's No
        NotCreated,  // a level of the destination could not be made
        NotWritten,  // a registry write failed; what was written was put back where it could be
        Moved,
    };
    enum class Copy { None, Complete, Incomplete };

    FolderRequest request;  // a copy: the outcome outlives the plan
    Result result = Result::Refused;
    std::size_t targetsWritten = 0;               // before the one that failed, when NotWritten
    std::vector<std::size_t> targetsNotRestored;  // of those written, by index
    Copy copy = Copy::None;
    std::optional<std::size_t> entriesNotCopied;  // when the copy could be counted
};

struct RunOutcome {
    std::vector<FolderOutcome> folders;  // the selected folders, in table order
    std::vector<KeptFolder> kept;        // temporary folders the delete option left alone
    std::vector<Deletion> notStarted;    // the command interpreter could not be started for them
    bool journalFailed = false;          // nothing was changed
    std::u16string journal;              // the journal's path, when one was written

    int Count(FolderOutcome::Result result) const;
    bool AllDone() const;
};

// The checks of every selected folder and of the delete option; nothing is created, written,
// copied, deleted or asked. The plan keeps the request, which its folders point into.
RunPlan PlanRun(RunRequest request, const RedirectServices& services);

// Asks a folder's question, if the plan has one for it; a No refuses the folder.
void AskQuestion(FolderPlan& folder, Confirmation& confirmation);

// Asks the plan's questions through the confirmation, in table order. Each refusal the checks
// found goes to `tell` at its place in the same order, so that a face which tells them as they
// come shows them where the checks met them.
template <typename Tell>
void SettleQuestions(RunPlan& plan, Confirmation& confirmation, Tell&& tell) {
    for (FolderPlan& folder : plan.folders) {
        if (folder.move) {
            AskQuestion(folder, confirmation);
        } else if (const std::optional<Notice> notice = RefusalNotice(folder)) {
            tell(*notice);
        }
    }
}

// The plan as text, folder by folder: where from and to, the levels to create, the values to
// write, whether the contents are copied, why a folder does not move, and which temporary
// folders are emptied, removed or kept.
std::u16string PlanText(const RunPlan& plan);

// Carries a settled plan out; the journal is written first, and if it cannot be, nothing happens.
RunOutcome CarryOut(const RunPlan& plan, const RedirectServices& services);

// What the outcome has to tell, in the order the run met it; refusals were told with the plan.
std::vector<Notice> OutcomeNotices(const RunOutcome& outcome);

}  // namespace tarnwick
