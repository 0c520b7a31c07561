// Windows path checks on 16-bit text: what counts as a complete path, the same path, a root.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// "X:\..." or "\\server\share\...", without characters Windows forbids in names.
bool IsAbsolutePath(std::u16string_view path);

// A drive root ("X:\") or a share root ("\\server\share").
bool IsRootPath(std::u16string_view path);

// For comparing: up to the first NUL, "/" as "\", a-z as A-Z, no trailing "\" but a drive
// root's.
std::u16string ComparablePath(std::u16string_view path);

bool SamePath(std::u16string_view a, std::u16string_view b);

// inner is outer itself or lies somewhere below it.
bool IsSameOrInside(std::u16string_view inner, std::u16string_view outer);

// Characters that must never reach a command line: quotes, %, control characters, and the
// characters Windows forbids in file names.
bool HasCommandUnsafeCharacter(std::u16string_view path);

}  // namespace tarnwick
