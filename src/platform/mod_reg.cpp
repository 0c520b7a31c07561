#include "platform/mod_reg.h"

#include "platform/grown_buffer.h"
#include "platform/numbers.h"

#include <algorithm>
#include <optional>
#include <type_traits>

namespace tarnwick {

namespace {

// Closes the key on every path out of a routine that opened it.
class ScopedKey {
  public:
    ScopedKey(RegistryApi& registry, RegKey key) : registry_(registry), key_(key) {}
    ~ScopedKey() { registry_.CloseKey(key_); }
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;
    RegKey get() const { return key_; }

  private:
    RegistryApi& registry_;
    RegKey key_;
};

// Short texts keep the fixed zero-filled block other programs may expect; a text that would not
// fit with its terminator is stored whole rather than cut and left unterminated.
ByteArray StringBlock(const std::string& ansi) {
    ByteArray block(std::max(kStringBlockSize, ansi.size() + 1), 0);
    std::copy(ansi.begin(), ansi.end(), block.begin());
    return block;
}

std::int32_t FromLittleEndian(const ByteArray& buffer) {
    return static_cast<std::int32_t>(ReadLittleEndian32(buffer.data(), buffer.size()));
}

// GrownBuffer's answer for a registry read: the value's size, whether it fitted or not; nullopt
// for any other status.
std::optional<std::size_t> QueryAnswer(std::int32_t status, std::uint32_t size) {
    if (status != kErrorSuccess && status != kErrorMoreData) {
        return std::nullopt;
    }
    return size;
}

// The type and data SetKeyValue writes for a value.
struct Encoded {
    std::uint32_t type;
    ByteArray data;
};

}  // namespace

std::uint32_t StringType(std::int32_t stringKind) {
    switch (stringKind) {
        case kStringKindExpandSz:
            return kRegExpandSz;
        case kStringKindMultiSz:
            return kRegMultiSz;
        default:
            return kRegSz;
    }
}

std::u16string RegistryTypeName(std::uint32_t type) {
    switch (type) {
        case kRegSz:
            return u"REG_SZ";
        case kRegExpandSz:
            return u"REG_EXPAND_SZ";
        case kRegMultiSz:
            return u"REG_MULTI_SZ";
        case kRegDword:
            return u"REG_DWORD";
        case kRegBinary:
            return u"REG_BINARY";
        default: {
            std::u16string name = u"类型 ";
            name += DecimalText(type);
            return name;
        }
    }
}

bool ModReg::SetKeyValue(RegKey root, std::u16string_view subKey, std::u16string_view valueName,
                         const RegistryValue& value, std::int32_t stringKind) {
    RegKey opened = 0;
    std::uint32_t disposition = 0;
    const SecurityAttributes security{.inheritHandle = false};
    std::int32_t status =
        registry_.CreateKey(root, codePage_.ToAnsi(subKey), 0, nullptr, kRegOptionNonVolatile,
                            kKeySpecificRights, &security, &opened, &disposition);
    if (status != kErrorSuccess) {
        return false;
    }
    const ScopedKey key(registry_, opened);

    const std::optional<Encoded> encoded = std::visit(
        [&](const auto& v) -> std::optional<Encoded> {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::uint8_t> || std::is_same_v<T, std::int16_t> ||
                          std::is_same_v<T, std::int32_t>) {
                const auto bytes =
                    LittleEndian32(static_cast<std::uint32_t>(static_cast<std::int32_t>(v)));
                return Encoded{kRegDword, ByteArray(bytes.begin(), bytes.end())};
            } else if constexpr (std::is_same_v<T, std::u16string>) {
                return Encoded{StringType(stringKind), StringBlock(codePage_.ToAnsi(v))};
            } else if constexpr (std::is_same_v<T, ByteArray>) {
                return Encoded{kRegBinary, v};
            } else {
                return std::nullopt;
            }
        },
        value);

    if (encoded) {
        status = registry_.SetValue(key.get(), codePage_.ToAnsi(valueName), 0, encoded->type,
                                    encoded->data.data(),
                                    static_cast<std::uint32_t>(encoded->data.size()));
    }
    return status == kErrorSuccess;
}

RegistryValue ModReg::GetKeyValue(RegKey root, std::u16string_view subKey,
                                  std::u16string_view valueName,
                                  const RegistryValue& defaultValue) {
    RegKey opened = 0;
    if (registry_.OpenKey(root, codePage_.ToAnsi(subKey), 0, kKeyRead, &opened) != kErrorSuccess) {
        return defaultValue;
    }
    const ScopedKey key(registry_, opened);
    const std::string name = codePage_.ToAnsi(valueName);

    std::uint32_t type = kRegNone;
    const std::optional<ByteArray> data =
        GrownBuffer<ByteArray>(kFirstReadSize, [&](std::uint8_t* bytes, std::size_t capacity) {
            auto size = static_cast<std::uint32_t>(capacity);
            const std::int32_t status =
                registry_.QueryValue(key.get(), name, nullptr, &type, bytes, &size);
            return QueryAnswer(status, size);
        });
    if (!data) {
        // A value that cannot be read, or that kept growing while it was read, reads as a
        // missing one does.
        return ByteArray(kFirstReadSize, 0);
    }
    return Convert(type, *data, static_cast<std::uint32_t>(data->size()));
}

