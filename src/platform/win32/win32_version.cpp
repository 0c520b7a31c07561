#include "platform/win32/win32_version.h"

#include <winver.h>

#include "platform/win32/system_library.h"

namespace tarnwick::win32 {

namespace {

struct Functions {
    decltype(&GetFileVersionInfoSizeA) infoSize = nullptr;
    decltype(&GetFileVersionInfoA) info = nullptr;
    decltype(&VerQueryValueA) query = nullptr;
};

// All three, or none.
const Functions& Loaded() {
    static const Functions functions = [] {
        const Functions found{
            SystemFunction<decltype(&GetFileVersionInfoSizeA)>(L"version.dll",
                                                               "GetFileVersionInfoSizeA"),
            SystemFunction<decltype(&GetFileVersionInfoA)>(L"version.dll", "GetFileVersionInfoA"),
            SystemFunction<decltype(&VerQueryValueA)>(L"version.dll", "VerQueryValueA")};
        return found.infoSize && found.info && found.query ? found : Functions{};
    }();
    return functions;
}

}  // namespace

std::uint32_t Win32Version::VersionInfoSize(const std::string& ansiPath, std::uint32_t* handle) {
    const Functions& version = Loaded();
    DWORD reported = 0;
    const DWORD size = version.infoSize ? version.infoSize(ansiPath.c_str(), &reported) : 0;
    if (handle) {
        *handle = reported;
    }
    return size;
}

int Win32Version::VersionInfo(const std::string& ansiPath, std::uint32_t handle, std::uint32_t size,
                              std::uint8_t* data) {
    const Functions& version = Loaded();
    return version.info ? version.info(ansiPath.c_str(), handle, size, data) : 0;
}

int Win32Version::QueryVersionValue(const std::uint8_t* block, const std::string& subBlock,
                                    const std::uint8_t** value, std::uint32_t* length) {
    const Functions& version = Loaded();
    void* found = nullptr;
    UINT foundLength = 0;
    const BOOL result =
        version.query ? version.query(block, subBlock.c_str(), &found, &foundLength) : FALSE;
    if (result) {
        *value = static_cast<const std::uint8_t*>(found);
        *length = foundLength;
    }
    return result;
}

}  // namespace tarnwick::win32
