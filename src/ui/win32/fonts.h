// The window's fonts: the default 9-point face and the banner title's own.
#pragma once

#include <string_view>

#include "platform/win32/unique_handle.h"

namespace tarnwick::win32 {

UniqueFont CreateDefaultFont(int dpi);
UniqueFont CreateTitleFont(int dpi);

// The width of text in font and the font's height, as a label sized to its text takes them.
SIZE TextSize(HFONT font, std::wstring_view text);

}  // namespace tarnwick::win32
