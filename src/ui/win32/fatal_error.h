// The one message an unexpected failure shows before the program ends.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace tarnwick::win32 {

// What the program returns after an unexpected failure.
inline constexpr int kExitUnexpectedError = 1;

// The message: its sentence, and the Windows error code an Error carries.
std::wstring FatalErrorText(const std::exception& failure);
void ShowFatalError(HWND owner, const std::exception& failure);

}  // namespace tarnwick::win32
