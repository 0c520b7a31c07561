#include "ui/win32/frm_main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>
#include "platform/error.h"

#include "platform/win32/wide_text.h"
#include "ui/win32/containers.h"
#include "ui/win32/control_look.h"
#include "ui/win32/fatal_error.h"
#include "ui/win32/fonts.h"
#include "ui/win32/window_ids.h"

namespace tarnwick::win32 {

namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

// Keyboard and mouse input for this thread's windows that is waiting in the queue.
void DiscardQueuedInput() {
    MSG message;
    for (const auto& [first, last] : {std::pair<UINT, UINT>{WM_KEYFIRST, WM_KEYLAST},
                                      std::pair<UINT, UINT>{WM_MOUSEFIRST, WM_MOUSELAST},
                                      std::pair<UINT, UINT>{WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK}}) {
        while (PeekMessageW(&message, nullptr, first, last, PM_REMOVE)) {
        }
    }
}

}  // namespace

FrmMainWindow::FrmMainWindow(HINSTANCE instance) : instance_(instance) {
    RegisterContainerClasses(instance);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = s_WndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, L"APPICON");
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, L"APPICON", IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(BackgroundColourOf(Container::FrmMain));
    windowClass.lpszClassName = kMainWindowClass;
    RegisterClassExW(&windowClass);

    dpi_ = GetDeviceCaps(ScopedWindowDc(nullptr).get(), LOGPIXELSY);
    defaultFont_ = CreateDefaultFont(dpi_);
    titleFont_ = CreateTitleFont(dpi_);

    RECT frame{0, 0, Pixels(kClientWidthTwips), Pixels(kClientHeightTwips)};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, kWindowExStyle);
    // Made where it will be shown, centred on the screen: moving it later costs a round trip to
    // the display before the first paint.
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    window_ = CreateWindowExW(kWindowExStyle, kMainWindowClass, Wide(kWindowCaption).c_str(),
                              kWindowStyle, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                              (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr,
                              nullptr, instance, this);
    if (!window_) {
        throw Error("the main window could not be created", GetLastError());
    }
}

FrmMainWindow::~FrmMainWindow() {
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void FrmMainWindow::CreateControls(const StartTexts& texts) {
    // Containers come before their children in the table.
    for (const ControlLayout& control : kLayout) {
        const std::optional<std::u16string>& text = texts.Find(control.id);
        windows_[static_cast<std::size_t>(control.id)] =
            Create(control, text ? std::u16string_view(*text) : control.caption);
    }
    // Each tab index is used once (the layout's tests hold the table to that), so looking for
    // every index in turn gives the sorted order without the code of a sort.
    int lastTab = -1;
    for (const ControlLayout& control : kLayout) {
        lastTab = std::max(lastTab, control.tabIndex.value_or(-1));
    }
    for (int tab = 0; tab <= lastTab; ++tab) {
        for (const ControlLayout& control : kLayout) {
            if (control.tabIndex == tab && TakesFocus(control.kind)) {
                tabOrder_.push_back(control.id);
            }
        }
    }
}

HWND FrmMainWindow::Create(const ControlLayout& control, std::u16string_view startText) {
    const HWND parent = control.container == Container::Picture1 ? WindowOf(ControlId::Picture1)
                        : control.container == Container::Fram1  ? WindowOf(ControlId::Fram1)
                                                                 : window_;
    const WindowKind kind = KindOf(control);
    // The status bar shows its text in its panel, set once the panel is there.
    const std::wstring text = Wide(control.kind == ControlKind::StatusBar ? u"" : startText);
    const HFONT font = control.titleFont ? titleFont_.get() : defaultFont_.get();
    const TwipRect& r = control.rect;
    const SIZE size =
        control.sizedToText ? TextSize(font, text) : SIZE{Pixels(r.width), Pixels(r.height)};
    // The status bar ends where the client area does: its top and height, rounded apart, would
    // put it a pixel lower at some DPIs (581 + 35 against 615 at 144 DPI).
    const int top = control.kind == ControlKind::StatusBar ? Pixels(kClientHeightTwips) - size.cy
                                                           : Pixels(r.top);
    const HWND created = CreateWindowExW(
        kind.exStyle, kind.windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | kind.style,
        Pixels(r.left), top, size.cx, size.cy, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(WindowIdOf(control.id))), instance_, nullptr);
    if (!created) {
        throw Error("a control of the main window could not be created", GetLastError());
    }
    SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (control.kind == ControlKind::Image) {
        // At its natural size: a bitmap static takes the size of its picture.
        logo_ = LoadLogo(instance_);
        SendMessageW(created, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo_.get()));
    } else if (control.kind == ControlKind::CheckBox && control.initialValue == kChecked) {
        SendMessageW(created, BM_SETCHECK, BST_CHECKED, 0);
    } else if (control.kind == ControlKind::StatusBar) {
        int rightEdge = Pixels(kPanelWidthTwips);
        SendMessageW(created, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&rightEdge));
        SendMessageW(created, SB_SETMINHEIGHT, static_cast<WPARAM>(Pixels(r.height)), 0);
        SendMessageW(created, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(Wide(startText).c_str()));
    }
    return created;
}

