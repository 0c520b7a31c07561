// Where a module's file is, in a form that opens it.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/grown_buffer.h"
#include "platform/win32/wide_text.h"

namespace tarnwick::win32 {

// The full path of module's file, the program's own for null; empty when Windows cannot tell.
// Started by Wine from a Unix folder that no drive maps, a program is named "unix\...", which only
// Wine's "\\?\unix\" namespace opens.
inline std::wstring ModulePath(HMODULE module = nullptr) {
    const std::optional<std::wstring> path =
        GrownBuffer<std::wstring>(MAX_PATH, [module](wchar_t* data, std::size_t capacity) {
            const DWORD length = GetModuleFileNameW(module, data, static_cast<DWORD>(capacity));
            // A name cut short fills the buffer and tells nothing of the size it needs: the next
            // call has room for the longest path Windows makes.
            constexpr std::size_t kLongestPath = 32768;
            return length == 0
                       ? std::nullopt
                       : std::optional<std::size_t>(
                             length < capacity ? length : std::max(capacity * 2, kLongestPath));
        });
    if (!path) {
        return {};
    }
    return path->starts_with(L"unix\\") ? WideJoined({L"\\\\?\\", *path}) : *path;
}

}  // namespace tarnwick::win32
