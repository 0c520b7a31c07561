#include "fakes/memory_registry.h"

#include <algorithm>
#include <cstring>

namespace tarnwick::fake {

namespace {

constexpr std::int32_t kErrorBadPathname = 161;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::optional<std::string> RootName(RegKey root) {
    if (root == kHkeyCurrentUser) {
        return "hkcu";
    }
    if (root == kHkeyLocalMachine) {
        return "hklm";
    }
    return std::nullopt;
}

// The full lower-case paths of every level of subKey below base, outermost first.
std::vector<std::string> Levels(const std::string& base, const std::string& subKey) {
    std::vector<std::string> levels{base};
    std::string path = base;
    std::size_t start = 0;
    while (start <= subKey.size()) {
        const std::size_t end = std::min(subKey.find('\\', start), subKey.size());
        if (end > start) {
            path += '\\' + Lower(subKey.substr(start, end - start));
            levels.push_back(path);
        }
        start = end + 1;
    }
    return levels;
}

bool IsString(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

}  // namespace

ByteArray MemoryRegistry::FromAnsiView(std::uint32_t type, const ByteArray& data) const {
    if (!IsString(type)) {
        return data;
    }
    ByteArray stored;
    for (const char16_t c : codePage_.FromAnsi(
             std::string_view(reinterpret_cast<const char*>(data.data()), data.size()))) {
        stored.push_back(static_cast<std::uint8_t>(c));
        stored.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return stored;
}

ByteArray MemoryRegistry::AnsiView(std::uint32_t type, const ByteArray& stored) const {
    if (!IsString(type)) {
        return stored;
    }
    std::u16string text;
    for (std::size_t i = 0; i + 1 < stored.size(); i += 2) {
        text += static_cast<char16_t>(stored[i] | stored[i + 1] << 8);
    }
    const std::string ansi = codePage_.ToAnsi(text);
    return ByteArray(ansi.begin(), ansi.end());
}

void MemoryRegistry::PutValue(RegKey root, const std::string& keyPath, const std::string& valueName,
                              std::uint32_t type, const ByteArray& data) {
    PutStoredValue(root, keyPath, valueName, type, FromAnsiView(type, data));
}

std::optional<StoredValue> MemoryRegistry::FindValue(RegKey root, const std::string& keyPath,
                                                     const std::string& valueName) const {
    auto value = FindStoredValue(root, keyPath, valueName);
    if (value) {
        value->data = AnsiView(value->type, value->data);
    }
    return value;
}

void MemoryRegistry::PutStoredValue(RegKey root, const std::string& keyPath,
                                    const std::string& valueName, std::uint32_t type,
                                    ByteArray data) {
    CreateKeyPath(root, keyPath);
    const std::string path = Levels(*RootName(root), keyPath).back();
    keys_[path][Lower(valueName)] = {valueName, StoredValue{type, std::move(data)}};
}

std::optional<StoredValue> MemoryRegistry::FindStoredValue(RegKey root, const std::string& keyPath,
                                                           const std::string& valueName) const {
    const auto key = keys_.find(Levels(*RootName(root), keyPath).back());
    if (key == keys_.end()) {
        return std::nullopt;
    }
    const auto value = key->second.find(Lower(valueName));
    if (value == key->second.end()) {
        return std::nullopt;
    }
    return value->second.second;
}

void MemoryRegistry::CreateKeyPath(RegKey root, const std::string& keyPath) {
    for (const std::string& level : Levels(*RootName(root), keyPath)) {
        keys_[level];
    }
}

bool MemoryRegistry::HasKey(RegKey root, const std::string& keyPath) const {
    return keys_.contains(Levels(*RootName(root), keyPath).back());
}

void MemoryRegistry::SetEnvironmentVariable(const std::string& name, const std::string& value) {
    environment_[Lower(name)] = value;
}

void MemoryRegistry::InjectFailure(RegistryOperation operation, std::int32_t status,
                                   FailureFilter filter) {
    failures_.push_back({operation, status, std::move(filter)});
}

std::optional<std::int32_t> MemoryRegistry::InjectedStatus(RegistryOperation operation,
                                                           const std::string& keyPath,
                                                           const std::string& valueName) const {
    for (const Failure& failure : failures_) {
        if (failure.operation == operation &&
            (!failure.filter || failure.filter(keyPath, valueName))) {
            return failure.status;
        }
    }
    return std::nullopt;
}

std::optional<std::string> MemoryRegistry::KeyPathOf(RegKey key) const {
    if (const auto root = RootName(key)) {
        return root;
    }
    const auto handle = handles_.find(key);
    if (handle == handles_.end()) {
        return std::nullopt;
    }
    return handle->second;
}

std::int32_t MemoryRegistry::CreateKey(RegKey root, const std::string& subKey, std::uint32_t,
                                       const char*, std::uint32_t, std::uint32_t,
                                       const SecurityAttributes*, RegKey* key,
                                       std::uint32_t* disposition) {
    const auto base = KeyPathOf(root);
    if (!base) {
        return kErrorInvalidHandle;
    }
    if (!subKey.empty() && subKey.front() == '\\') {
        return kErrorBadPathname;
    }
    const std::vector<std::string> levels = Levels(*base, subKey);
    if (const auto status = InjectedStatus(RegistryOperation::CreateKey, levels.back(), "")) {
        return *status;
    }
    const bool existed = keys_.contains(levels.back());
    for (const std::string& level : levels) {
        keys_[level];
    }
    *key = nextHandle_++;
    handles_[*key] = levels.back();
    if (disposition) {
        *disposition = existed ? 2 : 1;  // REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY
    }
    return kErrorSuccess;
}

std::int32_t MemoryRegistry::SetValue(RegKey key, const std::string& valueName, std::uint32_t,
                                      std::uint32_t type, const std::uint8_t* data,
                                      std::uint32_t size) {
    return Set(key, valueName, type, FromAnsiView(type, ByteArray(data, data + size)));
}

std::int32_t MemoryRegistry::SetValueWide(RegKey key, const std::u16string& valueName,
                                          std::uint32_t, std::uint32_t type,
                                          const std::uint8_t* data, std::uint32_t size) {
    return Set(key, codePage_.ToAnsi(valueName), type, ByteArray(data, data + size));
}

std::int32_t MemoryRegistry::Set(RegKey key, const std::string& valueName, std::uint32_t type,
                                 ByteArray data) {
    const auto path = KeyPathOf(key);
    if (!path) {
        return kErrorInvalidHandle;
    }
    if (const auto status = InjectedStatus(RegistryOperation::SetValue, *path, valueName)) {
        return *status;
    }
    keys_[*path][Lower(valueName)] = {valueName, StoredValue{type, std::move(data)}};
    return kErrorSuccess;
}

std::int32_t MemoryRegistry::OpenKey(RegKey root, const std::string& subKey, std::uint32_t,
                                     std::uint32_t, RegKey* key) {
    const auto base = KeyPathOf(root);
    if (!base) {
        return kErrorInvalidHandle;
    }
    const std::string path = Levels(*base, subKey).back();
    if (const auto status = InjectedStatus(RegistryOperation::OpenKey, path, "")) {
        return *status;
    }
    if (!keys_.contains(path)) {
        return kErrorFileNotFound;
    }
    *key = nextHandle_++;
    handles_[*key] = path;
    return kErrorSuccess;
}

std::int32_t MemoryRegistry::QueryValue(RegKey key, const std::string& valueName, std::uint32_t*,
                                        std::uint32_t* type, std::uint8_t* data,
                                        std::uint32_t* size) {
    return Query(key, valueName, false, type, data, size);
}

std::int32_t MemoryRegistry::QueryValueWide(RegKey key, const std::u16string& valueName,
                                            std::uint32_t*, std::uint32_t* type, std::uint8_t* data,
                                            std::uint32_t* size) {
    return Query(key, codePage_.ToAnsi(valueName), true, type, data, size);
}

std::int32_t MemoryRegistry::Query(RegKey key, const std::string& valueName, bool wide,
                                   std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) {
    if (beforeQuery_) {
        beforeQuery_(++queries_);
    }
    const auto path = KeyPathOf(key);
    if (!path) {
        return kErrorInvalidHandle;
    }
    if (const auto status = InjectedStatus(RegistryOperation::QueryValue, *path, valueName)) {
        return *status;
    }
    const auto& values = keys_[*path];
    const auto found = values.find(Lower(valueName));
    if (found == values.end()) {
        return kErrorFileNotFound;
    }
    const StoredValue& value = found->second.second;
    const ByteArray bytes = wide ? value.data : AnsiView(value.type, value.data);
    const auto needed = static_cast<std::uint32_t>(bytes.size());
    if (data && size && *size < needed) {
        *size = needed;
        if (type) {
            *type = value.type;
        }
        return kErrorMoreData;
    }
    if (data && !bytes.empty()) {
        std::memcpy(data, bytes.data(), needed);
    }
    if (size) {
        *size = needed;
    }
    if (type) {
        *type = value.type;
    }
    return kErrorSuccess;
}

std::int32_t MemoryRegistry::DeleteValue(RegKey key, const std::string& valueName) {
    const auto path = KeyPathOf(key);
    if (!path) {
        return kErrorInvalidHandle;
    }
    if (const auto status = InjectedStatus(RegistryOperation::DeleteValue, *path, valueName)) {
        return *status;
    }
    return keys_[*path].erase(Lower(valueName)) == 1 ? kErrorSuccess : kErrorFileNotFound;
}

std::int32_t MemoryRegistry::CloseKey(RegKey key) {
    return handles_.erase(key) == 1 || RootName(key) ? kErrorSuccess : kErrorInvalidHandle;
}

std::string MemoryRegistry::Expand(const std::string& source) const {
    std::string out;
    std::size_t i = 0;
    while (i < source.size()) {
        const std::size_t open = source.find('%', i);
        const std::size_t close = open == std::string::npos ? open : source.find('%', open + 1);
        if (close == std::string::npos) {
            out += source.substr(i);
            break;
        }
        out += source.substr(i, open - i);
        const auto variable = environment_.find(Lower(source.substr(open + 1, close - open - 1)));
        if (variable == environment_.end()) {
            // Left as written; the closing % may open the next reference.
            out += source.substr(open, close - open);
            i = close;
        } else {
            out += variable->second;
            i = close + 1;
        }
    }
    return out;
}

std::uint32_t MemoryRegistry::ExpandEnvironment(const std::string& source, char* destination,
                                                std::uint32_t size) {
    if (const auto status = InjectedStatus(RegistryOperation::ExpandEnvironment, "", source)) {
        lastError_ = static_cast<std::uint32_t>(*status);
        return 0;
    }
    // The source goes in as a zero-terminated string.
    const std::string expanded = Expand(source.substr(0, source.find('\0')));
    std::uint32_t characters = 0;
    for (std::size_t i = 0; i < expanded.size(); ++i, ++characters) {
        // A lead byte of code page 936 starts a two-byte character.
        i += countCharacters_ && static_cast<unsigned char>(expanded[i]) >= 0x81 ? 1 : 0;
    }
    const auto needed =
        (countCharacters_ ? characters : static_cast<std::uint32_t>(expanded.size())) + 1;
    if (destination && size >= needed) {
        const std::size_t copied = std::min<std::size_t>(expanded.size(), size - 1);
        std::memcpy(destination, expanded.data(), copied);
        destination[copied] = '\0';
    }
    return needed;
}

}  // namespace tarnwick::fake
