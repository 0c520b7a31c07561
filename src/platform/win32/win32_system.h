// Directory creation, hidden processes, message boxes and the folders a deletion must spare,
// bound to imagehlp, kernel32, user32 and shell32.
#pragma once

#include <windows.h>

#include <vector>

#include "core/redirect_run.h"
#include "platform/directory_api.h"
#include "platform/message_box_api.h"
#include "platform/process_api.h"

namespace tarnwick::win32 {

class Win32Directories : public DirectoryApi {
  public:
    int MakeSureDirectoryPathExists(const std::string& ansiPath) override;
};

class Win32Processes : public ProcessApi {
  public:
    void StartHidden(std::u16string_view commandLine) override;
};

class Win32MessageBox : public MessageBoxApi {
  public:
    void SetOwner(HWND owner) { owner_ = owner; }
    int Show(std::u16string_view text, std::u16string_view title, std::uint32_t style) override;

  private:
    HWND owner_ = nullptr;
};

// The user's profile, the Windows folder and the Program Files folders.
std::vector<ProtectedFolder> SystemFolders();

}  // namespace tarnwick::win32
