#include "ui/win32/fatal_error.h"

#include <string>

namespace tarnwick::win32 {

void ShowFatalError(HWND owner, const std::exception& failure) {
    const std::string what = failure.what();
    std::wstring text = L"Tarnwick工具遇到意外错误,将要退出:\n";
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, what.c_str(), static_cast<int>(what.size()), nullptr, 0);
    std::wstring detail(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, what.c_str(), static_cast<int>(what.size()), detail.data(),
                        length);
    text += detail;
    MessageBoxW(owner, text.c_str(), L"Tarnwick工具", MB_OK | MB_ICONERROR);
}

}  // namespace tarnwick::win32
