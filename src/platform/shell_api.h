// The shell operations behind the folder picker and the shell copy, mirroring shell32's and
// ole32's "A" functions with plain integers and byte strings.
#pragma once

#include <cstdint>
#include <string>

namespace tarnwick {

using WindowHandle = std::uintptr_t;
using ItemIdList = std::uintptr_t;  // 0 is the null list

inline constexpr std::uint32_t kBifReturnOnlyFsDirs = 0x0001;
inline constexpr std::uint32_t kFoCopy = 2;
inline constexpr std::uint16_t kFofNoConfirmation = 0x0010;
inline constexpr std::uint16_t kFofAllowUndo = 0x0040;
inline constexpr std::size_t kMaxPath = 260;

// BROWSEINFOA, fields in the platform's order.
struct BrowseInfo {
    WindowHandle owner = 0;
    ItemIdList root = 0;
    bool displayNameGiven = false;  // pszDisplayName
    std::string title;              // lpszTitle, ANSI; never a null pointer
    std::uint32_t flags = 0;
    bool callbackGiven = false;  // lpfn
    std::intptr_t lParam = 0;
    int image = 0;
};

// SHFILEOPSTRUCTA, fields in the platform's order. from and to hold the whole ANSI lists,
// their terminating zero bytes included.
struct FileOpStruct {
    WindowHandle window = 0;
    std::uint32_t function = 0;
    std::string from;
    std::string to;
    std::uint16_t flags = 0;
    bool anyOperationsAborted = false;
    std::uintptr_t nameMappings = 0;
    bool progressTitleGiven = false;
};

class ShellApi {
  public:
    virtual ~ShellApi() = default;
    // SHBrowseForFolderA: the chosen folder's item list, or 0 when the user cancels.
    virtual ItemIdList BrowseForFolder(BrowseInfo& info) = 0;
    // SHGetPathFromIDListA: writes a zero-terminated path into path (kMaxPath + 1 bytes).
    virtual int GetPathFromIdList(ItemIdList list, char* path) = 0;
    // CoTaskMemFree
    virtual void FreeIdList(ItemIdList list) = 0;
    // SHFileOperationA: 0 on success.
    virtual int FileOperation(FileOpStruct& operation) = 0;
};

}  // namespace tarnwick
