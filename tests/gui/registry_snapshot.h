// Puts back, byte for byte, every registry value the move button may write, so that a test that
// moves folders for real leaves the scratch prefix as it found it.
#pragma once

#include <utility>
#include <vector>

#include "core/managed_folders.h"
#include "platform/mod_reg.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/win32_registry.h"

namespace tarnwick::testing {

class RegistrySnapshot {
  public:
    RegistrySnapshot() {
        for (const ManagedFolder& folder : kManagedFolders) {
            for (const RegistryTarget& target : folder.writeTargets) {
                if (auto value =
                        modReg_.SaveValue(kHkeyCurrentUser, target.key, target.valueName)) {
                    saved_.push_back({target, std::move(*value)});
                }
            }
        }
    }
    ~RegistrySnapshot() {
        for (const auto& [target, value] : saved_) {
            modReg_.RestoreValue(kHkeyCurrentUser, target.key, target.valueName, value);
        }
    }
    RegistrySnapshot(const RegistrySnapshot&) = delete;
    RegistrySnapshot& operator=(const RegistrySnapshot&) = delete;

  private:
    win32::AnsiCodePage codePage_;
    win32::Win32Registry registry_;
    ModReg modReg_{registry_, codePage_};
    std::vector<std::pair<RegistryTarget, SavedValue>> saved_;
};

}  // namespace tarnwick::testing
