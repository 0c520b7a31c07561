// The file operations the journal store needs, mirroring the wide kernel32 functions it is bound
// to, with plain integers for handles and error codes so that an in-memory disk can stand in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

using FileHandle = std::uintptr_t;  // 0 for none

inline constexpr std::uint32_t kErrorFileExists = 80;      // ERROR_FILE_EXISTS
inline constexpr std::uint32_t kErrorAlreadyExists = 183;  // ERROR_ALREADY_EXISTS

// SYSTEMTIME's fields that a journal's name shows.
struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class JournalFilesApi {
  public:
    virtual ~JournalFilesApi() = default;

    // SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE); nullopt on failure.
    virtual std::optional<std::u16string> LocalAppData() = 0;
    // GetLocalTime
    virtual LocalTime Now() = 0;
    // CreateDirectoryW: 0, or the error code.
    virtual std::uint32_t CreateFolder(std::u16string_view path) = 0;
    // FindFirstFileW, FindNextFileW and FindClose over folder\*: the names of the files in it, not
    // of its folders; nullopt when it cannot be listed.
    virtual std::optional<std::vector<std::u16string>> FileNames(std::u16string_view folder) = 0;
    // CreateFileW for GENERIC_WRITE, shared with no one, CREATE_NEW; 0 on failure.
    virtual FileHandle CreateNew(std::u16string_view path) = 0;
    // CreateFileW for GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING; 0 on failure.
    virtual FileHandle OpenToRead(std::u16string_view path) = 0;
    // WriteFile
    virtual bool Write(FileHandle file, const char* data, std::uint32_t size,
                       std::uint32_t* written) = 0;
    // FlushFileBuffers
    virtual bool Flush(FileHandle file) = 0;
    // GetFileSizeEx; nullopt on failure.
    virtual std::optional<std::uint64_t> Size(FileHandle file) = 0;
    // ReadFile
    virtual bool Read(FileHandle file, char* data, std::uint32_t size, std::uint32_t* read) = 0;
    // CloseHandle
    virtual bool Close(FileHandle file) = 0;
    // MoveFileExW with MOVEFILE_WRITE_THROUGH and nothing else, so that a name already taken is
    // not replaced: 0, or the error code.
    virtual std::uint32_t Move(std::u16string_view from, std::u16string_view to) = 0;
    // DeleteFileW
    virtual bool Delete(std::u16string_view path) = 0;
};

}  // namespace tarnwick
