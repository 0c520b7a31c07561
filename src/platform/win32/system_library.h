// Libraries and programs of Windows itself, taken from the system directory only: a DLL or a
// CMD.exe placed beside the program must never be loaded or run in their stead.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/unique_handle.h"

namespace tarnwick::win32 {

// GetSystemDirectoryW, without a trailing "\".
std::wstring SystemDirectory();

// Later LoadLibrary calls, also those the system's own DLLs make, search the system directory
// only. Where Windows cannot do that, the current directory at least leaves the search.
void RestrictLibrarySearchToSystem();

// Loads name (such as L"version.dll") from the system directory by its full path; null on failure.
UniqueModule LoadSystemLibrary(const wchar_t* name);

}  // namespace tarnwick::win32
