// The registry operations ModReg needs, mirroring advapi32's "A" functions and
// ExpandEnvironmentStringsA, with plain integers so that an in-memory registry can stand in; and
// the "W" query and set, which carry a value's bytes as Windows stores them.
#pragma once

#include <cstdint>
#include <string>

namespace tarnwick {

using RegKey = std::uintptr_t;

// Predefined handles are sign-extended 32-bit values, as in the Windows headers.
constexpr RegKey PredefinedKey(std::int32_t value) {
    return static_cast<RegKey>(static_cast<std::intptr_t>(value));
}
inline constexpr RegKey kHkeyCurrentUser = PredefinedKey(static_cast<std::int32_t>(0x80000001));
inline constexpr RegKey kHkeyLocalMachine = PredefinedKey(static_cast<std::int32_t>(0x80000002));

inline constexpr std::int32_t kErrorSuccess = 0;
inline constexpr std::int32_t kErrorFileNotFound = 2;
inline constexpr std::int32_t kErrorAccessDenied = 5;
inline constexpr std::int32_t kErrorInvalidHandle = 6;
inline constexpr std::int32_t kErrorMoreData = 234;

inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegDwordBigEndian = 5;
inline constexpr std::uint32_t kRegLink = 6;
inline constexpr std::uint32_t kRegMultiSz = 7;

inline constexpr std::uint32_t kRegOptionNonVolatile = 0;
// KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY |
// KEY_CREATE_LINK: every specific key right, none of the standard ones.
inline constexpr std::uint32_t kKeySpecificRights = 0x3F;
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeySetValue = 0x0002;

// The binding builds a correctly sized SECURITY_ATTRIBUTES from this, with no descriptor.
struct SecurityAttributes {
    bool inheritHandle = false;
};

class RegistryApi {
  public:
    virtual ~RegistryApi() = default;

    // RegCreateKeyExA
    virtual std::int32_t CreateKey(RegKey root, const std::string& subKey, std::uint32_t reserved,
                                   const char* keyClass, std::uint32_t options,
                                   std::uint32_t access, const SecurityAttributes* security,
                                   RegKey* key, std::uint32_t* disposition) = 0;
    // RegSetValueExA
    virtual std::int32_t SetValue(RegKey key, const std::string& valueName, std::uint32_t reserved,
                                  std::uint32_t type, const std::uint8_t* data,
                                  std::uint32_t size) = 0;
    // RegOpenKeyExA
    virtual std::int32_t OpenKey(RegKey root, const std::string& subKey, std::uint32_t options,
                                 std::uint32_t access, RegKey* key) = 0;
    // RegQueryValueExA. On success and on kErrorMoreData, type and size are overwritten; on any
    // other result they are left as they were.
    virtual std::int32_t QueryValue(RegKey key, const std::string& valueName,
                                    std::uint32_t* reserved, std::uint32_t* type,
                                    std::uint8_t* data, std::uint32_t* size) = 0;
    // RegQueryValueExW: strings come back in UTF-16 as stored, whatever characters they hold.
    // Type and size as for QueryValue.
    virtual std::int32_t QueryValueWide(RegKey key, const std::u16string& valueName,
                                        std::uint32_t* reserved, std::uint32_t* type,
                                        std::uint8_t* data, std::uint32_t* size) = 0;
    // RegSetValueExW: the bytes are stored as given.
    virtual std::int32_t SetValueWide(RegKey key, const std::u16string& valueName,
                                      std::uint32_t reserved, std::uint32_t type,
                                      const std::uint8_t* data, std::uint32_t size) = 0;
    // RegDeleteValueA
    virtual std::int32_t DeleteValue(RegKey key, const std::string& valueName) = 0;
    // RegCloseKey
    virtual std::int32_t CloseKey(RegKey key) = 0;
    // ExpandEnvironmentStringsA: the bytes the expansion needs, terminator included, also when
    // size is 0; 0 on failure, when LastError tells why.
    virtual std::uint32_t ExpandEnvironment(const std::string& source, char* destination,
                                            std::uint32_t size) = 0;
    // GetLastError, read at once after a call that reports failure without a status.
    virtual std::uint32_t LastError() = 0;
};

}  // namespace tarnwick
