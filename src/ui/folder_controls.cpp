#include "ui/folder_controls.h"

#include <array>

namespace tarnwick {

namespace {

constexpr std::array<FolderControls, kManagedFolderCount> kFolderControls = {{
    {ControlId::ChkTemp, ControlId::LblTemp, ControlId::TxtTemp, ControlId::CmdTemp},
    {ControlId::ChkCook, ControlId::LblCook, ControlId::TxtCook, ControlId::CmdCook},
    {ControlId::ChkHistory, ControlId::LblHistory, ControlId::TxtHistory, ControlId::CmdHistory},
    {ControlId::ChkCache, ControlId::LblCache, ControlId::TxtCache, ControlId::CmdCache},
    {ControlId::ChkFav, ControlId::LblFav, ControlId::TxtFav, ControlId::CmdFav},
    {ControlId::ChkDoc, ControlId::LblDoc, ControlId::TxtDoc, ControlId::CmdDoc},
}};

}  // namespace

const FolderControls& ControlsOf(const ManagedFolder& folder) {
    return kFolderControls[static_cast<std::size_t>(&folder - kManagedFolders.data())];
}

}  // namespace tarnwick
