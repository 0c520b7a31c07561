#include "platform/win32/known_folder.h"

#include <shlobj.h>

#include "platform/win32/system_library.h"
#include "platform/win32/unique_handle.h"

namespace tarnwick::win32 {

std::optional<std::wstring> KnownFolderPath(const KNOWNFOLDERID& id, DWORD flags) {
    static const auto folderPath = RequiredSystemFunction<decltype(&SHGetKnownFolderPath)>(
        L"shell32.dll", "SHGetKnownFolderPath");
    // The path is the caller's to free even when the call fails.
    UniqueCoTaskMem<PWSTR> path;
    if (FAILED(folderPath(id, flags, nullptr, path.put())) || !path) {
        return std::nullopt;
    }
    return std::wstring(path.get());
}

}  // namespace tarnwick::win32
