// How a row of the layout table looks as a window: its class and styles, and a label's colours.
// Shared by the main window and the benchmark's same-window floor, which must look alike.
#pragma once

#include <windows.h>

#include "ui/layout.h"

namespace tarnwick::win32 {

struct WindowKind {
    const wchar_t* windowClass;
    DWORD style;  // besides WS_CHILD | WS_VISIBLE
    DWORD exStyle;
};

WindowKind KindOf(const ControlLayout& control);

// For WM_CTLCOLORSTATIC: sets dc to the label's colour from the table and gives the brush of
// its background, or null for a label of the default colours.
HBRUSH ColourLabel(HDC dc, HWND label, const ControlLayout& layout);

}  // namespace tarnwick::win32
