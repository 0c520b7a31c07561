// The version.dll operations ModFileVersion needs, mirroring its "A" functions with plain
// integers so that version blocks held in memory can stand in.
#pragma once

#include <cstdint>
#include <string>

// winver.h (pulled in by windows.h) maps these names to their "W" functions; the interface keeps
// the plain names in every translation unit, whichever header came first.
#ifdef GetFileVersionInfoSize
#undef GetFileVersionInfoSize
#endif
#ifdef GetFileVersionInfo
#undef GetFileVersionInfo
#endif
#ifdef VerQueryValue
#undef VerQueryValue
#endif

namespace tarnwick {

class VersionApi {
  public:
    virtual ~VersionApi() = default;

    // GetFileVersionInfoSizeA: the bytes the file's version block needs, 0 when the file is
    // missing or has no version resource.
    virtual std::uint32_t GetFileVersionInfoSize(const std::string& ansiPath,
                                                 std::uint32_t* handle) = 0;
    // GetFileVersionInfoA: copies at most size bytes of the block into data; 0 on failure.
    virtual int GetFileVersionInfo(const std::string& ansiPath, std::uint32_t handle,
                                   std::uint32_t size, std::uint8_t* data) = 0;
    // VerQueryValueA: on success value points inside block and length gives the value's size;
    // 0 when the block holds no such value.
    virtual int VerQueryValue(const std::uint8_t* block, const std::string& subBlock,
                              const std::uint8_t** value, std::uint32_t* length) = 0;
};

}  // namespace tarnwick
