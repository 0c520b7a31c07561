// The controls' names, for test messages.
#pragma once

#include <array>
#include <string_view>

#include "ui/control_id.h"

namespace tarnwick {

inline std::string_view ControlName(ControlId id) {
    constexpr std::array<std::string_view, kControlCount> kNames = {
        "ChkCopy",    "ChkAll",     "Picture1", "SBar1",      "ChkDelTmp",  "CmdOK",    "Fram1",
        "Label3",     "LblVer",     "Image1",   "LblTitle",   "ChkTemp",    "LblTemp",  "Label1",
        "TxtTemp",    "CmdTemp",    "ChkCook",  "LblCook",    "Label2",     "TxtCook",  "CmdCook",
        "ChkHistory", "LblHistory", "Label4",   "TxtHistory", "CmdHistory", "ChkCache", "LblCache",
        "Label8",     "TxtCache",   "CmdCache", "ChkFav",     "LblFav",     "Label5",   "TxtFav",
        "CmdFav",     "ChkDoc",     "LblDoc",   "Label10",    "TxtDoc",     "CmdDoc",
    };
    return kNames.at(static_cast<std::size_t>(id));
}

}  // namespace tarnwick
