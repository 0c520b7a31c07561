#include "core/run_request.h"

#include <variant>

#include "core/path.h"
#include "core/text.h"
#include "platform/numbers.h"

namespace tarnwick {

std::u16string ReadLocation(ModReg& registry, const ManagedFolder& folder) {
    try {
        const RegistryValue value =
            registry.GetKeyValue(kHkeyCurrentUser, folder.readKey, folder.readValueName);
        if (const auto* text = std::get_if<std::u16string>(&value)) {
            return std::u16string(UpToFirstNul(*text));
        }
        if (const auto* number = std::get_if<std::int32_t>(&value)) {
            return DecimalText(*number);
        }
    } catch (const RegistryError&) {
    }
    return {};
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
