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

std::u16string CurrentLocation(ModReg& registry, const ManagedFolder& folder,
                               std::u16string_view shown) {
    const std::u16string_view label = UpToFirstNul(shown);
    std::u16string read = ReadLocation(registry, folder);
    return !read.empty() && SamePath(read, label) ? std::move(read) : std::u16string(label);
}

}  // namespace tarnwick
