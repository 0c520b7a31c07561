// The real main window: HWNDs built from the layout table, and the Controls the logic works on.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "ui/controls.h"
#include "ui/layout.h"
#include "ui/start_texts.h"
#include "ui/win32/logo.h"

namespace tarnwick::win32 {

class FrmMainWindow : public Controls {
  public:
    explicit FrmMainWindow(HINSTANCE instance);
    ~FrmMainWindow() override;
    FrmMainWindow(const FrmMainWindow&) = delete;
    FrmMainWindow& operator=(const FrmMainWindow&) = delete;

    HWND Handle() const { return window_; }

    // Makes the controls, each with its start-up text or else its caption, then shows the window,
    // made centred on the screen, with the focus on the move button. The Controls work from then.
    void Show(int showCommand, const StartTexts& texts);

    // Keyboard handling before dispatch: Tab by the global tab order, then the dialog keys.
    bool PreTranslate(MSG& message);

    // Where click events go once the logic listens for them.
    void OnClick(std::function<void(ControlId)> handler) { onClick_ = std::move(handler); }

    std::u16string Text(ControlId id) const override;
    void SetText(ControlId id, std::u16string_view text) override;
    int Value(ControlId id) const override;
    void SetValue(ControlId id, int value) override;

  private:
    static LRESULT CALLBACK s_WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnCtlColorStatic(HDC dc, HWND control, WPARAM wParam, LPARAM lParam);
    void OnActivate(WPARAM wParam);

    void CreateControls(const StartTexts& texts);
    HWND Create(const ControlLayout& control, std::u16string_view startText);
    HWND WindowOf(ControlId id) const { return windows_[static_cast<std::size_t>(id)]; }
    const ControlLayout* LayoutOfWindow(HWND control) const;
    int Pixels(int twips) const { return MulDiv(twips, dpi_, 1440); }
    void FitToText(ControlId id);
    void MoveFocus(bool backward);
    void RunClickHandler(ControlId id);

    HINSTANCE instance_;
    HWND window_ = nullptr;
    int dpi_ = 96;
    UniqueFont defaultFont_;
    UniqueFont titleFont_;
    UniqueBitmap logo_;  // shown by Image1, which does not own it
    std::array<HWND, kControlCount> windows_{};
    std::vector<ControlId> tabOrder_;  // the controls that take the focus, by tab index
    HWND lastFocus_ = nullptr;
    std::function<void(ControlId)> onClick_;
    bool running_ = false;  // the move button's run is in progress
    int exitCode_ = 0;      // what the message loop ends with
};

}  // namespace tarnwick::win32
