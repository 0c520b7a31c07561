// Every one of the 41 controls against the layout table, the window's frame, the initial focus,
// the tab order and the keys that must do nothing.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "core/managed_folders.h"
#include "support/control_names.h"
#include "tarnwick_process.h"
#include "ui/folder_controls.h"
#include "ui/layout.h"
#include "ui/win32/fonts.h"

namespace tarnwick::testing {
namespace {

const wchar_t* ExpectedClass(ControlKind kind) {
    switch (kind) {
        case ControlKind::PictureBox:
            return L"TarnwickBanner";
        case ControlKind::Frame:
            return L"TarnwickFrame";
        case ControlKind::CheckBox:
        case ControlKind::CommandButton:
            return L"Button";
        case ControlKind::TextBox:
            return L"Edit";
        case ControlKind::StatusBar:
            return STATUSCLASSNAMEW;
        case ControlKind::Label:
        case ControlKind::Image:
            break;
    }
    return L"Static";
}

class MainWindow : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        process_ = std::make_unique<TarnwickProcess>();
        window_ = process_->WaitForWindow();
    }
    static void TearDownTestSuite() { process_.reset(); }
    void SetUp() override { ASSERT_NE(window_, nullptr) << "Tarnwick.exe showed no window"; }

    static int Dpi() { return GetDeviceCaps(win32::ScopedWindowDc(nullptr).get(), LOGPIXELSY); }
    static int Pixels(int twips) { return MulDiv(twips, Dpi(), 1440); }

    static HWND Focus() {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info);
        return info.hwndFocus;
    }
    static std::string NameOfWindow(HWND control) {
        for (const ControlLayout& layout : kLayout) {
            if (Control(window_, layout.id) == control) {
                return std::string(ControlName(layout.id));
            }
        }
        return control ? "a window outside the layout" : "no window";
    }
    // A key as the window's message loop sees it from the keyboard.
    static void PressKey(HWND target, WPARAM key) {
        PostMessageW(target, WM_KEYDOWN, key, 1);
        PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    }
    // Presses Tab and waits until the window has moved the focus; keys posted before it have
    // been handled by then, since the window takes posted messages in order.
    static void PressTab() {
        const HWND before = Focus();
        PressKey(before, VK_TAB);
        EXPECT_TRUE(WaitFor([&] { return Focus() != before; }, std::chrono::seconds(5)))
            << "Tab did not move the focus from " << NameOfWindow(before);
    }
    // Tabs round to the control named, within one round of the tab order.
    static void TabTo(std::string_view name) {
        for (int presses = 0; presses < 2 * kFocusOrderLength && NameOfWindow(Focus()) != name;
             ++presses) {
            PressTab();
        }
        ASSERT_EQ(NameOfWindow(Focus()), name) << "Tab never reached it";
    }
    static constexpr int kFocusOrderLength = 22;

    static std::unique_ptr<TarnwickProcess> process_;
    static HWND window_;
};

std::unique_ptr<TarnwickProcess> MainWindow::process_;
HWND MainWindow::window_ = nullptr;

