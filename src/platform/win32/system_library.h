// Libraries and programs of Windows itself, taken from the system directory only: a DLL or a
// CMD.exe placed beside the program must never be loaded or run in their stead.
#pragma once

#include <windows.h>

#include <string>

#include "platform/error.h"

#include "platform/win32/unique_handle.h"

namespace tarnwick::win32 {

// GetSystemDirectoryW, without a trailing "\".
std::wstring SystemDirectory();

// Later LoadLibrary calls, also those the system's own DLLs make, search the system directory
// only. Where Windows cannot do that, the current directory at least leaves the search.
void RestrictLibrarySearchToSystem();

// Loads name (such as L"version.dll") from the system directory by its full path; null on failure.
UniqueModule LoadSystemLibrary(const wchar_t* name);

// The function name of the system library, which is loaded by its full path the first time and
// then stays for the life of the process: what only a browse or a copy needs is not loaded at
// start. Null when the library or the function is missing.
FARPROC SystemProcedure(const wchar_t* library, const char* name);

template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemProcedure(library, name)));
}

// Like SystemFunction, but raises Error, with the code of the load that failed, when the
// function cannot be had.
template <typename Function>
Function RequiredSystemFunction(const wchar_t* library, const char* name) {
    const Function function = SystemFunction<Function>(library, name);
    if (!function) {
        throw Error(std::string(name) + " could not be loaded from the system folder",
                    GetLastError());
    }
    return function;
}

}  // namespace tarnwick::win32
