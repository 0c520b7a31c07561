#include "fakes/memory_file_system.h"

#include <algorithm>

#include "core/path.h"
#include "core/text.h"

namespace tarnwick::fake {

namespace {

std::u16string Key(std::u16string_view path) {
    return ComparablePath(path);
}

// "/" as "\", no trailing "\" but a root's.
std::u16string Spelled(std::u16string_view path) {
    std::u16string spelled(path);
    for (char16_t& c : spelled) {
        c = c == u'/' ? u'\\' : c;
    }
    while (spelled.size() > 3 && spelled.back() == u'\\') {
        spelled.pop_back();
    }
    return spelled;
}

// As Windows completes a path: a relative one against the current folder, a drive-relative one
// ("D:Temp") against that drive's current folder (its root, for a drive other than the current
// one), one from the root ("\\Temp") on the current drive.
std::u16string Completed(std::u16string_view path) {
    if (IsAbsolutePath(path)) {
        return Spelled(path);
    }
    if (path.size() >= 2 && path[1] == u':') {
        const bool currentDrive = ToUpperCase(path.substr(0, 1)) == u"C";
        return Spelled(
            Joined({currentDrive ? kCurrentFolder : path.substr(0, 2), u"\\", path.substr(2)}));
    }
    if (!path.empty() && (path[0] == u'\\' || path[0] == u'/')) {
        return Spelled(Joined({u"C:", path}));
    }
    return Spelled(Joined({kCurrentFolder, u"\\", path}));
}

}  // namespace

MemoryFileSystem::MemoryFileSystem() {
    for (const std::u16string_view drive : {u"C:\\", u"D:\\", u"E:\\"}) {
        entries_[Key(drive)] = {std::u16string(drive), true, 0};
    }
}

void MemoryFileSystem::AddFolder(std::u16string_view path) {
    for (const std::u16string& prefix : PathPrefixes(Spelled(path))) {
        entries_.try_emplace(Key(prefix), Entry{prefix, true, 0});
    }
}

void MemoryFileSystem::AddFile(std::u16string_view path, std::uint64_t size) {
    const std::u16string spelled = Spelled(path);
    AddFolder(spelled.substr(0, spelled.rfind(u'\\')));
    entries_[Key(spelled)] = {spelled, false, size};
}

void MemoryFileSystem::AddLink(std::u16string_view path, bool toFolder) {
    const std::u16string spelled = Spelled(path);
    AddFolder(spelled.substr(0, spelled.rfind(u'\\')));
    entries_[Key(spelled)] = {spelled, toFolder, 0, true};
}

void MemoryFileSystem::AddCaseTwin(std::u16string_view path, std::uint64_t size) {
    caseTwins_.push_back({Spelled(path), false, size});
}

void MemoryFileSystem::SetCanonical(std::u16string_view path,
                                    std::optional<std::u16string> canonical) {
    canonical_[Key(path)] = std::move(canonical);
}

void MemoryFileSystem::SetUnreadable(std::u16string_view path) {
    unreadable_.insert(Key(path));
}

void MemoryFileSystem::AddUnnamedFiles(std::u16string_view folder, std::size_t count) {
    AddFolder(folder);
    unnamedFiles_[Key(folder)] += count;
}

void MemoryFileSystem::FailToCreate(std::u16string_view path) {
    failToCreate_.insert(Key(path));
}

bool MemoryFileSystem::Exists(std::u16string_view path) const {
    return entries_.contains(Key(path));
}

std::optional<std::u16string> MemoryFileSystem::CanonicalPath(std::u16string_view asked) {
    const std::u16string path = Completed(asked);
    for (const auto& [from, to] : canonical_) {
        if (IsSameOrInside(path, from)) {
            if (!to) {
                return std::nullopt;
            }
            const std::u16string rest = Spelled(path).substr(Spelled(from).size());
            return *to + rest;
        }
    }
    return path;
}

std::optional<std::u16string> MemoryFileSystem::FullPath(std::u16string_view path) {
    return Completed(path);
}

PathKind MemoryFileSystem::KindOf(std::u16string_view path) {
    if (unreadable_.contains(Key(path))) {
        return PathKind::Unreadable;
    }
    const auto found = entries_.find(Key(path));
    if (found == entries_.end()) {
        return PathKind::Missing;
    }
    return found->second.folder ? PathKind::Folder : PathKind::File;
}

std::vector<std::pair<std::u16string, const MemoryFileSystem::Entry*>> MemoryFileSystem::Inside(
    std::u16string_view folder) const {
    const std::u16string key = Key(folder);
    const std::u16string prefix = key.back() == u'\\' ? key : key + u'\\';
    std::vector<std::pair<std::u16string, const Entry*>> inside;
    for (const auto& [path, entry] : entries_) {
        if (path.size() > prefix.size() && path.starts_with(prefix)) {
            inside.push_back({entry.path.substr(prefix.size()), &entry});
        }
    }
    for (const Entry& twin : caseTwins_) {
        if (Key(twin.path).starts_with(prefix)) {
            inside.push_back({twin.path.substr(prefix.size()), &twin});
        }
    }
    return inside;
}

bool MemoryFileSystem::HasEntries(std::u16string_view folder) {
    return !Inside(folder).empty();
}

bool MemoryFileSystem::CreateFolder(std::u16string_view path) {
    const std::u16string spelled = Spelled(path);
    if (KindOf(spelled) == PathKind::Folder) {
        return true;
    }
    const std::size_t parent = spelled.rfind(u'\\');
    if (failToCreate_.contains(Key(spelled)) || parent == std::u16string::npos ||
        KindOf(spelled.substr(0, std::max<std::size_t>(parent, 3))) != PathKind::Folder ||
        KindOf(spelled) == PathKind::File) {
        return false;
    }
    entries_.try_emplace(Key(spelled), Entry{spelled, true, 0});
    created.push_back(spelled);
    return true;
}

bool MemoryFileSystem::RemoveEmptyFolder(std::u16string_view path) {
    if (KindOf(path) != PathKind::Folder || HasEntries(path)) {
        return false;
    }
    entries_.erase(Key(path));
    removed.push_back(Spelled(path));
    return true;
}

TreeListing MemoryFileSystem::ListTree(std::u16string_view root, const TreeLook& look) {
    const std::size_t maxEntries = look.maxEntries;
    TreeListing listing;
    if (KindOf(root) != PathKind::Folder) {
        listing.status = TreeListing::Status::Unreadable;
        return listing;
    }
    const auto inside = Inside(root);
    std::vector<std::u16string> links;  // what lies below them is not seen
    for (const auto& [relative, entry] : inside) {
        if (entry->link) {
            links.push_back(Key(relative));
        }
    }
    for (const auto& [relative, entry] : inside) {
        const std::u16string key = Key(relative);
        if (std::any_of(links.begin(), links.end(), [&](const std::u16string& link) {
                return key.size() > link.size() && key.starts_with(link + u'\\');
            })) {
            continue;
        }
        if (entry->folder && unreadable_.contains(Key(entry->path))) {
            listing.status = TreeListing::Status::Unreadable;
            listing.unreadable = relative;
            return listing;
        }
        if (listing.entries.size() >= maxEntries) {
            listing.status = TreeListing::Status::TooLarge;
            return listing;
        }
        listing.entries.push_back({relative, entry->size, entry->folder, entry->link});
    }
    std::size_t unnamed = 0;
    for (const auto& [folder, count] : unnamedFiles_) {
        unnamed += IsSameOrInside(folder, root) ? count : 0;
    }
    if (unnamed > maxEntries - listing.entries.size()) {
        listing.status = TreeListing::Status::TooLarge;
    }
    return listing;
}

std::u16string MemoryFileSystem::NameKey(std::u16string_view name) {
    return ToUpperCase(name);
}

}  // namespace tarnwick::fake