TEST_F(MainWindow, HasAFixedDialogFrameOfTheRightClientSize) {
    const auto style = static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE));
    EXPECT_EQ(style & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
    EXPECT_TRUE(style & WS_SYSMENU) << "no close box";
    EXPECT_FALSE(style & WS_THICKFRAME) << "the window can be resized";
    EXPECT_FALSE(style & WS_MINIMIZEBOX) << "the window has a minimize box";
    EXPECT_FALSE(style & WS_MAXIMIZEBOX) << "the window has a maximize box";
    EXPECT_TRUE(GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    RECT client;
    GetClientRect(window_, &client);
    EXPECT_EQ(client.right, Pixels(kClientWidthTwips));
    EXPECT_EQ(client.bottom, Pixels(kClientHeightTwips));
    EXPECT_EQ(WindowText(window_), L"Tarnwick工具");
    EXPECT_EQ(GetMenu(window_), nullptr);
}

TEST_F(MainWindow, OpensCentredOnTheScreen) {
    RECT frame;
    GetWindowRect(window_, &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST_F(MainWindow, EveryControlIsWhereTheLayoutPutsIt) {
    for (const ControlLayout& layout : kLayout) {
        SCOPED_TRACE(ControlName(layout.id));
        const HWND control = Control(window_, layout.id);
        ASSERT_NE(control, nullptr) << "missing, or not a child of its container";
        wchar_t className[64] = {};
        GetClassNameW(control, className, 64);
        EXPECT_EQ(_wcsicmp(className, ExpectedClass(layout.kind)), 0)
            << "window class " << Utf8(className);
        EXPECT_TRUE(IsWindowVisible(control));
        EXPECT_TRUE(IsWindowEnabled(control));

        RECT rect;
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, Pixels(layout.rect.left)) << "left";
        // The status bar is placed from the client area's bottom, where it must end.
        const int top = layout.kind == ControlKind::StatusBar
                            ? Pixels(kClientHeightTwips) - Pixels(layout.rect.height)
                            : Pixels(layout.rect.top);
        EXPECT_EQ(rect.top, top) << "top";
        if (layout.kind == ControlKind::Image) {
            // The logo at its own 120 x 75 pixels, which the table's twips give at 96 DPI.
            EXPECT_EQ(rect.right - rect.left, 120) << "width";
            EXPECT_EQ(rect.bottom - rect.top, 75) << "height";
        } else if (!layout.sizedToText) {
            EXPECT_EQ(rect.right - rect.left, Pixels(layout.rect.width)) << "width";
            EXPECT_EQ(rect.bottom - rect.top, Pixels(layout.rect.height)) << "height";
        }
        const int tabStop = GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP;
        EXPECT_EQ(tabStop != 0, TakesFocus(layout.kind)) << "tab stop";
    }
}

TEST_F(MainWindow, LabelsSizedToTheirTextTakeTheTextsWidthAndTheFontsHeight) {
    // Measured here with the same default font; at 96 DPI a Chinese character of it is 12
    // pixels wide, so "转移到" is 540 twips wide as laid out.
    const win32::UniqueFont font = win32::CreateDefaultFont(Dpi());
    const win32::ScopedWindowDc screen(nullptr);
    const HDC dc = screen.get();
    const win32::ScopedSelect selected(dc, font.get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    for (const ControlId id :
         {ControlId::Label1, ControlId::Label2, ControlId::Label4, ControlId::Label8,
          ControlId::Label5, ControlId::Label10, ControlId::Label3, ControlId::LblVer}) {
        SCOPED_TRACE(ControlName(id));
        const std::wstring text = WindowText(Control(window_, id));
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        RECT rect;
        GetWindowRect(Control(window_, id), &rect);
        EXPECT_EQ(rect.right - rect.left, extent.cx);
        EXPECT_EQ(rect.bottom - rect.top, metrics.tmHeight);
        if (Dpi() == 96 && LayoutOf(id).caption == u"转移到") {
            EXPECT_EQ(rect.right - rect.left, Pixels(LayoutOf(id).rect.width));
        }
    }
}

TEST_F(MainWindow, CaptionsAndCheckStatesBeforeAnyClick) {
    for (const ControlLayout& layout : kLayout) {
        SCOPED_TRACE(ControlName(layout.id));
        const HWND control = Control(window_, layout.id);
        if (layout.kind == ControlKind::CheckBox) {
            const LRESULT expected = layout.initialValue == 1 ? BST_CHECKED : BST_UNCHECKED;
            EXPECT_EQ(SendMessageW(control, BM_GETCHECK, 0, 0), expected);
        }
        const bool filledAtStartUp =
            std::any_of(kManagedFolders.begin(), kManagedFolders.end(),
                        [&](const ManagedFolder& f) {
                            return ControlsOf(f).locationLabel == layout.id ||
                                   ControlsOf(f).destinationBox == layout.id;
                        }) ||
            layout.id == ControlId::SBar1 || layout.id == ControlId::LblVer;
        if (!filledAtStartUp) {
            EXPECT_EQ(Utf8(WindowText(control)),
                      Utf8(std::wstring(layout.caption.begin(), layout.caption.end())));
        }
    }
}

// The pixels of a control as they are on the screen, as 0xRRGGBB.
std::vector<std::uint32_t> ScreenPixels(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const win32::ScopedWindowDc screen(nullptr);
    const win32::UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    const win32::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    {
        const win32::ScopedSelect selected(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY);
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height));
    GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), pixels.data(), &info,
              DIB_RGB_COLORS);
    return pixels;
}

