// The file system as the checks of a run and the copy's verification see it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

enum class PathKind { Missing, Folder, File, Unreadable };

inline constexpr std::size_t kWholeTree = std::numeric_limits<std::size_t>::max();

struct TreeEntry {
    std::u16string relativePath;  // below the listed root, "\" between levels
    std::uint64_t size = 0;
    bool folder = false;
    bool link = false;  // a reparse point (a symbolic link, a junction): listed, never entered
    bool operator==(const TreeEntry&) const = default;
};

struct TreeLook {
    std::size_t maxEntries = kWholeTree;
    // Whether every link is to be found, also where the listing shows a link to a file as the
    // file itself (Wine does): each file is then opened, which is slow, so only a tree that a
    // command is about to walk is looked at so closely.
    bool everyLink = true;
};

// A tree as far as it was looked through.
struct TreeListing {
    enum class Status { Complete, TooLarge, Unreadable };
    Status status = Status::Complete;
    std::vector<TreeEntry> entries;
    std::u16string unreadable;  // the folder that could not be listed, relative to the root

    bool Complete() const { return status == Status::Complete; }
};

class FileSystemApi {
  public:
    virtual ~FileSystemApi() = default;

    // The path Windows itself acts on: complete, with "/", "." and "..", and the trailing dots
    // and spaces of every level resolved; for the part that exists, short names and links are
    // followed to the final long names. No trailing "\" but a root's. A link that leads where no
    // drive or share reaches (Wine's "\\?\unix\...", a volume path) gives that "\\?\" form, good
    // for comparing only. nullopt when Windows cannot resolve the path.
    virtual std::optional<std::u16string> CanonicalPath(std::u16string_view path) = 0;

    // The path made complete as CanonicalPath makes it, but with nothing followed: what the
    // commands are given when the canonical form is one Windows cannot reopen.
    virtual std::optional<std::u16string> FullPath(std::u16string_view path) = 0;

    virtual PathKind KindOf(std::u16string_view path) = 0;

    // Whether the folder holds any file or folder.
    virtual bool HasEntries(std::u16string_view folder) = 0;

    // Creates one level whose parent exists; true when the folder exists afterwards.
    virtual bool CreateFolder(std::u16string_view path) = 0;

    // Removes the folder only when it is empty.
    virtual bool RemoveEmptyFolder(std::u16string_view path) = 0;

    // Every file and folder below root, without entering links, until more than look.maxEntries
    // have been seen (TooLarge) or a folder cannot be listed (Unreadable).
    virtual TreeListing ListTree(std::u16string_view root, const TreeLook& look = {}) = 0;

    // A name as the file system compares names: names that differ only in case give one key.
    virtual std::u16string NameKey(std::u16string_view name) = 0;
};

}  // namespace tarnwick
