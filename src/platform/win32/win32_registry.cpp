#include "platform/win32/win32_registry.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace tarnwick::win32 {

namespace {

HKEY ToHkey(RegKey key) {
    return reinterpret_cast<HKEY>(key);
}
RegKey FromHkey(HKEY key) {
    return reinterpret_cast<RegKey>(key);
}

}  // namespace

std::int32_t Win32Registry::CreateKey(RegKey root, const std::string& subKey,
                                      std::uint32_t reserved, const char* keyClass,
                                      std::uint32_t options, std::uint32_t access,
                                      const SecurityAttributes* security, RegKey* key,
                                      std::uint32_t* disposition) {
    SECURITY_ATTRIBUTES attributes{};
    if (security) {
        attributes.nLength = sizeof attributes;
        attributes.lpSecurityDescriptor = nullptr;
        attributes.bInheritHandle = security->inheritHandle ? TRUE : FALSE;
    }
    HKEY created = nullptr;
    DWORD createdDisposition = 0;
    const LONG result = RegCreateKeyExA(
        ToHkey(root), subKey.c_str(), reserved, const_cast<char*>(keyClass), options, access,
        security ? &attributes : nullptr, &created, &createdDisposition);
    if (result == ERROR_SUCCESS) {
        *key = FromHkey(created);
        if (disposition) {
            *disposition = createdDisposition;
        }
    }
    return result;
}

std::int32_t Win32Registry::SetValue(RegKey key, const std::string& valueName,
                                     std::uint32_t reserved, std::uint32_t type,
                                     const std::uint8_t* data, std::uint32_t size) {
    return RegSetValueExA(ToHkey(key), valueName.c_str(), reserved, type, data, size);
}

std::int32_t Win32Registry::OpenKey(RegKey root, const std::string& subKey, std::uint32_t options,
                                    std::uint32_t access, RegKey* key) {
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExA(ToHkey(root), subKey.c_str(), options, access, &opened);
    if (result == ERROR_SUCCESS) {
        *key = FromHkey(opened);
    }
    return result;
}

std::int32_t Win32Registry::QueryValue(RegKey key, const std::string& valueName,
                                       std::uint32_t* reserved, std::uint32_t* type,
                                       std::uint8_t* data, std::uint32_t* size) {
    static_assert(sizeof(DWORD) == sizeof(std::uint32_t));
    return RegQueryValueExA(ToHkey(key), valueName.c_str(), reinterpret_cast<DWORD*>(reserved),
                            reinterpret_cast<DWORD*>(type), data, reinterpret_cast<DWORD*>(size));
}

std::int32_t Win32Registry::QueryValueWide(RegKey key, const std::u16string& valueName,
                                           std::uint32_t* reserved, std::uint32_t* type,
                                           std::uint8_t* data, std::uint32_t* size) {
    return RegQueryValueExW(ToHkey(key), Wide(valueName).c_str(),
                            reinterpret_cast<DWORD*>(reserved), reinterpret_cast<DWORD*>(type),
                            data, reinterpret_cast<DWORD*>(size));
}

std::int32_t Win32Registry::SetValueWide(RegKey key, const std::u16string& valueName,
                                         std::uint32_t reserved, std::uint32_t type,
                                         const std::uint8_t* data, std::uint32_t size) {
    return RegSetValueExW(ToHkey(key), Wide(valueName).c_str(), reserved, type, data, size);
}

std::int32_t Win32Registry::DeleteValue(RegKey key, const std::string& valueName) {
    return RegDeleteValueA(ToHkey(key), valueName.c_str());
}

std::int32_t Win32Registry::CloseKey(RegKey key) {
    return RegCloseKey(ToHkey(key));
}

std::uint32_t Win32Registry::ExpandEnvironment(const std::string& source, char* destination,
                                               std::uint32_t size) {
    return ExpandEnvironmentStringsA(source.c_str(), destination, size);
}

std::uint32_t Win32Registry::LastError() {
    return GetLastError();
}

}  // namespace tarnwick::win32
