// The calls the program's own tree walks make, mirroring kernel32's handle-based file functions
// with plain integers: every entry is opened, checked and acted on through its handle, and
// nothing is deleted, moved or read by name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

using TreeHandle = std::uintptr_t;  // 0 is no handle

// FILE_ATTRIBUTE_* and the reparse tag bit that Windows defines.
inline constexpr std::uint32_t kAttributeReadOnly = 0x1;
inline constexpr std::uint32_t kAttributeHidden = 0x2;
inline constexpr std::uint32_t kAttributeSystem = 0x4;
inline constexpr std::uint32_t kAttributeDirectory = 0x10;
inline constexpr std::uint32_t kAttributeNormal = 0x80;
inline constexpr std::uint32_t kAttributeReparsePoint = 0x400;
// Symbolic links, junctions and mount points stand for another name; a cloud file or a
// deduplicated one carries its own data behind its reparse point.
inline constexpr std::uint32_t kReparseTagNameSurrogate = 0x20000000;

// The Windows error codes the walks decide by.
inline constexpr std::uint32_t kErrorFileNotFound = 2;
inline constexpr std::uint32_t kErrorPathNotFound = 3;
inline constexpr std::uint32_t kErrorAccessDenied = 5;
inline constexpr std::uint32_t kErrorSharingViolation = 32;
inline constexpr std::uint32_t kErrorLockViolation = 33;
inline constexpr std::uint32_t kErrorHandleDiskFull = 39;
inline constexpr std::uint32_t kErrorFileExists = 80;
inline constexpr std::uint32_t kErrorDiskFull = 112;
inline constexpr std::uint32_t kErrorDirNotEmpty = 145;
inline constexpr std::uint32_t kErrorAlreadyExists = 183;
inline constexpr std::uint32_t kErrorCancelled = 1223;

// FILE_BASIC_INFO: the times as FILETIME counts (0 leaves a time as it is) and the attributes.
struct BasicInfo {
    std::int64_t creationTime = 0;
    std::int64_t lastAccessTime = 0;
    std::int64_t lastWriteTime = 0;
    std::int64_t changeTime = 0;
    std::uint32_t attributes = 0;
};

// FILE_ATTRIBUTE_TAG_INFO.
struct AttributeTag {
    std::uint32_t attributes = 0;
    std::uint32_t reparseTag = 0;
};

// One entry of a folder's listing (FILE_FULL_DIR_INFO).
struct FolderEntry {
    std::u16string name;
    std::uint32_t attributes = 0;
    std::uint32_t reparseTag = 0;  // EaSize, which holds the tag of a reparse point
    std::uint64_t size = 0;
};

// What an entry is opened for; each asks for the access it needs and shares the rest.
enum class OpenFor {
    Looking,   // any entry: FILE_READ_ATTRIBUTES | SYNCHRONIZE, a link as itself where Windows can
    Listing,   // a folder: FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE, as itself
    Emptying,  // a folder to list and then delete: Listing's access and DELETE, as itself
    Filling,   // a destination folder: Listing's access and FILE_WRITE_ATTRIBUTES, as itself
    Reading,   // a file's data: GENERIC_READ, shared for reading and deleting but not for writing
    Deleting,  // a file to delete or move: DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES
};

struct Opened {
    TreeHandle handle = 0;
    std::uint32_t error = 0;  // when there is no handle
};

class TreeApi {
  public:
    virtual ~TreeApi() = default;

    // CreateFileW(OPEN_EXISTING) of a "\\?\" path. A folder link, a junction or a mount point is
    // opened as itself where Windows does so (FILE_FLAG_OPEN_REPARSE_POINT; Wine opens the
    // target). Reading opens a file as any program reading it would, so that a cloud file brings
    // its data; a link it follows shows in the final path.
    virtual Opened Open(std::u16string_view path, OpenFor purpose) = 0;
    // CreateFileW(CREATE_NEW) of a file, GENERIC_WRITE | DELETE | FILE_WRITE_ATTRIBUTES, shared
    // with nobody: fails on anything already there, a link included.
    virtual Opened CreateNew(std::u16string_view path) = 0;
    // CreateDirectoryW: 0, or the error (kErrorAlreadyExists for anything already there).
    virtual std::uint32_t CreateFolder(std::u16string_view path) = 0;
    virtual void Close(TreeHandle handle) = 0;

    // GetFinalPathNameByHandleW(FILE_NAME_NORMALIZED | VOLUME_NAME_DOS) as Windows gives it
    // ("\\?\C:\...", "\\?\UNC\...", Wine's "\\?\unix\..."); nullopt when it fails.
    virtual std::optional<std::u16string> FinalPath(TreeHandle handle) = 0;
    // GetFileInformationByHandleEx(FileAttributeTagInfo).
    virtual std::optional<AttributeTag> Tag(TreeHandle handle) = 0;
    virtual std::optional<BasicInfo> GetBasicInfo(TreeHandle handle) = 0;
    virtual bool SetBasicInfo(TreeHandle handle, const BasicInfo& info) = 0;

    // Every entry of an opened folder but "." and "..", by its handle (FileFullDirectoryRestart
    // Info, then FileFullDirectoryInfo until ERROR_NO_MORE_FILES): 0, or the error.
    virtual std::uint32_t List(TreeHandle folder, std::vector<FolderEntry>& entries) = 0;

    // ReadFile: 0 with read == 0 at the end of the file.
    virtual std::uint32_t Read(TreeHandle file, std::span<std::byte> into, std::size_t& read) = 0;
    // WriteFile of all of it: 0, or the error (kErrorDiskFull).
    virtual std::uint32_t Write(TreeHandle file, std::span<const std::byte> bytes) = 0;
    // SetFileInformationByHandle(FileDispositionInfo): whether the entry goes when its last
    // handle closes. A folder that is not empty answers kErrorDirNotEmpty.
    virtual std::uint32_t SetDeleteOnClose(TreeHandle handle, bool deleteOnClose) = 0;
    // SetFileInformationByHandle(FileRenameInfo) to a "\\?\" path on the same volume, never
    // replacing what is there.
    virtual std::uint32_t Rename(TreeHandle handle, std::u16string_view newPath) = 0;

    // CompareStringOrdinal(..., TRUE): whether the file system takes the two names for one.
    virtual bool SameName(std::u16string_view a, std::u16string_view b) = 0;
    // GetDiskFreeSpaceExW: the bytes this user may still write on the folder's volume.
    virtual std::optional<std::uint64_t> FreeBytes(std::u16string_view folder) = 0;
    // Whether a link to a file is listed as the file it leads to (Wine's Unix links are), so that
    // only opening the file tells it.
    virtual bool FileLinksLookLikeFiles() = 0;
};

}  // namespace tarnwick