const ControlLayout* FrmMainWindow::LayoutOfWindow(HWND control) const {
    const auto found = std::find(windows_.begin(), windows_.end(), control);
    return found == windows_.end() ? nullptr
                                   : &kLayout[static_cast<std::size_t>(found - windows_.begin())];
}

void FrmMainWindow::Show(int showCommand, const StartTexts& texts) {
    CreateControls(texts);
    // Activation may arrive after ShowWindow returns; it restores the focus from lastFocus_.
    lastFocus_ = WindowOf(ControlId::CmdOK);
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    SetFocus(lastFocus_);
}

bool FrmMainWindow::PreTranslate(MSG& message) {
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB &&
        (message.hwnd == window_ || IsChild(window_, message.hwnd)) &&
        GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) {
        MoveFocus(GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    return IsDialogMessageW(window_, &message) != FALSE;
}

// The tab order interleaves the window's and the frame's controls, which IsDialogMessage cannot
// follow since it walks one container at a time.
void FrmMainWindow::MoveFocus(bool backward) {
    const HWND focus = GetFocus();
    const auto current = std::find_if(tabOrder_.begin(), tabOrder_.end(),
                                      [&](ControlId id) { return WindowOf(id) == focus; });
    const auto count = static_cast<std::ptrdiff_t>(tabOrder_.size());
    std::ptrdiff_t next = 0;
    if (current != tabOrder_.end()) {
        const std::ptrdiff_t at = current - tabOrder_.begin();
        next = backward ? (at + count - 1) % count : (at + 1) % count;
    } else if (backward) {
        next = count - 1;
    }
    const ControlId target = tabOrder_[static_cast<std::size_t>(next)];
    SetFocus(WindowOf(target));
    if (LayoutOf(target).kind == ControlKind::TextBox) {
        SendMessageW(WindowOf(target), EM_SETSEL, 0, -1);
    }
}

std::u16string FrmMainWindow::Text(ControlId id) const {
    const HWND control = WindowOf(id);
    if (id == ControlId::SBar1) {
        const auto length = LOWORD(SendMessageW(control, SB_GETTEXTLENGTHW, 0, 0));
        std::wstring text(length + 1u, L'\0');
        SendMessageW(control, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text.data()));
        text.resize(length);
        return Narrow(text);
    }
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

void FrmMainWindow::SetText(ControlId id, std::u16string_view text) {
    const HWND control = WindowOf(id);
    const std::wstring wide = Wide(text);
    if (id == ControlId::SBar1) {
        SendMessageW(control, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        return;
    }
    SetWindowTextW(control, wide.c_str());
    if (LayoutOf(id).sizedToText) {
        FitToText(id);
    }
}

int FrmMainWindow::Value(ControlId id) const {
    return SendMessageW(WindowOf(id), BM_GETCHECK, 0, 0) == BST_CHECKED ? kChecked : kUnchecked;
}

void FrmMainWindow::SetValue(ControlId id, int value) {
    SendMessageW(WindowOf(id), BM_SETCHECK, value == kChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// A label sized to its text keeps its left edge and takes the text's width and the font's height.
void FrmMainWindow::FitToText(ControlId id) {
    const HWND control = WindowOf(id);
    const SIZE size =
        TextSize(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), Wide(Text(id)));

    // What the label covered before must be repainted by its container if it shrinks.
    const HWND parent = GetParent(control);
    RECT before;
    GetWindowRect(control, &before);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&before), 2);
    SetWindowPos(control, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(parent, &before, TRUE);
    InvalidateRect(control, nullptr, TRUE);
}

LRESULT CALLBACK FrmMainWindow::s_WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<FrmMainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FrmMainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // Exceptions never cross into user32: an unexpected failure ends the program in order.
    try {
        return self->WndProc(message, wParam, lParam);
    } catch (const std::exception& failure) {
        ShowFatalError(window, failure);
        self->exitCode_ = kExitUnexpectedError;
        DestroyWindow(window);
        return 0;
    }
}

LRESULT FrmMainWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            return OnCommand(wParam, lParam);
        case WM_CTLCOLORSTATIC:
            return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                                    wParam, lParam);
        case WM_ACTIVATE:
            OnActivate(wParam);
            return 0;
        case WM_SETFOCUS:
            if (lastFocus_) {
                SetFocus(lastFocus_);
            }
            return 0;
        case WM_CLOSE:
            // Not in the middle of a run: the window would go while the run still uses it.
            if (running_) {
                return 0;
            }
            return DefWindowProcW(window_, message, wParam, lParam);
        case WM_DESTROY:
            PostQuitMessage(exitCode_);
            return 0;
        case WM_NCDESTROY: {
            // Closed by the user: nothing is left for the destructor to destroy.
            const HWND closing = std::exchange(window_, nullptr);
            SetWindowLongPtrW(closing, GWLP_USERDATA, 0);
            return DefWindowProcW(closing, message, wParam, lParam);
        }
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

