// Hidden command interpreters, message boxes, the folders Windows reports and the environment
// broadcast, bound to kernel32, user32 and shell32.
#pragma once

#include <windows.h>

#include "platform/environment_api.h"
#include "platform/known_folders_api.h"
#include "platform/message_box_api.h"
#include "platform/process_api.h"

namespace tarnwick::win32 {

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

class Win32KnownFolders : public KnownFoldersApi {
  public:
    std::vector<NamedFolder> ProtectedFolders() override;
};

class Win32Environment : public EnvironmentApi {
  public:
    void AnnounceEnvironmentChange() override;
};

}  // namespace tarnwick::win32
