// ModReg: the program's only access to the registry.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/code_page.h"
#include "platform/registry_api.h"
#include "platform/registry_value.h"

namespace tarnwick {

// String kinds of SetKeyValue: a selector of its own, not a registry type code.
inline constexpr std::int32_t kStringKindSz = 0;
inline constexpr std::int32_t kStringKindExpandSz = 1;
inline constexpr std::int32_t kStringKindMultiSz = 2;

// The registry type a string kind is written as.
std::uint32_t StringType(std::int32_t stringKind);

// A type as the Registry Editor names it ("REG_EXPAND_SZ"), or its number.
std::u16string RegistryTypeName(std::uint32_t type);

// Strings are stored in a zero-filled block of this many bytes (longer texts in full).
inline constexpr std::size_t kStringBlockSize = 255;
inline constexpr std::uint32_t kFirstReadSize = 1024;

// A value as it was before a run changed it: its type and its bytes as Windows stores them
// (strings in UTF-16 LE, whatever characters they hold), or that it did not exist.
struct SavedValue {
    bool existed = false;
    std::uint32_t type = kRegNone;
    ByteArray data;
    bool operator==(const SavedValue&) const = default;
};

class ModReg {
  public:
    ModReg(RegistryApi& registry, const CodePage& codePage)
        : registry_(registry), codePage_(codePage) {}

    // Creates the key with every missing level and writes one value. Registry failures give
    // false; they are never raised.
    bool SetKeyValue(RegKey root, std::u16string_view subKey, std::u16string_view valueName,
                     const RegistryValue& value, std::int32_t stringKind);

    // Reads one value. A key that cannot be opened gives defaultValue; a missing value gives
    // 1024 zero bytes. Data too short for its type raises RegistryError.
    RegistryValue GetKeyValue(RegKey root, std::u16string_view subKey,
                              std::u16string_view valueName,
                              const RegistryValue& defaultValue = {});

    // The value's type and bytes as stored, read with the wide query so that no character is lost
    // to the ANSI code page, or that it is missing; nullopt when it exists but cannot be read, so
    // that nothing can promise to put it back.
    std::optional<SavedValue> SaveValue(RegKey root, std::u16string_view subKey,
                                        std::u16string_view valueName);

    // Puts a saved value back byte for byte, or deletes it when it did not exist before.
    bool RestoreValue(RegKey root, std::u16string_view subKey, std::u16string_view valueName,
                      const SavedValue& saved);

    // Raises RegistryError when the platform cannot expand.
    std::u16string ExpandEnvString(std::u16string_view text);

    static std::int32_t SwapByteOrder(std::int32_t value);

  private:
    RegistryValue Convert(std::uint32_t type, const ByteArray& buffer, std::uint32_t size);

    RegistryApi& registry_;
    const CodePage& codePage_;
};

}  // namespace tarnwick
