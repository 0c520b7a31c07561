// Whether a selected folder may move to its destination: every check of the move, made before
// anything is created, written or copied. A refusal comes back with its reason; nothing is shown.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/notice.h"
#include "core/run_request.h"
#include "core/run_services.h"

namespace tarnwick {

inline constexpr std::u16string_view kSamePathText = u"源路径和目标路径相同,不需要转移!";
inline constexpr std::u16string_view kSamePathTitle = u"不需要转移";
inline constexpr std::u16string_view kInvalidPathText = u"输入的路径名不合法,请重新输入!";
inline constexpr std::u16string_view kInvalidPathTitle = u"路径不合法";
inline constexpr std::u16string_view kRefusedTitle = u"不能转移";
inline constexpr std::u16string_view kConfirmTitle = u"确认转移";

// What a folder's move will do, worked out in full before it starts.
struct MovePlan {
    const FolderRequest* request = nullptr;
    std::u16string destination;                   // resolved: where the folders are created
    std::vector<std::u16string> foldersToCreate;  // the missing levels, outermost first
    bool copy = false;                            // the old location holds something to copy
    std::u16string source;                        // resolved old location, when copying
    std::vector<SavedValue> previousValues;       // one for each write target, in order
    // Asked before the move is carried out; No refuses the folder.
    std::optional<Notice> question;
};

struct Refusal {
    enum class Kind {
        SamePath,     // the destination is where the folder is
        InvalidPath,  // not a complete path, or one whose drive or share is not there
        Refused,      // told with its reason
        Declined,     // the user answered No
    };
    Kind kind = Kind::Refused;
    std::u16string reason;
};

// One selected folder's part of a run: its move, or why it does not move.
struct FolderPlan {
    const FolderRequest* request = nullptr;
    std::optional<MovePlan> move;
    Refusal refusal;  // when there is no move
};

// The reason a destination's spelling cannot be used as it is, or nullopt.
std::optional<std::u16string> DestinationNameProblem(std::u16string_view destination,
                                                     const CodePage& codePage);

FolderPlan CheckTarget(const RunRequest& request, const FolderRequest& folder,
                       const RedirectServices& services);

// What the window shows for a refusal, in its own words; nullopt for a No, which needs none.
std::optional<Notice> RefusalNotice(const FolderPlan& folder);

}  // namespace tarnwick
