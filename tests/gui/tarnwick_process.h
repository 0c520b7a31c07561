// Starts Tarnwick.exe for an end-to-end test, finds its window and controls, and closes it again.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "support/wait_for.h"
#include "ui/control_id.h"

namespace tarnwick::testing {

// The path of Tarnwick.exe, from the test program's first argument (a Unix path under Wine).
const std::wstring& TarnwickPath();
void SetTarnwickPath(const char* argument);

class TarnwickProcess {
  public:
    TarnwickProcess();
    ~TarnwickProcess();
    TarnwickProcess(const TarnwickProcess&) = delete;
    TarnwickProcess& operator=(const TarnwickProcess&) = delete;

    // The process's main window once it is visible, or null after timeoutMs.
    HWND WaitForWindow(DWORD timeoutMs = 30000);
    // True when the process ended within timeoutMs.
    bool WaitForExit(DWORD timeoutMs);
    DWORD ExitCode() const;
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }

  private:
    PROCESS_INFORMATION info_{};
};

// A visible top-level window of that class belonging to process id, or null.
HWND FindVisibleWindow(DWORD processId, const wchar_t* className);

// The main windows of Tarnwick (by window class) that belong to process id, visible or not.
int CountMainWindows(DWORD processId);

HWND Control(HWND mainWindow, ControlId id);

struct MessageBoxSeen {
    std::wstring title;
    std::wstring text;
    RECT frame{};  // on the screen
};

// Waits for the process's message box, reads it and presses its first button (OK, or Yes).
std::optional<MessageBoxSeen> AnswerMessageBox(DWORD processId);

// Posted, not sent: a click that opens a modal window must not block the driver.
void Click(HWND mainWindow, ControlId id);
void Type(HWND mainWindow, ControlId id, const std::wstring& text);
bool Checked(HWND mainWindow, ControlId id);

std::wstring WindowText(HWND window);
std::string Utf8(const std::wstring& text);

}  // namespace tarnwick::testing
