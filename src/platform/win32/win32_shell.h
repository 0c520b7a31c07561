// The shell operations bound to shell32's SHBrowseForFolderA, SHGetPathFromIDListA and
// SHFileOperationA and to ole32's CoTaskMemFree, all loaded when first needed.
#pragma once

#include "platform/shell_api.h"

namespace tarnwick::win32 {

// The folder picker sets up COM for the calling thread (an apartment) the first time it runs.
class Win32Shell : public ShellApi {
  public:
    ItemIdList BrowseForFolder(BrowseInfo& info) override;
    int GetPathFromIdList(ItemIdList list, char* path) override;
    void FreeIdList(ItemIdList list) override;
    int FileOperation(FileOpStruct& operation) override;
};

}  // namespace tarnwick::win32
