// The version operations bound to version.dll's "A" functions. version.dll is not one of
// Windows' known DLLs, so it is loaded from the system folder by its full path when first needed
// rather than imported, which would let a copy beside the program be loaded instead.
#pragma once

#include <windows.h>

#include "platform/version_api.h"

namespace tarnwick::win32 {

class Win32Version : public VersionApi {
  public:
    // When version.dll cannot be loaded, every file has no version information.
    std::uint32_t VersionInfoSize(const std::string& ansiPath, std::uint32_t* handle) override;
    int VersionInfo(const std::string& ansiPath, std::uint32_t handle, std::uint32_t size,
                    std::uint8_t* data) override;
    int QueryVersionValue(const std::uint8_t* block, const std::string& subBlock,
                          const std::uint8_t** value, std::uint32_t* length) override;
};

}  // namespace tarnwick::win32