TEST_F(MainWindow, LocationsAreDrawnInBlueAndTheVersionInRed) {
    // Smoothed thin strokes have few pixels of the exact colour: count those clearly of its hue.
    enum Hue { kRedHue = 16, kBlueHue = 0 };
    const auto count = [](const std::vector<std::uint32_t>& pixels, Hue hue) {
        return std::count_if(pixels.begin(), pixels.end(), [hue](std::uint32_t pixel) {
            const int main = static_cast<int>((pixel >> hue) & 0xFF);
            const int green = static_cast<int>((pixel >> 8) & 0xFF);
            const int other = static_cast<int>((pixel >> (16 - hue)) & 0xFF);
            return main >= 150 && green + 60 <= main && other + 60 <= main;
        });
    };
    for (const ManagedFolder& folder : kManagedFolders) {
        SCOPED_TRACE(ControlName(ControlsOf(folder).locationLabel));
        EXPECT_GT(count(ScreenPixels(Control(window_, ControlsOf(folder).locationLabel)), kBlueHue),
                  10);
    }
    for (const ControlId id : {ControlId::Label3, ControlId::LblVer}) {
        SCOPED_TRACE(ControlName(id));
        const std::vector<std::uint32_t> pixels = ScreenPixels(Control(window_, id));
        EXPECT_GT(count(pixels, kRedHue), 5);
        // No background of its own: around the text is the banner's.
        const std::uint32_t banner = ScreenPixels(Control(window_, ControlId::Picture1)).front();
        EXPECT_EQ(pixels.front() & 0xFFFFFF, banner & 0xFFFFFF);
    }
    EXPECT_EQ(count(ScreenPixels(Control(window_, ControlId::Label1)), kBlueHue), 0)
        << "the move-to labels have the default colours";
}

TEST_F(MainWindow, TheStatusBarHasOnePanel) {
    const HWND bar = Control(window_, ControlId::SBar1);
    EXPECT_EQ(SendMessageW(bar, SB_GETPARTS, 0, 0), 1);
}

// Also run at 120 and 144 DPI (at_dpi.cmake), where rounding its top and its height apart would
// put its last row below the client area.
TEST_F(MainWindow, TheStatusBarEndsWithTheClientArea) {
    RECT client;
    GetClientRect(window_, &client);
    RECT bar;
    GetWindowRect(Control(window_, ControlId::SBar1), &bar);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_EQ(bar.bottom, client.bottom) << "at " << Dpi() << " DPI";
    EXPECT_EQ(bar.bottom - bar.top, Pixels(LayoutOf(ControlId::SBar1).rect.height));
    EXPECT_EQ(bar.left, 0);
}

TEST_F(MainWindow, FocusStartsOnTheMoveButtonAndTabFollowsTheTabIndices) {
    // Written out here, not taken from the table the window is built from.
    const std::vector<std::string_view> order = {
        "CmdOK",    "ChkDelTmp", "ChkHistory", "CmdHistory", "TxtHistory", "TxtCache",
        "CmdCache", "TxtFav",    "CmdFav",     "ChkCache",   "ChkFav",     "CmdCook",
        "TxtCook",  "ChkCook",   "ChkDoc",     "CmdDoc",     "TxtDoc",     "ChkAll",
        "ChkCopy",  "ChkTemp",   "TxtTemp",    "CmdTemp",    "CmdOK"};
    ASSERT_EQ(order.size(), kFocusOrderLength + 1u);
    EXPECT_EQ(NameOfWindow(Focus()), "CmdOK");
    for (std::size_t i = 1; i < order.size(); ++i) {
        PressTab();
        EXPECT_EQ(NameOfWindow(Focus()), order[i]) << "Tab number " << i;
    }
}

