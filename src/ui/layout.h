// The main window's 41 controls as data: kind, container, caption, twip rectangle, tab index,
// initial value and look. The real window is built from this table by one loop.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "ui/control_id.h"

namespace tarnwick {

enum class ControlKind {
    PictureBox,
    Frame,
    CheckBox,
    CommandButton,
    Label,
    TextBox,
    Image,
    StatusBar
};

enum class Container { FrmMain, Picture1, Fram1 };

struct Rgb {
    std::uint8_t red, green, blue;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlack{0, 0, 0};

struct TwipRect {
    int left, top, width, height;
};

struct ControlLayout {
    ControlId id;
    ControlKind kind;
    Container container;
    std::u16string_view caption;  // or the initial text
    TwipRect rect;
    std::optional<int> tabIndex;
    int initialValue = 0;          // check boxes: 1 checked
    std::optional<Rgb> textColor;  // none: the default colours
    bool transparent = false;      // draws on its container's background
    bool sizedToText = false;      // grows or shrinks with its caption from the left edge
    bool titleFont = false;        // the banner title's own font; all others use the default
};

inline constexpr std::u16string_view kWindowCaption = u"Tarnwick工具";
inline constexpr int kClientWidthTwips = 8310;
inline constexpr int kClientHeightTwips = 6150;

struct TitleFont {
    std::u16string_view face;
    std::u16string_view fallbackFace;  // where the first is not installed
    double points;
    int weight;
    int charset;
};
inline constexpr TitleFont kTitleFont{u"幼圆", u"WenQuanYi Micro Hei", 14.25, 700, 134};

// The status bar's one panel.
inline constexpr int kPanelWidthTwips = 8280;

// Check boxes, buttons and text boxes take the keyboard focus; labels, containers, the image and
// the status bar never do.
constexpr bool TakesFocus(ControlKind kind) {
    return kind == ControlKind::CheckBox || kind == ControlKind::CommandButton ||
           kind == ControlKind::TextBox;
}

extern const std::array<ControlLayout, kControlCount> kLayout;

// The row for id (the table is in ControlId order).
const ControlLayout& LayoutOf(ControlId id);

}  // namespace tarnwick
