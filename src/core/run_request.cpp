#include "core/run_request.h"

#include <type_traits>
#include <variant>

#include "core/path.h"
#include "core/text.h"
#include "platform/numbers.h"

namespace tarnwick {

std::u16string ReadLocation(ModReg& registry, const ManagedFolder& folder) {
    RegistryValue value;
    try {
        value = registry.GetKeyValue(kHkeyCurrentUser, folder.readKey, folder.readValueName);
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

RunRequest ReadRequest(const Controls& controls, ModReg& registry) {
    RunRequest request{.deleteTemporary = controls.Value(ControlId::ChkDelTmp) == kChecked,
                       .copyContents = controls.Value(ControlId::ChkCopy) == kChecked};
    for (const ManagedFolder& folder : kManagedFolders) {
        const std::u16string label(UpToFirstNul(controls.Text(folder.locationLabel)));
        std::u16string read = ReadLocation(registry, folder);
        request.folders.push_back({
            .folder = &folder,
            .location = !read.empty() && SamePath(read, label) ? std::move(read) : label,
            .destination = controls.Text(folder.destinationBox),
            .selected = controls.Value(folder.selectBox) == kChecked,
        });
    }
    return request;
}

}  // namespace tarnwick
