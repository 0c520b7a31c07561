#include "ui/win32/control_look.h"

#include <commctrl.h>

#include "ui/win32/containers.h"

namespace tarnwick::win32 {

WindowKind KindOf(const ControlLayout& control) {
    switch (control.kind) {
        case ControlKind::PictureBox:
            return {kBannerClass, 0, WS_EX_CONTROLPARENT};
        case ControlKind::Frame:
            return {kFrameClass, 0, WS_EX_CONTROLPARENT};
        case ControlKind::CheckBox:
            return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
        case ControlKind::CommandButton:
            return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
        case ControlKind::TextBox:
            return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case ControlKind::Image:
            return {L"STATIC", SS_BITMAP, 0};
        case ControlKind::StatusBar:
            return {STATUSCLASSNAMEW, CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0};
        case ControlKind::Label:
            break;
    }
    // A fixed-size label shows a long path shortened in its middle rather than cut off.
    const DWORD style = control.sizedToText
                            ? SS_LEFT | SS_NOPREFIX
                            : SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS | SS_CENTERIMAGE;
    return {L"STATIC", style, 0};
}

HBRUSH ColourLabel(HDC dc, HWND label, const ControlLayout& layout) {
    if (!layout.textColor) {
        return nullptr;
    }
    SetTextColor(dc, RGB(layout.textColor->red, layout.textColor->green, layout.textColor->blue));
    if (layout.transparent) {
        // Draw on the container's own background.
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<HBRUSH>(GetClassLongPtrW(GetParent(label), GCLP_HBRBACKGROUND));
    }
    // An opaque label is filled with its container's colour.
    const int background = BackgroundColourOf(layout.container);
    SetBkColor(dc, GetSysColor(background));
    return GetSysColorBrush(background);
}

}  // namespace tarnwick::win32
