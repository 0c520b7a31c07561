// The program's own walks of a folder tree: the look, the copy and the cleanup. None of them
// follows a link: a link is what its folder's listing shows as one (a junction and a mount point
// too), or an entry whose handle's final path is not where it was listed (Wine opens a link's
// target, and lists a link to a file as that file). Each entry is opened, checked to be what
// was listed, and only then listed, read, deleted or moved, through the handle that was checked.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/tree_api.h"
#include "platform/tree_progress.h"

namespace tarnwick {

struct TreeEntry {
    std::u16string relativePath;  // below the listed root, "\" between levels
    std::uint64_t size = 0;
    bool folder = false;
    bool link = false;  // listed, never entered, copied or deleted
    std::uint32_t attributes = 0;
    bool operator==(const TreeEntry&) const = default;
};

struct TreeLook {
    // Whether every link is to be found, also where the listing shows a link to a file as the
    // file itself (Wine does): each file is then opened, which takes time.
    bool everyLink = true;
};

// A tree as far as it was looked through.
struct TreeListing {
    enum class Status { Complete, Unreadable };
    Status status = Status::Complete;
    std::vector<TreeEntry> entries;
    std::u16string unreadable;  // the folder that could not be listed, relative to the root

    bool Complete() const { return status == Status::Complete; }
};

// An entry a walk left where it was, and why.
struct LeftEntry {
    enum class Reason {
        Link,      // a link, a junction or a mount point
        InUse,     // another program holds it open
        Changed,   // no longer what was listed: replaced (perhaps by a link) while the walk ran
        InTheWay,  // the copy's destination holds something else of that name, or a link
        Failed,    // Windows refused, with the error
    };
    std::u16string relativePath;
    Reason reason = Reason::Failed;
    std::uint32_t error = 0;       // for Failed
    std::uint32_t attributes = 0;  // as listed: a link's tell Windows' own compatibility links
};

// Windows' own links from the names of earlier versions ("My Music" in Documents): hidden and
// system reparse points.
bool IsCompatibilityLink(std::uint32_t attributes);

struct CleanResult {
    enum class Status {
        Missing,    // there was nothing to clean
        Changed,    // the folder is not the one that was checked: nothing was touched
        Done,       // everything that is not in `left` went
        Cancelled,  // stopped by the user; what was not reached stays
    };
    Status status = Status::Done;
    bool rootRemoved = false;
    std::uint64_t filesDeleted = 0;
    std::uint64_t foldersRemoved = 0;
    std::vector<LeftEntry> left;  // links, files in use, entries that changed or failed

    std::size_t Count(LeftEntry::Reason reason) const;
};

struct CopyRequest {
    std::u16string source;       // the old folder as Windows is given it
    std::u16string sourceFinal;  // where the plan found it: nothing is copied from elsewhere
    std::u16string destination;  // the new folder, which exists
    std::u16string destinationFinal;
    // Where a destination file of other content goes before its name is taken, by its relative
    // path; made when the first one goes, on the destination's volume.
    std::u16string setAsideFolder;
    std::u16string setAsideFinal;
    std::uint64_t totalBytes = 0;  // for the progress only
};

// What a copy changed at its destination, so that it can be taken back.
struct CopyRecord {
    std::vector<std::u16string> createdFiles;    // relative to the destination
    std::vector<std::u16string> createdFolders;  // outermost first
    std::vector<std::u16string> setAside;        // relative to both the destination and the
                                                 // set-aside folder
    std::vector<std::u16string> setAsideLevels;  // made in the set-aside folder, "" its root
};

struct CopyResult {
    enum class Status {
        Whole,      // every entry but the links arrived
        NotWhole,   // notCopied says what did not
        Cancelled,  // stopped by the user
        Changed,    // a root is not the folder that was checked: nothing was copied
    };
    Status status = Status::Whole;
    CopyRecord record;
    std::vector<LeftEntry> links;      // stay in the old folder
    std::vector<LeftEntry> notCopied;  // in use, changed, in the way, failed
    std::uint64_t filesCopied = 0;
    std::uint64_t bytesCopied = 0;
    std::uint64_t filesAlreadyThere = 0;  // the same bytes were at the destination
};

class TreeOperations {
  public:
    explicit TreeOperations(TreeApi& api) : api_(api) {}

    // Every file and folder below root, without entering links, or as far as it could be listed.
    TreeListing Look(std::u16string_view root, const TreeLook& look = {});

    // Whether the two files hold the same bytes; nullopt when one cannot be read.
    std::optional<bool> SameContent(std::u16string_view a, std::u16string_view b);

    // Copies every entry of the source but its links into the destination, with data,
    // attributes and times. A destination file of the same name and other content is set aside
    // first; one of the same content stays. Nothing is replaced, and no file is left at the
    // destination shorter than its source: a file is written under its own name while it is
    // marked to go when closed, and kept only once it is whole.
    CopyResult Copy(const CopyRequest& request, TreeProgress& progress);

    // Removes what the copy made and puts back what it set aside; what could not be taken back.
    std::vector<LeftEntry> TakeBack(const CopyRequest& request, const CopyRecord& record);

    // Deletes every entry below root that is not a link, and root too when asked; the links
    // stay, with the folders that lead to them. rootFinal is where the plan found root.
    CleanResult Clean(std::u16string_view root, std::u16string_view rootFinal, bool removeRoot,
                      TreeProgress& progress);

    std::optional<std::uint64_t> FreeBytes(std::u16string_view folder) {
        return api_.FreeBytes(folder);
    }

  private:
    TreeApi& api_;
};

// A final path as the program compares paths: "\\?\C:\x" as "C:\x", "\\?\UNC\s\x" as "\\s\x";
// any other "\\?\" form stays as it is.
std::u16string ComparableFinalPath(std::u16string_view finalPath);

// The "\\?\" form of a complete path, which Windows takes at any length and as spelled.
std::u16string LongPathForm(std::u16string_view path);

}  // namespace tarnwick
