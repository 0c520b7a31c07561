// The names of the main window's 41 controls, shared by the folder table, the layout and the logic.
#pragma once

#include <cstddef>

namespace tarnwick {

// In the window's creation order: the window's own controls, the banner's, then the frame's rows.
enum class ControlId {
    ChkCopy,
    ChkAll,
    Picture1,
    SBar1,
    ChkDelTmp,
    CmdOK,
    Fram1,
    Label3,
    LblVer,
    Image1,
    LblTitle,
    ChkTemp,
    LblTemp,
    Label1,
    TxtTemp,
    CmdTemp,
    ChkCook,
    LblCook,
    Label2,
    TxtCook,
    CmdCook,
    ChkHistory,
    LblHistory,
    Label4,
    TxtHistory,
    CmdHistory,
    ChkCache,
    LblCache,
    Label8,
    TxtCache,
    CmdCache,
    ChkFav,
    LblFav,
    Label5,
    TxtFav,
    CmdFav,
    ChkDoc,
    LblDoc,
    Label10,
    TxtDoc,
    CmdDoc,
};

inline constexpr std::size_t kControlCount = static_cast<std::size_t>(ControlId::CmdDoc) + 1;

}  // namespace tarnwick
