// Whether the shell's copy brought everything: Wine's shell answers success also when it skipped
// a locked file, so the result is checked on disk.
#pragma once

#include <string>
#include <vector>

#include "platform/file_system_api.h"

namespace tarnwick {

// The source's files and folders that are missing at the destination, or whose size differs
// there. A name is found by its exact spelling first, and else by a destination entry that
// differs from it only in case and stands for no other source entry (the copy keeps the name of
// a file it replaces): two source names never count as copied to one.
std::vector<std::u16string> EntriesNotCopied(const std::vector<TreeEntry>& source,
                                             const std::vector<TreeEntry>& destination,
                                             FileSystemApi& files);

}  // namespace tarnwick
