#include "core/missing_levels.h"

namespace tarnwick {

std::optional<std::u16string> CreateMissingLevels(FileSystemApi& files,
                                                  const std::vector<std::u16string>& levels,
                                                  std::vector<std::u16string>& created) {
    for (const std::u16string& level : levels) {
        // An earlier step may have made it already.
        if (files.KindOf(level) == PathKind::Folder) {
            continue;
        }
        if (!files.CreateFolder(level)) {
            return level;
        }
        created.push_back(level);
    }
    return std::nullopt;
}

}  // namespace tarnwick
