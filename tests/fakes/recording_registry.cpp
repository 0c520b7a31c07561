#include "fakes/recording_registry.h"

#include <algorithm>

namespace tarnwick::fake {

std::size_t RecordingRegistry::Count(RegistryOperation operation) const {
    return static_cast<std::size_t>(std::count_if(
        calls_.begin(), calls_.end(),
        [operation](const RegistryCall& call) { return call.operation == operation; }));
}

std::int32_t RecordingRegistry::CreateKey(RegKey root, const std::string& subKey,
                                          std::uint32_t reserved, const char* keyClass,
                                          std::uint32_t options, std::uint32_t access,
                                          const SecurityAttributes* security, RegKey* key,
                                          std::uint32_t* disposition) {
    const std::int32_t result = inner_.CreateKey(root, subKey, reserved, keyClass, options, access,
                                                 security, key, disposition);
    if (result == kErrorSuccess) {
        open_.insert(*key);
    }
    calls_.push_back({.operation = RegistryOperation::CreateKey,
                      .key = root,
                      .subKey = subKey,
                      .reserved = reserved,
                      .classGiven = keyClass != nullptr,
                      .options = options,
                      .access = access,
                      .securityGiven = security != nullptr,
                      .inheritHandle = security && security->inheritHandle,
                      .result = result});
    return result;
}

std::int32_t RecordingRegistry::SetValue(RegKey key, const std::string& valueName,
                                         std::uint32_t reserved, std::uint32_t type,
                                         const std::uint8_t* data, std::uint32_t size) {
    const std::int32_t result = inner_.SetValue(key, valueName, reserved, type, data, size);
    calls_.push_back({.operation = RegistryOperation::SetValue,
                      .key = key,
                      .valueName = valueName,
                      .reserved = reserved,
                      .type = type,
                      .data = ByteArray(data, data + size),
                      .size = size,
                      .result = result});
    return result;
}

std::int32_t RecordingRegistry::OpenKey(RegKey root, const std::string& subKey,
                                        std::uint32_t options, std::uint32_t access, RegKey* key) {
    const std::int32_t result = inner_.OpenKey(root, subKey, options, access, key);
    if (result == kErrorSuccess) {
        open_.insert(*key);
    }
    calls_.push_back({.operation = RegistryOperation::OpenKey,
                      .key = root,
                      .subKey = subKey,
                      .options = options,
                      .access = access,
                      .result = result});
    return result;
}

std::int32_t RecordingRegistry::QueryValue(RegKey key, const std::string& valueName,
                                           std::uint32_t* reserved, std::uint32_t* type,
                                           std::uint8_t* data, std::uint32_t* size) {
    RegistryCall call{.operation = RegistryOperation::QueryValue,
                      .key = key,
                      .valueName = valueName,
                      .reservedPointerGiven = reserved != nullptr,
                      .type = type ? *type : 0,
                      .size = size ? *size : 0};
    call.result = inner_.QueryValue(key, valueName, reserved, type, data, size);
    calls_.push_back(std::move(call));
    return static_cast<std::int32_t>(calls_.back().result);
}

std::int32_t RecordingRegistry::QueryValueWide(RegKey key, const std::u16string& valueName,
                                               std::uint32_t* reserved, std::uint32_t* type,
                                               std::uint8_t* data, std::uint32_t* size) {
    RegistryCall call{.operation = RegistryOperation::QueryValue,
                      .key = key,
                      .wide = true,
                      .wideValueName = valueName,
                      .reservedPointerGiven = reserved != nullptr,
                      .type = type ? *type : 0,
                      .size = size ? *size : 0};
    call.result = inner_.QueryValueWide(key, valueName, reserved, type, data, size);
    calls_.push_back(std::move(call));
    return static_cast<std::int32_t>(calls_.back().result);
}

std::int32_t RecordingRegistry::SetValueWide(RegKey key, const std::u16string& valueName,
                                             std::uint32_t reserved, std::uint32_t type,
                                             const std::uint8_t* data, std::uint32_t size) {
    const std::int32_t result = inner_.SetValueWide(key, valueName, reserved, type, data, size);
    calls_.push_back({.operation = RegistryOperation::SetValue,
                      .key = key,
                      .wide = true,
                      .wideValueName = valueName,
                      .reserved = reserved,
                      .type = type,
                      .data = ByteArray(data, data + size),
                      .size = size,
                      .result = result});
    return result;
}

std::int32_t RecordingRegistry::DeleteValue(RegKey key, const std::string& valueName) {
    const std::int32_t result = inner_.DeleteValue(key, valueName);
    calls_.push_back({.operation = RegistryOperation::DeleteValue,
                      .key = key,
                      .valueName = valueName,
                      .result = result});
    return result;
}

std::int32_t RecordingRegistry::CloseKey(RegKey key) {
    if (const auto handle = open_.find(key); handle != open_.end()) {
        open_.erase(handle);
    }
    const std::int32_t result = inner_.CloseKey(key);
    calls_.push_back({.operation = RegistryOperation::CloseKey, .key = key, .result = result});
    return result;
}

std::uint32_t RecordingRegistry::ExpandEnvironment(const std::string& source, char* destination,
                                                   std::uint32_t size) {
    const std::uint32_t result = inner_.ExpandEnvironment(source, destination, size);
    calls_.push_back({.operation = RegistryOperation::ExpandEnvironment,
                      .valueName = source,
                      .size = size,
                      .result = result});
    return result;
}

}  // namespace tarnwick::fake
