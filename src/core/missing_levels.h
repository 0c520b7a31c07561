// Making the levels of a folder's path that are not there, for a move and for an undo alike.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/file_system_api.h"

namespace tarnwick {

// Creates each level that is not a folder yet, outermost first, and appends the ones it made to
// `created`. Stops at the first level that cannot be made and returns it.
std::optional<std::u16string> CreateMissingLevels(FileSystemApi& files,
                                                  const std::vector<std::u16string>& levels,
                                                  std::vector<std::u16string>& created);

}  // namespace tarnwick
