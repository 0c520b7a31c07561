#include "platform/win32/win32_shell.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/system_library.h"
#include "platform/win32/unique_handle.h"

namespace tarnwick::win32 {

namespace {

PCIDLIST_ABSOLUTE ToIdList(ItemIdList list) {
    return reinterpret_cast<PCIDLIST_ABSOLUTE>(list);
}

// shell32 and ole32 are loaded when a browse or a copy first needs them, not at start.
template <typename Function>
Function Shell32(const char* name) {
    return RequiredSystemFunction<Function>(L"shell32.dll", name);
}

// The picker is a COM object that needs an apartment on this thread; it is made on first use and
// kept until the program ends.
void EnsureApartment() {
    static const bool initialised = [] {
        const auto initialise =
            RequiredSystemFunction<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
        return SUCCEEDED(initialise(nullptr, COINIT_APARTMENTTHREADED));
    }();
    (void)initialised;
}

}  // namespace

ItemIdList Win32Shell::BrowseForFolder(BrowseInfo& info) {
    EnsureApartment();
    // The record has no room for the display name, so a requested one is taken and dropped.
    char displayName[MAX_PATH] = {};
    BROWSEINFOA native{};
    native.hwndOwner = reinterpret_cast<HWND>(info.owner);
    native.pidlRoot = ToIdList(info.root);
    native.pszDisplayName = info.displayNameGiven ? displayName : nullptr;
    native.lpszTitle = info.title.c_str();
    native.ulFlags = info.flags;
    native.lpfn = nullptr;  // no callback can travel in the record
    native.lParam = static_cast<LPARAM>(info.lParam);
    native.iImage = info.image;
    static const auto browse = Shell32<decltype(&SHBrowseForFolderA)>("SHBrowseForFolderA");
    const PIDLIST_ABSOLUTE chosen = browse(&native);
    info.image = native.iImage;
    return reinterpret_cast<ItemIdList>(chosen);
}

int Win32Shell::GetPathFromIdList(ItemIdList list, char* path) {
    static const auto getPath = Shell32<decltype(&SHGetPathFromIDListA)>("SHGetPathFromIDListA");
    return getPath(ToIdList(list), path);
}

void Win32Shell::FreeIdList(ItemIdList list) {
    // Freed as its owner goes, which is at once.
    const UniqueCoTaskMem<PIDLIST_ABSOLUTE> owned(reinterpret_cast<PIDLIST_ABSOLUTE>(list));
}

int Win32Shell::FileOperation(FileOpStruct& operation) {
    // The lists already end in their zero bytes; an empty one is "none", not an empty list.
    SHFILEOPSTRUCTA native{};
    native.hwnd = reinterpret_cast<HWND>(operation.window);
    native.wFunc = operation.function;
    native.pFrom = operation.from.empty() ? nullptr : operation.from.c_str();
    native.pTo = operation.to.empty() ? nullptr : operation.to.c_str();
    native.fFlags = operation.flags;
    native.fAnyOperationsAborted = operation.anyOperationsAborted ? TRUE : FALSE;
    native.hNameMappings = reinterpret_cast<LPVOID>(operation.nameMappings);
    native.lpszProgressTitle = nullptr;  // the record carries no title text
    static const auto fileOperation = Shell32<decltype(&SHFileOperationA)>("SHFileOperationA");
    const int result = fileOperation(&native);
    operation.anyOperationsAborted = native.fAnyOperationsAborted != FALSE;
    operation.nameMappings = reinterpret_cast<std::uintptr_t>(native.hNameMappings);
    return result;
}

}  // namespace tarnwick::win32
