// ModReg's shell half: the folder picker and the shell copy, written once against ShellApi.
#pragma once

#include <string>
#include <string_view>

#include "platform/code_page.h"
#include "platform/shell_api.h"

namespace tarnwick {

// What the shell said of a copy. Wine answers 0 also for a copy that skipped locked files, so
// callers verify the result on disk as well.
struct ShellCopyResult {
    int result = 0;
    bool aborted = false;
    bool Succeeded() const { return result == 0 && !aborted; }
};

class ModRegShell {
  public:
    ModRegShell(ShellApi& shell, const CodePage& codePage) : shell_(shell), codePage_(codePage) {}

    // Lets the user pick a file-system folder. Cancelling, a folder without a file-system path
    // and any failure inside all give an empty text; nothing is raised or shown.
    std::u16string BrowseForFolderPath(WindowHandle owner, std::u16string_view title);

    // Copies source (a path, wildcards allowed) into the folder destination without asking the
    // user anything, with the shell's own progress and error windows.
    ShellCopyResult ShellCopyFiles(std::u16string_view source, std::u16string_view destination);

  private:
    ShellApi& shell_;
    const CodePage& codePage_;
};

}  // namespace tarnwick
