// Everything of the platform that a run of the move button or an undo uses.
#pragma once

#include "platform/code_page.h"
#include "platform/environment_api.h"
#include "platform/file_system_api.h"
#include "platform/journal_store_api.h"
#include "platform/known_folders_api.h"
#include "platform/mod_reg.h"
#include "platform/mod_reg_shell.h"
#include "platform/process_api.h"

namespace tarnwick {

struct RedirectServices {
    ModReg& registry;
    ModRegShell& shell;
    FileSystemApi& files;
    const CodePage& codePage;
    ProcessApi& processes;
    KnownFoldersApi& knownFolders;
    EnvironmentApi& environment;
    JournalStoreApi& journal;
};

// Paths whose ANSI form has this many bytes or more do not fit Windows' MAX_PATH buffers.
inline constexpr std::size_t kMaxPathBytes = 260;

}  // namespace tarnwick
