// The path of a folder Windows knows by its id (SHGetKnownFolderPath).
#pragma once

#include <windows.h>

#include <shtypes.h>

#include <optional>
#include <string>

namespace tarnwick::win32 {

// nullopt when Windows has no path for it; raises Error when shell32 lacks the function.
std::optional<std::wstring> KnownFolderPath(const KNOWNFOLDERID& id, DWORD flags);

}  // namespace tarnwick::win32
