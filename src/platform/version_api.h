// The version.dll operations ModFileVersion needs, mirroring its "A" functions with plain
// integers so that answers held in memory can stand in. The methods are not named after the
// functions, which the Windows headers turn into macros.
#pragma once

#include <cstdint>
#include <string>

namespace tarnwick {

class VersionApi {
  public:
    virtual ~VersionApi() = default;

    // GetFileVersionInfoSizeA: the bytes the file's version block needs, 0 when the file is
    // missing or has no version resource.
    virtual std::uint32_t VersionInfoSize(const std::string& ansiPath, std::uint32_t* handle) = 0;
    // GetFileVersionInfoA: copies at most size bytes of the block into data; 0 on failure.
    virtual int VersionInfo(const std::string& ansiPath, std::uint32_t handle, std::uint32_t size,
                            std::uint8_t* data) = 0;
    // VerQueryValueA: on success value points inside block and length gives the value's size;
    // 0 when the block holds no such value.
    virtual int QueryVersionValue(const std::uint8_t* block, const std::string& subBlock,
                                  const std::uint8_t** value, std::uint32_t* length) = 0;
};

}  // namespace tarnwick
