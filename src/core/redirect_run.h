// What the move button does: empties or removes the old temporary folders, and moves every
// selected folder by rewriting its registry values, copying contents where asked.
#pragma once

#include <string>
#include <vector>

#include "core/check_target.h"
#include "core/controls.h"
#include "platform/mod_reg.h"
#include "platform/mod_reg_shell.h"
#include "platform/process_api.h"

namespace tarnwick {

// A folder that a deletion must never reach, such as the user's profile.
struct ProtectedFolder {
    std::u16string name;  // as the user knows it, for the message that names it
    std::u16string path;
};

struct RedirectServices {
    ModReg& registry;
    ModRegShell& shell;
    CheckTargetServices check;
    ProcessApi& processes;
    std::vector<ProtectedFolder> protectedFolders;
};

inline constexpr std::u16string_view kKeptTitle = u"保留临时文件夹";
inline constexpr std::u16string_view kWriteFailedTitle = u"转移失败";

// Raises ProcessStartError when the command interpreter cannot be started.
void RedirectRun(Controls& controls, const RedirectServices& services);

}  // namespace tarnwick
