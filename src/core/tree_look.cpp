#include "core/tree_look.h"

#include <algorithm>

#include "core/text.h"

namespace tarnwick {

namespace {

// Each entry's relative path as the file system compares it, sorted, with the entry's position.
std::vector<std::pair<std::u16string, std::size_t>> SortedKeys(const std::vector<TreeEntry>& tree,
                                                               FileSystemApi& files) {
    std::vector<std::pair<std::u16string, std::size_t>> keys;
    keys.reserve(tree.size());
    for (std::size_t i = 0; i < tree.size(); ++i) {
        keys.emplace_back(files.NameKey(tree[i].relativePath), i);
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

}  // namespace

std::u16string ShownEntry(std::u16string_view root, std::u16string_view relative) {
    return ShownPath(relative.empty() ? std::u16string(root) : Joined({root, u"\\", relative}));
}

const TreeEntry* FirstLink(const std::vector<TreeEntry>& tree) {
    const auto link =
        std::find_if(tree.begin(), tree.end(), [](const TreeEntry& e) { return e.link; });
    return link == tree.end() ? nullptr : &*link;
}

std::optional<std::pair<std::u16string, std::u16string>> CaseTwins(
    const std::vector<TreeEntry>& tree, FileSystemApi& files) {
    // The whole relative path as the key: entries of one folder share everything but their name.
    const auto keys = SortedKeys(tree, files);
    for (std::size_t i = 1; i < keys.size(); ++i) {
        if (keys[i].first == keys[i - 1].first) {
            return std::pair{tree[keys[i - 1].second].relativePath,
                             tree[keys[i].second].relativePath};
        }
    }
    return std::nullopt;
}

const TreeEntry* LinkInTheWay(const std::vector<TreeEntry>& source,
                              const std::vector<TreeEntry>& destination, FileSystemApi& files) {
    const auto written = SortedKeys(source, files);
    // Nothing below a link is listed, so the link itself is where a written path would enter it.
    for (const TreeEntry& entry : destination) {
        if (!entry.link) {
            continue;
        }
        const std::u16string key = files.NameKey(entry.relativePath);
        const auto found =
            std::lower_bound(written.begin(), written.end(), std::pair{key, std::size_t{0}});
        if (found != written.end() && found->first == key) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace tarnwick
