#include "platform/win32/system_library.h"

#include "platform/win32/wide_text.h"

namespace tarnwick::win32 {

std::wstring SystemDirectory() {
    std::wstring directory(MAX_PATH, L'\0');
    UINT length = GetSystemDirectoryW(directory.data(), static_cast<UINT>(directory.size()));
    if (length >= directory.size()) {
        directory.resize(length);
        length = GetSystemDirectoryW(directory.data(), static_cast<UINT>(directory.size()));
    }
    directory.resize(length < directory.size() ? length : 0);
    while (!directory.empty() && directory.back() == L'\\') {
        directory.pop_back();
    }
    return directory;
}

void RestrictLibrarySearchToSystem() {
    SetDllDirectoryW(L"");
    // Windows 8 and later, or 7 with its update; looked up so that older systems still start.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDefault) {
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
}

FARPROC SystemProcedure(const wchar_t* library, const char* name) {
    HMODULE module = GetModuleHandleW(library);
    if (!module) {
        module = LoadSystemLibrary(library).release();  // kept until the process ends
    }
    return module ? GetProcAddress(module, name) : nullptr;
}

UniqueModule LoadSystemLibrary(const wchar_t* name) {
    const std::wstring directory = SystemDirectory();
    if (directory.empty()) {
        return UniqueModule();
    }
    // With a full path, the library's own dependencies are looked for beside it.
    return UniqueModule(LoadLibraryExW(WideJoined({directory, L"\\", name}).c_str(), nullptr,
                                       LOAD_WITH_ALTERED_SEARCH_PATH));
}

}  // namespace tarnwick::win32
