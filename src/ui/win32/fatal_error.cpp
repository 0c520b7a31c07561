#include "ui/win32/fatal_error.h"

#include <string>

#include "platform/win32/wide_text.h"

namespace tarnwick::win32 {

void ShowFatalError(HWND owner, const std::exception& failure) {
    const std::wstring text =
        WideJoined({L"Tarnwick工具遇到意外错误,将要退出:\n", WideFromUtf8(failure.what())});
    MessageBoxW(owner, text.c_str(), L"Tarnwick工具", MB_OK | MB_ICONERROR);
}

}  // namespace tarnwick::win32
