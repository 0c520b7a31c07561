// Where a module's file is, in a form that opens it.
#pragma once

#include <windows.h>

#include <string>

namespace tarnwick::win32 {

// The full path of module's file, the program's own for null; empty when Windows cannot tell.
// Started by Wine from a Unix folder that no drive maps, a program is named "unix\...", which only
// Wine's "\\?\unix\" namespace opens.
inline std::wstring ModulePath(HMODULE module = nullptr) {
    std::wstring path(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 8; ++attempt) {
        const DWORD length =
            GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path.starts_with(L"unix\\") ? L"\\\\?\\" + path : path;
        }
        path.resize(path.size() * 2);
    }
    return {};
}

}  // namespace tarnwick::win32
