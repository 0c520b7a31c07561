// The number conversions the routines share: little-endian 32-bit fields and decimal text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tarnwick {

// The four bytes at bytes, least significant first; bytes past available count as zero.
inline std::uint32_t ReadLittleEndian32(const std::uint8_t* bytes, std::size_t available) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4 && i < available; ++i) {
        value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    }
    return value;
}

inline std::array<std::uint8_t, 4> LittleEndian32(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

// Digits only, with a "-" for negative numbers.
inline std::u16string DecimalText(std::int64_t number) {
    const std::string digits = std::to_string(number);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace tarnwick
