// Records every registry call on its way to another registry (the in-memory one or the real one),
// so tests can check the exact arguments, count queries and find keys left open.
#pragma once

#include <cstddef>
#include <set>
#include <vector>

#include "fakes/memory_registry.h"

namespace tarnwick::fake {

struct RegistryCall {
    RegistryOperation operation;
    RegKey key = 0;  // the root for CreateKey/OpenKey
    std::string subKey;
    std::string valueName;  // for ExpandEnvironment: the source
    bool wide = false;      // QueryValue or SetValue through the "W" function, with this name:
    std::u16string wideValueName;
    std::uint32_t reserved = 0;
    bool classGiven = false;
    std::uint32_t options = 0;
    std::uint32_t access = 0;
    bool securityGiven = false;
    bool inheritHandle = false;
    bool reservedPointerGiven = false;
    std::uint32_t type = 0;  // on entry
    ByteArray data;          // what SetValue was given
    std::uint32_t size = 0;  // on entry
    std::int64_t result = 0;
};

class RecordingRegistry : public RegistryApi {
  public:
    explicit RecordingRegistry(RegistryApi& inner) : inner_(inner) {}

    const std::vector<RegistryCall>& Calls() const { return calls_; }
    std::size_t Count(RegistryOperation operation) const;
    std::size_t OpenHandleCount() const { return open_.size(); }
    void Clear() { calls_.clear(); }

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
    std::uint32_t LastError() override { return inner_.LastError(); }

  private:
    RegistryApi& inner_;
    std::vector<RegistryCall> calls_;
    std::multiset<RegKey> open_;
};

}  // namespace tarnwick::fake