TEST_F(MainWindow, AFewControlsAtTheirDesignedPlacesAndCaptions) {
    // Written out here, in twips in their containers, with their captions.
    struct Expected {
        ControlId id;
        const char* caption;
        int left, top, width, height;
    };
    const Expected expected[] = {
        {ControlId::CmdOK, "转移", 6960, 5430, 1335, 315},
        {ControlId::ChkDelTmp, "删除临时文件", 1380, 5460, 1695, 255},
        {ControlId::ChkCopy, "复制收藏夹及我的文档到新的位置", 3060, 5460, 3315, 255},
        {ControlId::ChkAll, "全部选择", 60, 5460, 1275, 255},
        {ControlId::Fram1, "", 30, 1200, 8265, 4125},
        {ControlId::ChkTemp, "TEMP位置", 210, 120, 1215, 435},
        {ControlId::CmdTemp, ">>", 7770, 510, 315, 255},
        {ControlId::CmdCook, ">>", 7740, 1140, 315, 255},
        {ControlId::ChkHistory, "历史文件夹", 180, 1530, 1275, 315},
        {ControlId::ChkDoc, "我的文档", 180, 3420, 1275, 315},
        {ControlId::TxtDoc, nullptr, 1500, 3750, 6255, 255},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(ControlName(e.id));
        const HWND control = Control(window_, e.id);
        RECT rect;
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, Pixels(e.left));
        EXPECT_EQ(rect.top, Pixels(e.top));
        EXPECT_EQ(rect.right - rect.left, Pixels(e.width));
        EXPECT_EQ(rect.bottom - rect.top, Pixels(e.height));
        if (e.caption) {
            EXPECT_EQ(Utf8(WindowText(control)), e.caption);
        }
    }
}

TEST_F(MainWindow, ShiftTabFromTheKeyboardGoesBackAndWraps) {
    // Real key presses this time, through the window system's input queue.
    SetForegroundWindow(window_);
    const auto press = [](std::initializer_list<WORD> keys) {
        std::vector<INPUT> inputs;
        for (const WORD key : keys) {
            INPUT down{};
            down.type = INPUT_KEYBOARD;
            down.ki.wVk = key;
            inputs.push_back(down);
        }
        for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
            INPUT up{};
            up.type = INPUT_KEYBOARD;
            up.ki.wVk = *key;
            up.ki.dwFlags = KEYEVENTF_KEYUP;
            inputs.push_back(up);
        }
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    };
    TabTo("CmdOK");
    const auto waitForMove = [](HWND from) {
        EXPECT_TRUE(WaitFor([&] { return Focus() != from; }, std::chrono::seconds(5)))
            << "the key did not move the focus";
    };
    HWND before = Focus();
    press({VK_SHIFT, VK_TAB});
    waitForMove(before);
    EXPECT_EQ(NameOfWindow(Focus()), "CmdTemp") << "Shift+Tab from the first control";
    before = Focus();
    press({VK_SHIFT, VK_TAB});
    waitForMove(before);
    EXPECT_EQ(NameOfWindow(Focus()), "TxtTemp");
    before = Focus();
    press({VK_TAB});
    waitForMove(before);
    EXPECT_EQ(NameOfWindow(Focus()), "CmdTemp");
}

TEST_F(MainWindow, EnterAndEscInADestinationBoxDoNothing) {
    TabTo("TxtTemp");
    std::vector<std::wstring> labels;
    for (const ManagedFolder& folder : kManagedFolders) {
        labels.push_back(WindowText(Control(window_, ControlsOf(folder).locationLabel)));
    }
    PressKey(Focus(), VK_RETURN);
    PressKey(Focus(), VK_ESCAPE);
    PressTab();
    EXPECT_EQ(NameOfWindow(Focus()), "CmdTemp") << "Enter or Esc moved the focus";
    EXPECT_TRUE(IsWindowVisible(window_)) << "Esc closed the window";
    EXPECT_FALSE(process_->WaitForExit(0));
    for (std::size_t i = 0; i < kManagedFolders.size(); ++i) {
        EXPECT_EQ(WindowText(Control(window_, ControlsOf(kManagedFolders[i]).locationLabel)),
                  labels[i]);
    }
    EXPECT_EQ(CountMainWindows(process_->Id()), 1);
}

}  // namespace
}  // namespace tarnwick::testing
