// The program's 16-bit text as Windows' wchar_t text and back: the same code units on Windows.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring Wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

inline std::u16string Narrow(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}

}  // namespace tarnwick::win32
