// Which old temporary folders the delete option may remove, judged on the path that Windows will
// act on, and the commands that remove them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/run_request.h"
#include "core/run_services.h"

namespace tarnwick {

struct Deletion {
    const ManagedFolder* folder;
    std::u16string path;  // the resolved form, which the command names
};

struct KeptFolder {
    const ManagedFolder* folder;
    std::u16string location;
    std::u16string reason;
};

struct DeletionPlan {
    std::vector<Deletion> deletions;
    std::vector<KeptFolder> kept;

    const Deletion* Find(const ManagedFolder& folder) const;
};

inline constexpr std::u16string_view kKeptTitle = u"保留临时文件夹";

// A temporary folder with more entries than this is kept rather than looked through for links
// for long: under Wine, where each file has to be opened, 50000 take about a quarter of a minute.
inline constexpr std::size_t kLargestTreeToDelete = 50000;

// Every temporary folder's location is deleted unless it cannot be judged safely, or it is or
// holds a folder that Windows reports, Favorites' or My Documents' location, or the destination
// of a folder selected in this run, or it holds a link anywhere below it.
DeletionPlan PlanDeletions(const RunRequest& request, const RedirectServices& services);

// RD /S/Q of the folder, then MD of it again when it must still exist afterwards.
std::u16string DeletionCommand(std::u16string_view path, bool keepFolder);

// One information message for all kept folders, short enough to stay on the screen.
std::u16string KeptFoldersMessage(const std::vector<KeptFolder>& kept);

}  // namespace tarnwick
