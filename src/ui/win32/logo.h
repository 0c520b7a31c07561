// The banner's logo: a 256-colour bitmap resource, which Windows loads itself.
#pragma once

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace tarnwick::win32 {

// The BITMAP resource `name` of `module` as a DIB section of its own size and colours. Empty when
// there is no such resource, so the window can go without it.
UniqueBitmap LoadBitmapResource(HMODULE module, const wchar_t* name);

// The logo stored as the resource "LOGO": 120 x 75 pixels on white.
inline UniqueBitmap LoadLogo(HMODULE module) {
    return LoadBitmapResource(module, L"LOGO");
}

}  // namespace tarnwick::win32
