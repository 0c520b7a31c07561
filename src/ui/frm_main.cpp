#include "ui/frm_main.h"

#include <type_traits>
#include <variant>

#include "core/managed_folders.h"
#include "core/text.h"

namespace tarnwick {

bool FrmMain::Form_Initialize(SingleInstance& instance) {
    return !instance.AnotherInstanceRunning();
}

void FrmMain::Form_Load() {
    for (const ManagedFolder& folder : kManagedFolders) {
        controls_.SetText(folder.locationLabel,
                          ToUpperCase(CurrentLocation(folder.readKey, folder.readValueName)));
    }
    controls_.SetText(ControlId::SBar1, kCredits);
    for (const ManagedFolder& folder : kManagedFolders) {
        controls_.SetText(folder.destinationBox, folder.defaultDestination);
    }
}

// The path only: a value written by an earlier run comes back with NULs after it, and a value
// that cannot be read or converted names no folder, which must not keep the window from opening.
std::u16string FrmMain::CurrentLocation(std::u16string_view key, std::u16string_view valueName) {
    RegistryValue value;
    try {
        value = modReg_.GetKeyValue(kHkeyCurrentUser, key, valueName);
    } catch (const RegistryError&) {
        return {};
    }
    return std::visit(
        [](const auto& v) -> std::u16string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::u16string>) {
                return std::u16string(UpToFirstNul(v));
            } else if constexpr (std::is_same_v<T, std::int32_t>) {
                return DecimalText(v);
            } else {
                return {};
            }
        },
        value);
}

}  // namespace tarnwick
