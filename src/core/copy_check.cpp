#include "core/copy_check.h"

#include <map>

namespace tarnwick {

std::vector<std::u16string> EntriesNotCopied(const std::vector<TreeEntry>& source,
                                             const std::vector<TreeEntry>& destination,
                                             FileSystemApi& files) {
    std::map<std::u16string, std::size_t> exact;
    std::multimap<std::u16string, std::size_t> folded;
    for (std::size_t i = 0; i < destination.size(); ++i) {
        exact.emplace(destination[i].relativePath, i);
        folded.emplace(files.NameKey(destination[i].relativePath), i);
    }
    std::vector<bool> taken(destination.size(), false);
    std::vector<const TreeEntry*> match(source.size(), nullptr);
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (const auto found = exact.find(source[i].relativePath); found != exact.end()) {
            taken[found->second] = true;
            match[i] = &destination[found->second];
        }
    }
    for (std::size_t i = 0; i < source.size(); ++i) {
        const auto [first, last] = folded.equal_range(files.NameKey(source[i].relativePath));
        for (auto candidate = first; !match[i] && candidate != last; ++candidate) {
            if (!taken[candidate->second]) {
                taken[candidate->second] = true;
                match[i] = &destination[candidate->second];
            }
        }
    }
    std::vector<std::u16string> missing;
    for (std::size_t i = 0; i < source.size(); ++i) {
        const TreeEntry* copied = match[i];
        if (!copied || copied->folder != source[i].folder ||
            (!source[i].folder && copied->size != source[i].size)) {
            missing.push_back(source[i].relativePath);
        }
    }
    return missing;
}

}  // namespace tarnwick
