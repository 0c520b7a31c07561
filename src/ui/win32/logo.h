// The banner's logo: a JPEG kept in the executable as an RCDATA resource, decoded here.
#pragma once

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace tarnwick::win32 {

// The RCDATA resource `name` of `module` decoded into a bitmap of the picture's own size. Empty
// when there is no such resource or it cannot be decoded, so the window can go without it.
UniqueBitmap LoadPictureResource(HMODULE module, const wchar_t* name);

// The logo stored as the resource "LOGO": 120 x 75 pixels on white.
inline UniqueBitmap LoadLogo(HMODULE module) {
    return LoadPictureResource(module, L"LOGO");
}

}  // namespace tarnwick::win32
