#include "platform/win32/system_library.h"

#include <objbase.h>

#include "platform/grown_buffer.h"
#include "platform/win32/wide_text.h"

namespace tarnwick::win32 {

std::wstring SystemDirectory() {
    std::wstring directory =
        GrownBuffer<std::wstring>(MAX_PATH, [](wchar_t* data, std::size_t capacity) {
            return TextFillAnswer(GetSystemDirectoryW(data, static_cast<UINT>(capacity)), capacity);
        }).value_or(std::wstring());
    while (!directory.empty() && directory.back() == L'\\') {
        directory.pop_back();
    }
    return directory;
}

void RestrictLibrarySearchToSystem() {
    SetDllDirectoryW(L"");
    // Windows 8 and later, or 7 with its update; looked up so that older systems still start.
    const auto setDefault =
        SystemFunction<BOOL(WINAPI*)(DWORD)>(L"kernel32.dll", "SetDefaultDllDirectories");
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

void FreeCoTaskMem(void* memory) {
    // Whoever handed the memory out has loaded ole32 already; a destructor must not raise.
    static const auto free =
        SystemFunction<decltype(&CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
    if (free) {
        free(memory);
    }
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
