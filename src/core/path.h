// Windows path checks on 16-bit text: what counts as a complete path, the same path, a root.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The levels below the root, as spelled: "C:\a\b" gives "a" and "b".
std::vector<std::u16string_view> PathLevels(std::u16string_view path);

// Every folder along the path from its root to itself, as prefixes of the path: "C:\a\b"
// gives "C:\", "C:\a" and "C:\a\b". Empty for a path without a root.
std::vector<std::u16string> PathPrefixes(std::u16string_view path);

// A level that Windows takes for a device (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without
// an extension), or nullopt.
std::optional<std::u16string> ReservedDeviceLevel(std::u16string_view path);

// A level ending in "." or " ", which Windows silently drops, or nullopt. "." and ".." are not
// names and do not count.
std::optional<std::u16string> LevelEndingInDotOrSpace(std::u16string_view path);

// Characters that must never reach a command line: quotes, %, control characters, and the
// characters Windows forbids in file names.
bool HasCommandUnsafeCharacter(std::u16string_view path);

}  // namespace tarnwick
