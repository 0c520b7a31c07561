// The version operations bound to version.dll's "A" functions.
#pragma once

#include "platform/version_api.h"

namespace tarnwick::win32 {

class Win32Version : public VersionApi {
  public:
    std::uint32_t GetFileVersionInfoSize(const std::string& ansiPath,
                                         std::uint32_t* handle) override;
    int GetFileVersionInfo(const std::string& ansiPath, std::uint32_t handle, std::uint32_t size,
                           std::uint8_t* data) override;
    int VerQueryValue(const std::uint8_t* block, const std::string& subBlock,
                      const std::uint8_t** value, std::uint32_t* length) override;
};

}  // namespace tarnwick::win32
