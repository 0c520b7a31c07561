// What the window asks of a run, read once when the move button is pressed.
#pragma once

#include <string>
#include <vector>

#include "core/controls.h"
#include "core/managed_folders.h"
#include "platform/mod_reg.h"

namespace tarnwick {

struct FolderRequest {
    const ManagedFolder* folder = nullptr;
    // Where the folder is now, spelled as the registry has it: the label shows it upper-cased,
    // but folders that commands re-create or copies read must keep their own case.
    std::u16string location;
    std::u16string destination;  // as typed
    bool selected = false;
};

struct RunRequest {
    std::vector<FolderRequest> folders;  // all six, in table order
    bool deleteTemporary = false;
    bool copyContents = false;
};

// A folder's current location as start-up reads it: the value's text up to its first NUL, a
// number as its decimal text; empty when the value is missing or cannot be read or converted.
std::u16string ReadLocation(ModReg& registry, const ManagedFolder& folder);

// The registry's spelling is taken where it names the folder that the label shows; otherwise
// the label, which holds the location a run set or the one start-up read.
RunRequest ReadRequest(const Controls& controls, ModReg& registry);

}  // namespace tarnwick
