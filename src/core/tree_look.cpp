#include "core/tree_look.h"

#include <map>
#include <set>

namespace tarnwick {

const TreeEntry* FirstLink(const std::vector<TreeEntry>& tree) {
    for (const TreeEntry& entry : tree) {
        if (entry.link) {
            return &entry;
        }
    }
    return nullptr;
}

std::optional<std::pair<std::u16string, std::u16string>> CaseTwins(
    const std::vector<TreeEntry>& tree, FileSystemApi& files) {
    // The whole relative path as the key: entries of one folder share everything but their name.
    std::map<std::u16string, const TreeEntry*> seen;
    for (const TreeEntry& entry : tree) {
        const auto [found, added] = seen.emplace(files.NameKey(entry.relativePath), &entry);
        if (!added && found->second->relativePath != entry.relativePath) {
            return std::pair{found->second->relativePath, entry.relativePath};
        }
    }
    return std::nullopt;
}

const TreeEntry* LinkInTheWay(const std::vector<TreeEntry>& source,
                              const std::vector<TreeEntry>& destination, FileSystemApi& files) {
    std::set<std::u16string> written;
    for (const TreeEntry& entry : source) {
        written.insert(files.NameKey(entry.relativePath));
    }
    // Nothing below a link is listed, so the link itself is where a written path would enter it.
    for (const TreeEntry& entry : destination) {
        if (entry.link && written.contains(files.NameKey(entry.relativePath))) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace tarnwick
