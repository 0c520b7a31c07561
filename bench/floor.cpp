// The floor of the benchmark: a minimal static Win32 program with a window, 26 child controls and
// a status bar, built with the same toolchain and manifest as Tarnwick. Nothing else.
#include <windows.h>

#include <commctrl.h>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const INITCOMMONCONTROLSEX commonControls{sizeof commonControls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&commonControls);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"Floor";
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowExW(
        WS_EX_DLGMODALFRAME, L"Floor", L"Floor", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
        CW_USEDEFAULT, CW_USEDEFAULT, 570, 450, nullptr, nullptr, instance, nullptr);
    const wchar_t* classes[] = {L"BUTTON", L"STATIC", L"EDIT", L"BUTTON"};
    const DWORD styles[] = {BS_AUTOCHECKBOX, SS_LEFT, ES_AUTOHSCROLL, BS_PUSHBUTTON};
    for (int i = 0; i < 26; ++i) {
        CreateWindowExW(0, classes[i % 4], L"x", WS_CHILD | WS_VISIBLE | styles[i % 4],
                        10 + (i % 4) * 130, 10 + (i / 4) * 40, 120, 24, window, nullptr, instance,
                        nullptr);
    }
    CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window, nullptr,
                    instance, nullptr);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
