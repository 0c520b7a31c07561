#include "core/copy_check.h"

#include <algorithm>

namespace tarnwick {

std::vector<std::u16string> EntriesNotCopied(const std::vector<TreeEntry>& source,
                                             const std::vector<TreeEntry>& destination,
                                             FileSystemApi& files) {
    // Destination entries by exact path and by the path as the file system compares it, sorted.
    using Keys = std::vector<std::pair<std::u16string, std::size_t>>;
    Keys exact;
    Keys folded;
    for (std::size_t i = 0; i < destination.size(); ++i) {
        exact.emplace_back(destination[i].relativePath, i);
        folded.emplace_back(files.NameKey(destination[i].relativePath), i);
    }
    std::sort(exact.begin(), exact.end());
    std::sort(folded.begin(), folded.end());
    const auto range = [](const Keys& keys, const std::u16string& key) {
        return std::equal_range(keys.begin(), keys.end(), std::pair{key, std::size_t{0}},
                                [](const auto& a, const auto& b) { return a.first < b.first; });
    };
    std::vector<bool> taken(destination.size(), false);
    std::vector<const TreeEntry*> match(source.size(), nullptr);
    for (std::size_t i = 0; i < source.size(); ++i) {
        const auto [first, last] = range(exact, source[i].relativePath);
        if (first != last) {
            taken[first->second] = true;
            match[i] = &destination[first->second];
        }
    }
    for (std::size_t i = 0; i < source.size(); ++i) {
        const auto [first, last] = range(folded, files.NameKey(source[i].relativePath));
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
