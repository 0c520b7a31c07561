#include "ui/win32/fatal_error.h"

#include <string>

#include "platform/error.h"
#include "platform/numbers.h"
#include "platform/win32/wide_text.h"

namespace tarnwick::win32 {

std::wstring FatalErrorText(const std::exception& failure) {
    std::wstring text =
        WideJoined({L"Tarnwick工具遇到意外错误,将要退出:\n", WideFromUtf8(failure.what())});
    // The code Windows gave, for whoever looks the failure up.
    if (const auto* error = dynamic_cast<const Error*>(&failure); error && error->Code() != 0) {
        text += WideJoined({L"\n错误代码: ", Wide(DecimalText(error->Code()))});
    }
    return text;
}

void ShowFatalError(HWND owner, const std::exception& failure) {
    MessageBoxW(owner, FatalErrorText(failure).c_str(), L"Tarnwick工具", MB_OK | MB_ICONERROR);
}

}  // namespace tarnwick::win32
