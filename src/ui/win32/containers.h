// The banner and the folder frame: small container windows of our own, so that the control tree
// is the real window parentage. They draw themselves and pass their children's notifications on
// to the main window.
#pragma once

#include <windows.h>

namespace tarnwick::win32 {

inline constexpr const wchar_t* kBannerClass = L"TarnwickBanner";
inline constexpr const wchar_t* kFrameClass = L"TarnwickFrame";

void RegisterContainerClasses(HINSTANCE instance);

}  // namespace tarnwick::win32
