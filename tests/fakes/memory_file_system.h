// A file system held in memory: folders and files by path, and the answers about canonical forms
// and failures that a test gives it. Paths are compared as Windows compares them.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system_api.h"

namespace tarnwick::fake {

// Where relative paths lead, as the folder a program started from Explorer runs in.
inline constexpr std::u16string_view kCurrentFolder = u"C:\\Program Files\\Tarnwick";

class MemoryFileSystem : public FileSystemApi {
  public:
    MemoryFileSystem();  // drives C:, D: and E: exist, empty

    void AddFolder(std::u16string_view path);  // with every missing parent
    void AddFile(std::u16string_view path, std::uint64_t size = 1);
    // A symbolic link or junction: listed as a link, never entered.
    void AddLink(std::u16string_view path, bool toFolder = true);
    // A second file whose name differs from an existing one's only in case, as a case-sensitive
    // folder can hold.
    void AddCaseTwin(std::u16string_view path, std::uint64_t size = 1);
    // How Windows resolves path and everything below it (a short name, a link); nullopt when it
    // cannot. Paths without an answer resolve to themselves.
    void SetCanonical(std::u16string_view path, std::optional<std::u16string> canonical);
    void SetUnreadable(std::u16string_view path);
    // The folder holds this many plain files besides those added, too many to add one by one.
    void AddUnnamedFiles(std::u16string_view folder, std::size_t count);
    void FailToCreate(std::u16string_view path);

    bool Exists(std::u16string_view path) const;

    std::vector<std::u16string> created;  // successful CreateFolder calls, in order
    std::vector<std::u16string> removed;  // successful RemoveEmptyFolder calls, in order

    std::optional<std::u16string> CanonicalPath(std::u16string_view path) override;
    std::optional<std::u16string> FullPath(std::u16string_view path) override;
    PathKind KindOf(std::u16string_view path) override;
    bool HasEntries(std::u16string_view folder) override;
    bool CreateFolder(std::u16string_view path) override;
    bool RemoveEmptyFolder(std::u16string_view path) override;
    TreeListing ListTree(std::u16string_view root, const TreeLook& look = {}) override;
    std::u16string NameKey(std::u16string_view name) override;

  private:
    struct Entry {
        std::u16string path;  // as added, "\" between levels
        bool folder = false;
        std::uint64_t size = 0;
        bool link = false;
    };
    std::vector<std::pair<std::u16string, const Entry*>> Inside(std::u16string_view folder) const;

    std::map<std::u16string, Entry> entries_;  // by comparable path
    std::vector<Entry> caseTwins_;
    std::map<std::u16string, std::optional<std::u16string>> canonical_;
    std::set<std::u16string> unreadable_;
    std::set<std::u16string> failToCreate_;
    std::map<std::u16string, std::size_t> unnamedFiles_;
};

}  // namespace tarnwick::fake
