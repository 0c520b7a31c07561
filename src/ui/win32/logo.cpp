#include "ui/win32/logo.h"

namespace tarnwick::win32 {

UniqueBitmap LoadBitmapResource(HMODULE module, const wchar_t* name) {
    // A DIB section keeps the picture's own colours whatever the display's depth.
    return UniqueBitmap(
        static_cast<HBITMAP>(LoadImageW(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

}  // namespace tarnwick::win32
