#include "tarnwick_process.h"
#include "support/utf8.h"

#include <stdexcept>

#include "core/text.h"
#include "platform/win32/wide_text.h"
#include "ui/layout.h"
#include "ui/win32/window_ids.h"

namespace tarnwick::testing {

namespace {

std::wstring& PathStorage() {
    static std::wstring path;
    return path;
}

struct Search {
    DWORD processId;
    HWND found = nullptr;
    int count = 0;
    bool visibleOnly;
    const wchar_t* className = win32::kMainWindowClass;
};

BOOL CALLBACK Visit(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (owner == search.processId && std::wstring(className) == search.className &&
        (!search.visibleOnly || IsWindowVisible(window))) {
        search.found = window;
        ++search.count;
    }
    return TRUE;
}

}  // namespace

const std::wstring& TarnwickPath() {
    return PathStorage();
}

// Wine reaches Unix paths through its \\?\unix\ namespace; a Windows path is taken as it is.
void SetTarnwickPath(const char* argument) {
    std::wstring wide = win32::WideFromUtf8(argument);
    if (!wide.empty() && wide.front() == L'/') {
        for (wchar_t& c : wide) {
            c = c == L'/' ? L'\\' : c;
        }
        wide = L"\\\\?\\unix" + wide;
    }
    PathStorage() = wide;
}

TarnwickProcess::TarnwickProcess() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + TarnwickPath() + L"\"";
    if (!CreateProcessW(TarnwickPath().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &info_)) {
        throw std::runtime_error("Tarnwick.exe could not be started, error " +
                                 std::to_string(GetLastError()));
    }
}

TarnwickProcess::~TarnwickProcess() {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        Search search{info_.dwProcessId, nullptr, 0, false};
        EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            PostMessageW(search.found, WM_CLOSE, 0, 0);
        }
        if (WaitForSingleObject(info_.hProcess, 10000) != WAIT_OBJECT_0) {
            TerminateProcess(info_.hProcess, 1);
        }
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

HWND TarnwickProcess::WaitForWindow(DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        Search search{info_.dwProcessId, nullptr, 0, true};
        EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            return search.found;
        }
        if (WaitForSingleObject(info_.hProcess, 100) == WAIT_OBJECT_0) {
            return nullptr;
        }
    } while (GetTickCount64() < deadline);
    return nullptr;
}

bool TarnwickProcess::WaitForExit(DWORD timeoutMs) {
    return WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD TarnwickProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

HWND FindVisibleWindow(DWORD processId, const wchar_t* className) {
    Search search{processId, nullptr, 0, true, className};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int CountMainWindows(DWORD processId) {
    Search search{processId, nullptr, 0, false};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    return search.count;
}

HWND Control(HWND mainWindow, ControlId id) {
    const Container container = LayoutOf(id).container;
    HWND parent = mainWindow;
    if (container == Container::Picture1) {
        parent = GetDlgItem(mainWindow, win32::WindowIdOf(ControlId::Picture1));
    } else if (container == Container::Fram1) {
        parent = GetDlgItem(mainWindow, win32::WindowIdOf(ControlId::Fram1));
    }
    return GetDlgItem(parent, win32::WindowIdOf(id));
}

std::optional<MessageBoxSeen> AnswerMessageBox(DWORD processId) {
    HWND box = nullptr;
    WaitFor([&] { return (box = FindVisibleWindow(processId, L"#32770")) != nullptr; });
    if (!box) {
        return std::nullopt;
    }
    MessageBoxSeen seen{WindowText(box), WindowText(GetDlgItem(box, 0xFFFF))};
    GetWindowRect(box, &seen.frame);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    WaitFor([&] { return !IsWindow(box); }, std::chrono::seconds(10));
    return seen;
}

void Click(HWND mainWindow, ControlId id) {
    PostMessageW(Control(mainWindow, id), BM_CLICK, 0, 0);
}

void Type(HWND mainWindow, ControlId id, const std::wstring& text) {
    SendMessageW(Control(mainWindow, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool Checked(HWND mainWindow, ControlId id) {
    return SendMessageW(Control(mainWindow, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// WM_GETTEXT is carried across processes, so it reads another program's controls.
std::wstring WindowText(HWND window) {
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied =
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::string Utf8(const std::wstring& text) {
    return ToUtf8(win32::Narrow(text));
}

}  // namespace tarnwick::testing
