#include "ui/win32/containers.h"

namespace tarnwick::win32 {

namespace {

LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
            return SendMessageW(GetAncestor(window, GA_ROOT), message, wParam, lParam);
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

// A group box's etched border, with no title.
LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        RECT border;
        GetClientRect(window, &border);
        DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
        EndPaint(window, &paint);
        return 0;
    }
    return ContainerProc(window, message, wParam, lParam);
}

void Register(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, int background) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(background);
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
}

}  // namespace

void RegisterContainerClasses(HINSTANCE instance) {
    Register(instance, kBannerClass, ContainerProc, BackgroundColourOf(Container::Picture1));
    Register(instance, kFrameClass, FrameProc, BackgroundColourOf(Container::Fram1));
}

}  // namespace tarnwick::win32
