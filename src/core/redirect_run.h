// What the move button does: checks every selected folder's move first, writes a journal of the
// values it will change, empties or removes the old temporary folders that may safely go, and
// moves each accepted folder all-or-nothing.
#pragma once

#include <string>
#include <vector>

#include "core/check_target.h"
#include "core/controls.h"
#include "core/deletion_guard.h"
#include "core/run_request.h"
#include "core/run_services.h"

namespace tarnwick {

inline constexpr std::u16string_view kWriteFailedTitle = u"转移失败";
inline constexpr std::u16string_view kCopyIncompleteTitle = u"复制没有完成";
inline constexpr std::u16string_view kDeletionFailedTitle = u"没有删除临时文件夹";

// Everything a run will do, worked out before it changes anything.
struct RunPlan {
    RunRequest request;
    std::vector<MovePlan> moves;  // point into request
    DeletionPlan deletions;       // empty without the delete option
    int refused = 0;              // selected folders that will not move

    RunPlan() = default;
    RunPlan(RunPlan&&) = default;
    RunPlan& operator=(RunPlan&&) = default;
    RunPlan(const RunPlan&) = delete;
    RunPlan& operator=(const RunPlan&) = delete;
};

struct RunOutcome {
    int moved = 0;
    int refused = 0;
    int failed = 0;  // a folder's creation or registry writes failed
    int copiesIncomplete = 0;
    int keptFolders = 0;          // temporary folders the delete option left alone
    int deletionsNotStarted = 0;  // the command interpreter could not be started for them
    bool journalFailed = false;   // nothing was changed
    std::u16string journal;       // the journal's path, when one was written

    bool AllDone() const {
        return refused == 0 && failed == 0 && copiesIncomplete == 0 && keptFolders == 0 &&
               deletionsNotStarted == 0 && !journalFailed;
    }
};

// The checks of every selected folder and of the delete option, with their messages and
// questions; nothing is created, written, copied or deleted.
RunPlan PlanRun(const Controls& controls, const RedirectServices& services);

// The plan as text, folder by folder: where from and to, the levels to create, the values to
// write, whether the contents are copied, and which temporary folders are emptied, removed or kept.
std::u16string PlanText(const RunPlan& plan);

// Carries a plan out; the journal is written first, and if it cannot be, nothing happens.
RunOutcome CarryOut(Controls& controls, const RunPlan& plan, const RedirectServices& services);

inline RunOutcome RedirectRun(Controls& controls, const RedirectServices& services) {
    return CarryOut(controls, PlanRun(controls, services), services);
}

}  // namespace tarnwick
