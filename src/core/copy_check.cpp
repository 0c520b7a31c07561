#include "core/copy_check.h"

#include <map>

#include "core/text.h"

namespace tarnwick {

std::vector<std::u16string> EntriesNotCopied(const std::vector<TreeEntry>& source,
                                             const std::vector<TreeEntry>& destination) {
    std::map<std::u16string, const TreeEntry*> copied;
    for (const TreeEntry& entry : destination) {
        copied[ToUpperCase(entry.relativePath)] = &entry;
    }
    std::vector<std::u16string> missing;
    for (const TreeEntry& entry : source) {
        const auto found = copied.find(ToUpperCase(entry.relativePath));
        if (found == copied.end() || found->second->folder != entry.folder ||
            (!entry.folder && found->second->size != entry.size)) {
            missing.push_back(entry.relativePath);
        }
    }
    return missing;
}

}  // namespace tarnwick
