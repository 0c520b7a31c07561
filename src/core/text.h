// Small text helpers for the 16-bit text the program holds.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace tarnwick {

// The parts one after another, built in one allocation: a chain of + makes and frees a string at
// every step, and each step costs code in every message that is put together.
std::u16string Joined(std::initializer_list<std::u16string_view> parts);

// a to z become A to Z; everything else, Chinese text included, is left as it is.
std::u16string ToUpperCase(std::u16string_view text);
// A to Z become a to z, for names compared as Windows compares them.
std::u16string ToLowerCase(std::u16string_view text);

// The part of the text before its first NUL character (all of it when there is none).
std::u16string_view UpToFirstNul(std::u16string_view text);

// At most maxLength characters: a longer text keeps its start and end around "…", so that a long
// path in a message box still shows its drive and its last folders.
std::u16string ShortenMiddle(std::u16string_view text, std::size_t maxLength);

// Paths in messages are cut to this many characters, so that a box stays on a 1024x768 screen.
inline constexpr std::size_t kMessagePathLength = 50;

// A path as a message shows it: shortened in the middle, and on one line whatever it holds.
std::u16string ShownPath(std::u16string_view path);

}  // namespace tarnwick
