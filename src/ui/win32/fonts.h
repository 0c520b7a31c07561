// The window's fonts: the default 9-point face and the banner title's own.
#pragma once

#include "platform/win32/unique_handle.h"

namespace tarnwick::win32 {

UniqueFont CreateDefaultFont(int dpi);
UniqueFont CreateTitleFont(int dpi);

}  // namespace tarnwick::win32
