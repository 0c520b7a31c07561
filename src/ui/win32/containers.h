// The banner and the folder frame: small container windows of our own, so that the control tree
// is the real window parentage. They draw themselves and pass their children's notifications on
// to the main window.
#pragma once

#include <windows.h>

#include "ui/layout.h"

namespace tarnwick::win32 {

inline constexpr const wchar_t* kBannerClass = L"TarnwickBanner";
inline constexpr const wchar_t* kFrameClass = L"TarnwickFrame";

void RegisterContainerClasses(HINSTANCE instance);

// The system colour a container is filled with: the banner the window background's, the frame
// and the window itself the dialog face's.
constexpr int BackgroundColourOf(Container container) {
    return container == Container::Picture1 ? COLOR_WINDOW : COLOR_BTNFACE;
}

}  // namespace tarnwick::win32
