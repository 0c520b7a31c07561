// Whether the shell's copy brought everything: Wine's shell answers success also when it skipped
// a locked file, so the result is checked on disk.
#pragma once

#include <string>
#include <vector>

#include "platform/file_system_api.h"

namespace tarnwick {

// The source's files and folders that are missing at the destination, or whose size differs
// there. Names are compared without regard to case, as Windows does.
std::vector<std::u16string> EntriesNotCopied(const std::vector<TreeEntry>& source,
                                             const std::vector<TreeEntry>& destination);

}  // namespace tarnwick
