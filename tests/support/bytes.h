// Helpers for writing expected registry data in tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace tarnwick::testing {

inline std::vector<std::uint8_t> Bytes(std::string_view text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

// text's bytes, then zeros up to size bytes in all.
inline std::vector<std::uint8_t> ZeroFilled(std::string_view text, std::size_t size) {
    std::vector<std::uint8_t> block(size, 0);
    std::copy(text.begin(), text.end(), block.begin());
    return block;
}

// A text's bytes as Windows stores a string: UTF-16 LE, the given NULs included.
inline std::vector<std::uint8_t> Utf16Le(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    for (const char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

}  // namespace tarnwick::testing
