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

}  // namespace tarnwick::testing
