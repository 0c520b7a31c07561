// The file system bound to kernel32's wide functions: no ANSI conversion can split a character.
#pragma once

#include "platform/file_system_api.h"

namespace tarnwick::win32 {

class Win32FileSystem : public FileSystemApi {
  public:
    std::optional<std::u16string> CanonicalPath(std::u16string_view path) override;
    std::optional<std::u16string> FullPath(std::u16string_view path) override;
    PathKind KindOf(std::u16string_view path) override;
    bool HasEntries(std::u16string_view folder) override;
    bool CreateFolder(std::u16string_view path) override;
    bool RemoveEmptyFolder(std::u16string_view path) override;
    TreeListing ListTree(std::u16string_view root, const TreeLook& look = {}) override;
    std::u16string NameKey(std::u16string_view name) override;
};

}  // namespace tarnwick::win32
