// The command line's output: the console Tarnwick was started from, attached on first use, or its
// redirected standard output as UTF-8.
#pragma once

#include <windows.h>

#include "platform/console_api.h"

namespace tarnwick::win32 {

class Win32Console : public ConsoleApi {
  public:
    void Write(std::u16string_view text) override;

  private:
    bool opened_ = false;
    HANDLE output_ = nullptr;  // not owned: the standard handle or the attached console's
    bool console_ = false;
};

}  // namespace tarnwick::win32
