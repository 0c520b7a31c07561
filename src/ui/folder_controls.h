// Each managed folder's four controls in the window, in the folder table's order.
#pragma once

#include "core/managed_folders.h"
#include "ui/control_id.h"

namespace tarnwick {

struct FolderControls {
    ControlId selectBox;
    ControlId locationLabel;
    ControlId destinationBox;
    ControlId browseButton;
};

const FolderControls& ControlsOf(const ManagedFolder& folder);

}  // namespace tarnwick
