// An in-memory registry with the contract of the real one, for running ModReg without Windows.
// Strings are kept as Windows keeps them, in UTF-16; the "A" functions see them through the code
// page, as on Windows.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/registry_api.h"
#include "platform/registry_value.h"

namespace tarnwick::fake {

enum class RegistryOperation {
    CreateKey,
    SetValue,
    OpenKey,
    QueryValue,
    DeleteValue,
    CloseKey,
    ExpandEnvironment
};

struct StoredValue {
    std::uint32_t type = kRegNone;
    ByteArray data;
    bool operator==(const StoredValue&) const = default;
};

class MemoryRegistry : public RegistryApi {
  public:
    // Decides whether an injected failure applies to one call: the key's full path and the value
    // name (empty for key operations).
    using FailureFilter =
        std::function<bool(const std::string& keyPath, const std::string& valueName)>;

    explicit MemoryRegistry(const CodePage& codePage) : codePage_(codePage) {}

    // Set-up and inspection, by path below a predefined root; names are case-insensitive.
    // PutValue and FindValue see a value as the "A" functions do, strings in the ANSI code page;
    // PutStoredValue and FindStoredValue as it is stored, strings in UTF-16 LE.
    void PutValue(RegKey root, const std::string& keyPath, const std::string& valueName,
                  std::uint32_t type, const ByteArray& data);
    std::optional<StoredValue> FindValue(RegKey root, const std::string& keyPath,
                                         const std::string& valueName) const;
    void PutStoredValue(RegKey root, const std::string& keyPath, const std::string& valueName,
                        std::uint32_t type, ByteArray data);
    std::optional<StoredValue> FindStoredValue(RegKey root, const std::string& keyPath,
                                               const std::string& valueName) const;
    void CreateKeyPath(RegKey root, const std::string& keyPath);
    bool HasKey(RegKey root, const std::string& keyPath) const;
    void SetEnvironmentVariable(const std::string& name, const std::string& value);

    // From now on the operation answers status when filter accepts; ExpandEnvironment answers 0
    // and leaves status for LastError.
    void InjectFailure(RegistryOperation operation, std::int32_t status, FailureFilter filter = {});
    // As Wine's ExpandEnvironmentStringsA does: the size needed counts the characters of code
    // page 936, not its bytes, and a destination of that size gets the expansion cut short.
    void CountExpansionInCharacters() { countCharacters_ = true; }
    // Runs before every query with its 1-based number, so a test can change a value in between.
    void BeforeQuery(std::function<void(int queryNumber)> hook) { beforeQuery_ = std::move(hook); }

    std::size_t OpenHandleCount() const { return handles_.size(); }

    std::int32_t CreateKey(RegKey root, const std::string& subKey, std::uint32_t reserved,
                           const char* keyClass, std::uint32_t options, std::uint32_t access,
                           const SecurityAttributes* security, RegKey* key,
                           std::uint32_t* disposition) override;
    std::int32_t SetValue(RegKey key, const std::string& valueName, std::uint32_t reserved,
                          std::uint32_t type, const std::uint8_t* data,
                          std::uint32_t size) override;
    std::int32_t OpenKey(RegKey root, const std::string& subKey, std::uint32_t options,
                         std::uint32_t access, RegKey* key) override;
    std::int32_t QueryValue(RegKey key, const std::string& valueName, std::uint32_t* reserved,
                            std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) override;
    std::int32_t QueryValueWide(RegKey key, const std::u16string& valueName,
                                std::uint32_t* reserved, std::uint32_t* type, std::uint8_t* data,
                                std::uint32_t* size) override;
    std::int32_t SetValueWide(RegKey key, const std::u16string& valueName, std::uint32_t reserved,
                              std::uint32_t type, const std::uint8_t* data,
                              std::uint32_t size) override;
    std::int32_t DeleteValue(RegKey key, const std::string& valueName) override;
    std::int32_t CloseKey(RegKey key) override;
    std::uint32_t ExpandEnvironment(const std::string& source, char* destination,
                                    std::uint32_t size) override;
    std::uint32_t LastError() override { return lastError_; }

  private:
    struct Failure {
        RegistryOperation operation;
        std::int32_t status;
        FailureFilter filter;
    };
    using Values =
        std::map<std::string, std::pair<std::string, StoredValue>>;  // by lower-case name

    std::optional<std::int32_t> InjectedStatus(RegistryOperation operation,
                                               const std::string& keyPath,
                                               const std::string& valueName) const;
    std::optional<std::string> KeyPathOf(RegKey key) const;
    std::string Expand(const std::string& source) const;
    // The bytes stored for bytes given to RegSetValueExA, and the bytes it reads back.
    ByteArray FromAnsiView(std::uint32_t type, const ByteArray& data) const;
    ByteArray AnsiView(std::uint32_t type, const ByteArray& stored) const;
    std::int32_t Query(RegKey key, const std::string& valueName, bool wide, std::uint32_t* type,
                       std::uint8_t* data, std::uint32_t* size);
    std::int32_t Set(RegKey key, const std::string& valueName, std::uint32_t type, ByteArray data);

    const CodePage& codePage_;

    std::map<std::string, Values> keys_;              // by lower-case full path, roots included
    std::map<RegKey, std::string> handles_;           // open handles and the keys they name
    std::map<std::string, std::string> environment_;  // by lower-case name
    std::vector<Failure> failures_;
    std::function<void(int)> beforeQuery_;
    bool countCharacters_ = false;
    std::uint32_t lastError_ = 0;
    RegKey nextHandle_ = 0x1000;
    int queries_ = 0;
};

}  // namespace tarnwick::fake
