// The file system as the checks of a run and the copy's verification see it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

enum class PathKind { Missing, Folder, File, Unreadable };

struct TreeEntry {
    std::u16string relativePath;  // below the listed root, "\" between levels
    std::uint64_t size = 0;
    bool folder = false;
    bool operator==(const TreeEntry&) const = default;
};

class FileSystemApi {
  public:
    virtual ~FileSystemApi() = default;

    // The path Windows itself acts on: complete, with "/", "." and "..", and the trailing dots
    // and spaces of every level resolved; for the part that exists, short names and links are
    // followed to the final long names. No trailing "\" but a root's. nullopt when Windows
    // cannot resolve the path.
    virtual std::optional<std::u16string> CanonicalPath(std::u16string_view path) = 0;

    virtual PathKind KindOf(std::u16string_view path) = 0;

    // Whether the folder holds any file or folder.
    virtual bool HasEntries(std::u16string_view folder) = 0;

    // Creates one level whose parent exists; true when the folder exists afterwards.
    virtual bool CreateFolder(std::u16string_view path) = 0;

    // Removes the folder only when it is empty.
    virtual bool RemoveEmptyFolder(std::u16string_view path) = 0;

    // Every file and folder below root, without following links; nullopt when part of the tree
    // cannot be listed.
    virtual std::optional<std::vector<TreeEntry>> ListTree(std::u16string_view root) = 0;
};

}  // namespace tarnwick
