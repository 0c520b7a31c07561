// What a run is asked to do: read from the window when the move button is pressed, or from the
// command line's arguments.
#pragma once

#include <string>
#include <vector>

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

// Where a folder is now, given where the window shows it: the registry's spelling where it names
// the same folder, since the label shows it upper-cased; otherwise what is shown, which holds
// the location a run set or the one start-up read.
std::u16string CurrentLocation(ModReg& registry, const ManagedFolder& folder,
                               std::u16string_view shown);

}  // namespace tarnwick