std::optional<SavedValue> ModReg::SaveValue(RegKey root, std::u16string_view subKey,
                                            std::u16string_view valueName) {
    RegKey opened = 0;
    const std::int32_t open =
        registry_.OpenKey(root, codePage_.ToAnsi(subKey), 0, kKeyRead, &opened);
    if (open == kErrorFileNotFound) {
        return SavedValue{};
    }
    if (open != kErrorSuccess) {
        return std::nullopt;
    }
    const ScopedKey key(registry_, opened);
    const std::u16string name(valueName);
    SavedValue saved{.existed = true};
    std::int32_t status = kErrorSuccess;
    // The first query, with no buffer, asks for the size alone.
    std::optional<ByteArray> data =
        GrownBuffer<ByteArray>(0, [&](std::uint8_t* bytes, std::size_t capacity) {
            auto size = static_cast<std::uint32_t>(capacity);
            status = registry_.QueryValueWide(key.get(), name, nullptr, &saved.type, bytes, &size);
            return QueryAnswer(status, size);
        });
    if (data) {
        saved.data = std::move(*data);
        return saved;
    }
    if (status == kErrorFileNotFound) {
        return SavedValue{};
    }
    return std::nullopt;
}

bool ModReg::RestoreValue(RegKey root, std::u16string_view subKey, std::u16string_view valueName,
                          const SavedValue& saved) {
    const std::string name = codePage_.ToAnsi(valueName);
    RegKey opened = 0;
    if (!saved.existed) {
        const std::int32_t open =
            registry_.OpenKey(root, codePage_.ToAnsi(subKey), 0, kKeySetValue, &opened);
        if (open == kErrorFileNotFound) {
            return true;
        }
        if (open != kErrorSuccess) {
            return false;
        }
        const ScopedKey key(registry_, opened);
        const std::int32_t status = registry_.DeleteValue(key.get(), name);
        return status == kErrorSuccess || status == kErrorFileNotFound;
    }
    const SecurityAttributes security{.inheritHandle = false};
    if (registry_.CreateKey(root, codePage_.ToAnsi(subKey), 0, nullptr, kRegOptionNonVolatile,
                            kKeySpecificRights, &security, &opened, nullptr) != kErrorSuccess) {
        return false;
    }
    const ScopedKey key(registry_, opened);
    return registry_.SetValueWide(key.get(), std::u16string(valueName), 0, saved.type,
                                  saved.data.data(),
                                  static_cast<std::uint32_t>(saved.data.size())) == kErrorSuccess;
}

RegistryValue ModReg::Convert(std::uint32_t type, const ByteArray& buffer, std::uint32_t size) {
    const auto text = [&](std::uint32_t dropped) {
        if (size < dropped) {
            throw RegistryError(WithNumber("registry value too short for its type ", type));
        }
        return codePage_.FromAnsi(
            std::string_view(reinterpret_cast<const char*>(buffer.data()), size - dropped));
    };
    switch (type) {
        case kRegSz:
            return text(1);
        case kRegExpandSz:
            return ExpandEnvString(text(1));
        case kRegDword:
            return FromLittleEndian(buffer);
        case kRegDwordBigEndian:
            return SwapByteOrder(FromLittleEndian(buffer));
        case kRegMultiSz:
            return text(2);
        default:
            if (size == 0) {
                throw RegistryError(WithNumber("registry value of type ", type, " has no data"));
            }
            return ByteArray(buffer.begin(), buffer.begin() + size);
    }
}

std::u16string ModReg::ExpandEnvString(std::u16string_view text) {
    const std::string source = codePage_.ToAnsi(text);
    std::optional<std::uint32_t> failure;
    // The first call, with no room, asks for the size alone. Some hosts count the size in
    // characters, not bytes, so a path with Chinese characters would come back cut short in a
    // buffer of exactly that size: give room for two bytes a character and take the text up to
    // its terminator.
    const std::optional<std::string> expanded =
        GrownBuffer<std::string>(0, [&](char* destination, std::size_t capacity) {
            const std::uint32_t result = registry_.ExpandEnvironment(
                source, destination, static_cast<std::uint32_t>(capacity));
            if (result == 0) {
                failure = registry_.LastError();
                return std::optional<std::size_t>();
            }
            return std::optional<std::size_t>(
                result > capacity
                    ? std::size_t{result} * 2
                    : std::min(std::string_view(destination, capacity).find('\0'), capacity));
        });
    if (!expanded) {
        throw RegistryError(failure ? "environment strings could not be expanded"
                                    : "environment strings kept growing while being expanded",
                            failure.value_or(0));
    }
    return codePage_.FromAnsi(*expanded);
}

std::int32_t ModReg::SwapByteOrder(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return static_cast<std::int32_t>((bits >> 24) | ((bits >> 8) & 0xFF00u) |
                                     ((bits << 8) & 0xFF0000u) | (bits << 24));
}

}  // namespace tarnwick
