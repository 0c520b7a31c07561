// The program's 16-bit text as Windows' wchar_t text and back (the same code units on Windows),
// and UTF-8 text, such as an exception's message, as wide text.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>

namespace tarnwick::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

// The parts one after another, in one allocation, where each + of a chain makes a string.
std::wstring WideJoined(std::initializer_list<std::wstring_view> parts);

inline std::wstring Wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

inline std::u16string Narrow(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}

inline std::wstring WideFromUtf8(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(),
                        static_cast<int>(wide.size()));
    return wide;
}

}  // namespace tarnwick::win32
