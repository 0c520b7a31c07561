// The child-window ids of the main window's controls, shared with the end-to-end test driver.
#pragma once

#include "ui/control_id.h"

namespace tarnwick::win32 {

// Clear of IDOK (1) and IDCANCEL (2), which IsDialogMessage sends for Enter and Esc.
inline constexpr int kFirstControlWindowId = 1000;

constexpr int WindowIdOf(ControlId id) {
    return kFirstControlWindowId + static_cast<int>(id);
}

inline constexpr const wchar_t* kMainWindowClass = L"TarnwickFrmMain";

}  // namespace tarnwick::win32
