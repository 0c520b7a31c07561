// The registry operations bound to advapi32's "A" functions and ExpandEnvironmentStringsA, and to
// its "W" query and set.
#pragma once

#include "platform/registry_api.h"

namespace tarnwick::win32 {

class Win32Registry : public RegistryApi {
  public:
    std::int32_t CreateKey(RegKey root, const std::string& subKey, std::uint32_t reserved,
                           const char* keyClass, std::uint32_t options, std::uint32_t access,
                           const SecurityAttributes* security, RegKey* key,
                           std::uint32_t* disposition) override;
    std::int32_t SetValue(RegKey key, const std::string& valueName, std::uint32_t reserved,
                          std::uint32_t type, const std::uint8_t* data,
                          std::uint32_t size) override;
    std::int32_t OpenKey(RegKey root, const std::string& subKey, std::uint32_t options,
                         std::uint32_t access, RegKey* key) override;
    std::int32_t QueryValue(RegKey key, const std::string& valueName, std::uint32_t* reserved,
                            std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) override;
    std::int32_t QueryValueWide(RegKey key, const std::u16string& valueName,
                                std::uint32_t* reserved, std::uint32_t* type, std::uint8_t* data,
                                std::uint32_t* size) override;
    std::int32_t SetValueWide(RegKey key, const std::u16string& valueName, std::uint32_t reserved,
                              std::uint32_t type, const std::uint8_t* data,
                              std::uint32_t size) override;
    std::int32_t DeleteValue(RegKey key, const std::string& valueName) override;
    std::int32_t CloseKey(RegKey key) override;
    std::uint32_t ExpandEnvironment(const std::string& source, char* destination,
                                    std::uint32_t size) override;
    std::uint32_t LastError() override;
};

}  // namespace tarnwick::win32
