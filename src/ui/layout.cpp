#include "ui/layout.h"

namespace tarnwick {

namespace {

using enum ControlId;
using K = ControlKind;
using C = Container;

constexpr std::u16string_view kMoveTo = u"转移到";
constexpr std::u16string_view kLocationBeforeStartUp = u"Label3";
constexpr std::u16string_view kDestinationBeforeStartUp = u" ";
constexpr std::u16string_view kBrowse = u">>";

constexpr ControlLayout Location(ControlId id, TwipRect rect, int tab) {
    return {.id = id,
            .kind = K::Label,
            .container = C::Fram1,
            .caption = kLocationBeforeStartUp,
            .rect = rect,
            .tabIndex = tab,
            .textColor = kBlue};
}
constexpr ControlLayout MoveTo(ControlId id, TwipRect rect, int tab) {
    return {.id = id,
            .kind = K::Label,
            .container = C::Fram1,
            .caption = kMoveTo,
            .rect = rect,
            .tabIndex = tab,
            .sizedToText = true};
}
constexpr ControlLayout Destination(ControlId id, TwipRect rect, int tab) {
    return {.id = id,
            .kind = K::TextBox,
            .container = C::Fram1,
            .caption = kDestinationBeforeStartUp,
            .rect = rect,
            .tabIndex = tab};
}
constexpr ControlLayout Browse(ControlId id, TwipRect rect, int tab) {
    return {.id = id,
            .kind = K::CommandButton,
            .container = C::Fram1,
            .caption = kBrowse,
            .rect = rect,
            .tabIndex = tab};
}
constexpr ControlLayout Select(ControlId id, std::u16string_view caption, TwipRect rect, int tab) {
    return {.id = id,
            .kind = K::CheckBox,
            .container = C::Fram1,
            .caption = caption,
            .rect = rect,
            .tabIndex = tab};
}

}  // namespace

const std::array<ControlLayout, kControlCount> kLayout = {{
    {.id = ChkCopy,
     .kind = K::CheckBox,
     .container = C::FrmMain,
     .caption = u"复制收藏夹及我的文档到新的位置",
     .rect = {3060, 5460, 3315, 255},
     .tabIndex = 32,
     .initialValue = 1},
    {.id = ChkAll,
     .kind = K::CheckBox,
     .container = C::FrmMain,
     .caption = u"全部选择",
     .rect = {60, 5460, 1275, 255},
     .tabIndex = 31},
    {.id = Picture1,
     .kind = K::PictureBox,
     .container = C::FrmMain,
     .rect = {0, 0, 8325, 1155},
     .tabIndex = 24},
    {.id = SBar1,
     .kind = K::StatusBar,
     .container = C::FrmMain,
     .rect = {0, 5805, 8310, 345},
     .tabIndex = 2},
    {.id = ChkDelTmp,
     .kind = K::CheckBox,
     .container = C::FrmMain,
     .caption = u"删除临时文件",
     .rect = {1380, 5460, 1695, 255},
     .tabIndex = 1,
     .initialValue = 1},
    {.id = CmdOK,
     .kind = K::CommandButton,
     .container = C::FrmMain,
     .caption = u"转移",
     .rect = {6960, 5430, 1335, 315},
     .tabIndex = 0},
    {.id = Fram1,
     .kind = K::Frame,
     .container = C::FrmMain,
     .rect = {30, 1200, 8265, 4125},
     .tabIndex = 3},

    {.id = Label3,
     .kind = K::Label,
     .container = C::Picture1,
     .caption = u"版本:",
     .rect = {2970, 780, 450, 180},
     .tabIndex = 39,
     .textColor = kRed,
     .transparent = true,
     .sizedToText = true},
    {.id = LblVer,
     .kind = K::Label,
     .container = C::Picture1,
     .caption = u"LblVer",
     .rect = {3450, 780, 540, 180},
     .tabIndex = 38,
     .textColor = kRed,
     .transparent = true,
     .sizedToText = true},
    {.id = Image1, .kind = K::Image, .container = C::Picture1, .rect = {6120, 0, 1800, 1125}},
    {.id = LblTitle,
     .kind = K::Label,
     .container = C::Picture1,
     .caption = kWindowCaption,
     .rect = {540, 360, 3675, 285},
     .tabIndex = 25,
     .textColor = kBlack,
     .sizedToText = true,
     .titleFont = true},

    Select(ChkTemp, u"TEMP位置", {210, 120, 1215, 435}, 33),
    Location(LblTemp, {1500, 240, 6555, 255}, 37),
    MoveTo(Label1, {870, 570, 540, 180}, 36),
    Destination(TxtTemp, {1500, 510, 6255, 255}, 34),
    Browse(CmdTemp, {7770, 510, 315, 255}, 35),

    Select(ChkCook, u"Cookie位置", {180, 750, 1215, 435}, 15),
    Location(LblCook, {1500, 870, 6555, 255}, 22),
    MoveTo(Label2, {840, 1200, 540, 180}, 23),
    Destination(TxtCook, {1500, 1140, 6255, 255}, 14),
    Browse(CmdCook, {7740, 1140, 315, 255}, 13),

    Select(ChkHistory, u"历史文件夹", {180, 1530, 1275, 315}, 4),
    Location(LblHistory, {1500, 1530, 6555, 255}, 16),
    MoveTo(Label4, {840, 1830, 540, 180}, 17),
    Destination(TxtHistory, {1500, 1800, 6255, 255}, 6),
    Browse(CmdHistory, {7740, 1770, 315, 255}, 5),

    Select(ChkCache, u"IE缓存", {180, 2190, 1215, 315}, 11),
    Location(LblCache, {1500, 2190, 6555, 255}, 19),
    MoveTo(Label8, {840, 2490, 540, 180}, 18),
    Destination(TxtCache, {1500, 2460, 6255, 255}, 7),
    Browse(CmdCache, {7740, 2430, 315, 255}, 8),

    Select(ChkFav, u"IE收藏夹", {180, 2760, 1125, 315}, 12),
    Location(LblFav, {1500, 2820, 6555, 255}, 21),
    MoveTo(Label5, {840, 3150, 540, 180}, 20),
    Destination(TxtFav, {1500, 3090, 6255, 255}, 9),
    Browse(CmdFav, {7740, 3090, 315, 255}, 10),

    Select(ChkDoc, u"我的文档", {180, 3420, 1275, 315}, 26),
    Location(LblDoc, {1500, 3450, 6555, 255}, 29),
    MoveTo(Label10, {840, 3810, 540, 180}, 30),
    Destination(TxtDoc, {1500, 3750, 6255, 255}, 28),
    Browse(CmdDoc, {7740, 3750, 315, 255}, 27),
}};

const ControlLayout& LayoutOf(ControlId id) {
    return kLayout[static_cast<std::size_t>(id)];
}

}  // namespace tarnwick
