#include "platform/win32/win32_console.h"

#include <string>

namespace tarnwick::win32 {

void Win32Console::Write(std::u16string_view text) {
    if (!opened_) {
        opened_ = true;
        // A windowed program has a standard output only when it was redirected; otherwise it
        // writes to the console of the program that started it.
        output_ = GetStdHandle(STD_OUTPUT_HANDLE);
        if ((!output_ || output_ == INVALID_HANDLE_VALUE ||
             GetFileType(output_) == FILE_TYPE_UNKNOWN) &&
            AttachConsole(ATTACH_PARENT_PROCESS)) {
            output_ = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        }
        DWORD mode = 0;
        console_ = output_ && output_ != INVALID_HANDLE_VALUE && GetConsoleMode(output_, &mode);
    }
    if (!output_ || output_ == INVALID_HANDLE_VALUE) {
        return;
    }
    std::wstring lines;
    for (const char16_t c : text) {
        if (c == u'\n') {
            lines += L'\r';
        }
        lines += static_cast<wchar_t>(c);
    }
    DWORD written = 0;
    if (console_) {
        WriteConsoleW(output_, lines.c_str(), static_cast<DWORD>(lines.size()), &written, nullptr);
        return;
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, lines.c_str(), static_cast<int>(lines.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, lines.c_str(), static_cast<int>(lines.size()), bytes.data(),
                        size, nullptr, nullptr);
    WriteFile(output_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace tarnwick::win32
