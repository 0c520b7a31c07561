// The benchmark's second floor: Tarnwick's window and nothing else. The 41 controls come from the
// program's own layout table with their classes, styles, captions, fonts, colours and logo, in
// the program's own containers; there is no registry, no single instance, no version, no tab
// order and no logic. What Tarnwick takes beyond this is what the program adds to its window.
#include <windows.h>

#include <commctrl.h>

#include <array>
#include <string>

#include "platform/win32/unique_handle.h"
#include "ui/layout.h"
#include "ui/win32/containers.h"
#include "ui/win32/control_look.h"
#include "ui/win32/fonts.h"
#include "ui/win32/logo.h"

namespace {

using namespace tarnwick;

std::wstring Wide(std::u16string_view text) {
    return {text.begin(), text.end()};
}

constexpr int kFirstId = 1000;

// The labels' colours from the table, as Tarnwick gives them.
LRESULT ColourLabel(HDC dc, HWND label) {
    const int index = GetDlgCtrlID(label) - kFirstId;
    if (index < 0 || index >= static_cast<int>(kControlCount)) {
        return 0;
    }
    return reinterpret_cast<LRESULT>(win32::ColourLabel(dc, label, kLayout[index]));
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORSTATIC) {
        if (const LRESULT brush =
                ColourLabel(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
            return brush;
        }
    } else if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const INITCOMMONCONTROLSEX commonControls{sizeof commonControls,
                                              ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&commonControls);
    win32::RegisterContainerClasses(instance);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, L"APPICON");
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"SameWindowFloor";
    RegisterClassExW(&windowClass);

    const int dpi = GetDeviceCaps(win32::ScopedWindowDc(nullptr).get(), LOGPIXELSY);
    const auto pixels = [dpi](int twips) { return MulDiv(twips, dpi, 1440); };
    const win32::UniqueFont defaultFont = win32::CreateDefaultFont(dpi);
    const win32::UniqueFont titleFont = win32::CreateTitleFont(dpi);
    const win32::UniqueBitmap logo = win32::LoadLogo(instance);

    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT frame{0, 0, pixels(kClientWidthTwips), pixels(kClientHeightTwips)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const HWND window = CreateWindowExW(
        kExStyle, windowClass.lpszClassName, Wide(kWindowCaption).c_str(), kStyle,
        (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
        width, height, nullptr, nullptr, instance, nullptr);

    std::array<HWND, kControlCount> made{};
    for (const ControlLayout& control : kLayout) {
        const HWND parent = control.container == Container::Picture1
                                ? made[static_cast<std::size_t>(ControlId::Picture1)]
                            : control.container == Container::Fram1
                                ? made[static_cast<std::size_t>(ControlId::Fram1)]
                                : window;
        const win32::WindowKind kind = win32::KindOf(control);
        const std::wstring text = Wide(control.caption);
        const HFONT font = control.titleFont ? titleFont.get() : defaultFont.get();
        const TwipRect& r = control.rect;
        const SIZE size = control.sizedToText ? win32::TextSize(font, text)
                                              : SIZE{pixels(r.width), pixels(r.height)};
        const int top = control.kind == ControlKind::StatusBar
                            ? pixels(kClientHeightTwips) - size.cy
                            : pixels(r.top);
        const HWND created = CreateWindowExW(
            kind.exStyle, kind.windowClass,
            control.kind == ControlKind::StatusBar ? L"" : text.c_str(),
            WS_CHILD | WS_VISIBLE | kind.style, pixels(r.left), top, size.cx, size.cy, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstId + static_cast<int>(control.id))),
            instance, nullptr);
        made[static_cast<std::size_t>(control.id)] = created;
        SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (control.kind == ControlKind::Image) {
            SendMessageW(created, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo.get()));
        } else if (control.kind == ControlKind::CheckBox && control.initialValue == 1) {
            SendMessageW(created, BM_SETCHECK, BST_CHECKED, 0);
        } else if (control.kind == ControlKind::StatusBar) {
            int rightEdge = pixels(kPanelWidthTwips);
            SendMessageW(created, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&rightEdge));
            SendMessageW(created, SB_SETMINHEIGHT, static_cast<WPARAM>(size.cy), 0);
            SendMessageW(created, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
