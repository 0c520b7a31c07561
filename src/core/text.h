// Small text helpers for the 16-bit text the program holds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

// a to z become A to Z; everything else, Chinese text included, is left as it is.
std::u16string ToUpperCase(std::u16string_view text);

// The part of the text before its first NUL character (all of it when there is none).
std::u16string_view UpToFirstNul(std::u16string_view text);

std::u16string DecimalText(std::int64_t number);

// For messages and tests: 16-bit text as UTF-8.
std::string ToUtf8(std::u16string_view text);

}  // namespace tarnwick