// IDOK and IDCANCEL come from Enter and Esc through IsDialogMessage: there is no default or cancel
// button, so they do nothing.
LRESULT FrmMainWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    const HWND control = reinterpret_cast<HWND>(lParam);
    if (HIWORD(wParam) != BN_CLICKED || !control) {
        return 0;
    }
    const ControlLayout* layout = LayoutOfWindow(control);
    if (layout && onClick_) {
        RunClickHandler(layout->id);
    }
    return 0;
}

// The move button's run blocks this thread; clicks and keys queued meanwhile (a double click, an
// impatient second press) are dropped afterwards instead of starting the run again.
void FrmMainWindow::RunClickHandler(ControlId id) {
    if (id != ControlId::CmdOK) {
        onClick_(id);
        return;
    }
    running_ = true;
    try {
        onClick_(id);
    } catch (...) {
        running_ = false;
        throw;
    }
    running_ = false;
    DiscardQueuedInput();
}

LRESULT FrmMainWindow::OnCtlColorStatic(HDC dc, HWND control, WPARAM wParam, LPARAM lParam) {
    const ControlLayout* layout = LayoutOfWindow(control);
    const HBRUSH brush = layout ? ColourLabel(dc, control, *layout) : nullptr;
    return brush ? reinterpret_cast<LRESULT>(brush)
                 : DefWindowProcW(window_, WM_CTLCOLORSTATIC, wParam, lParam);
}

void FrmMainWindow::OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        lastFocus_ = IsChild(window_, focus) ? focus : lastFocus_;
    } else if (lastFocus_) {
        SetFocus(lastFocus_);
    }
}

}  // namespace tarnwick::win32
