// The shell operations bound to shell32's SHBrowseForFolderA, SHGetPathFromIDListA and
// SHFileOperationA and to ole32's CoTaskMemFree.
#pragma once

#include "platform/shell_api.h"

namespace tarnwick::win32 {

// The folder picker needs COM initialised (apartment-threaded) on the calling thread.
class Win32Shell : public ShellApi {
  public:
    ItemIdList BrowseForFolder(BrowseInfo& info) override;
    int GetPathFromIdList(ItemIdList list, char* path) override;
    void FreeIdList(ItemIdList list) override;
    int FileOperation(FileOpStruct& operation) override;
};

}  // namespace tarnwick::win32
