// What a tree holds that a command walking it would get wrong: Wine's RD /S/Q and the shell's
// copy follow links, and a copy onto Windows makes one file of two names that differ only in
// case.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_system_api.h"

namespace tarnwick {

// An entry of a tree below root, as a message shows it; the root itself for an empty relative path.
std::u16string ShownEntry(std::u16string_view root, std::u16string_view relative);

// The first link met, or nullptr.
const TreeEntry* FirstLink(const std::vector<TreeEntry>& tree);

// Two entries of one folder whose names differ only in case, or nullopt.
std::optional<std::pair<std::u16string, std::u16string>> CaseTwins(
    const std::vector<TreeEntry>& tree, FileSystemApi& files);

// A link in destination where copying source into it would write, or nullptr.
const TreeEntry* LinkInTheWay(const std::vector<TreeEntry>& source,
                              const std::vector<TreeEntry>& destination, FileSystemApi& files);

}  // namespace tarnwick
