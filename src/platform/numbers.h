// The number conversions the routines share: little-endian 32-bit fields and decimal text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

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

// Digits only, with a "-" for negative numbers. Written out here rather than through
// std::to_string, whose code and narrow string cost more than the loop.
inline std::u16string DecimalText(std::int64_t number) {
    char16_t text[20];  // a sign and the 19 digits of the largest magnitude
    std::size_t start = std::size(text);
    // Unsigned, so that the most negative number has a magnitude too.
    std::uint64_t magnitude =
        number < 0 ? 0 - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
    do {
        text[--start] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    if (number < 0) {
        text[--start] = u'-';
    }
    return std::u16string(text + start, std::size(text) - start);
}

// The message of an exception that names a number: text, the number in decimal, then end.
inline std::string WithNumber(std::string_view text, std::int64_t number,
                              std::string_view end = {}) {
    std::string message(text);
    for (const char16_t digit : DecimalText(number)) {
        message += static_cast<char>(digit);
    }
    message += end;
    return message;
}

}  // namespace tarnwick
