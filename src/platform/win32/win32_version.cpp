#include "platform/win32/win32_version.h"

#include <windows.h>

// windows.h has just mapped the member names to the "W" functions again.
#undef GetFileVersionInfoSize
#undef GetFileVersionInfo
#undef VerQueryValue

namespace tarnwick::win32 {

std::uint32_t Win32Version::GetFileVersionInfoSize(const std::string& ansiPath,
                                                   std::uint32_t* handle) {
    DWORD reported = 0;
    const DWORD size = GetFileVersionInfoSizeA(ansiPath.c_str(), &reported);
    if (handle) {
        *handle = reported;
    }
    return size;
}

int Win32Version::GetFileVersionInfo(const std::string& ansiPath, std::uint32_t handle,
                                     std::uint32_t size, std::uint8_t* data) {
    return GetFileVersionInfoA(ansiPath.c_str(), handle, size, data);
}

int Win32Version::VerQueryValue(const std::uint8_t* block, const std::string& subBlock,
                                const std::uint8_t** value, std::uint32_t* length) {
    void* found = nullptr;
    UINT foundLength = 0;
    const BOOL result = VerQueryValueA(block, subBlock.c_str(), &found, &foundLength);
    if (result) {
        *value = static_cast<const std::uint8_t*>(found);
        *length = foundLength;
    }
    return result;
}

}  // namespace tarnwick::win32
