// The registry a contract test runs against: the in-memory one, or Windows' own under Wine.
// Each test binary links exactly one MakeRegistryBackend.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "fakes/memory_registry.h"
#include "platform/code_page.h"
#include "platform/registry_api.h"

namespace tarnwick::testing {

class RegistryBackend {
  public:
    virtual ~RegistryBackend() = default;
    virtual RegistryApi& Api() = 0;
    virtual const CodePage& Ansi() = 0;

    // Direct access below HKEY_CURRENT_USER, beside the routines under test; paths are ANSI.
    virtual void PutRaw(const std::string& keyPath, const std::string& valueName,
                        std::uint32_t type, const ByteArray& data) = 0;
    virtual std::optional<fake::StoredValue> GetRaw(const std::string& keyPath,
                                                    const std::string& valueName) = 0;
    // The same with the "W" functions: the bytes as stored, strings in UTF-16.
    virtual void PutRawWide(const std::string& keyPath, const std::string& valueName,
                            std::uint32_t type, const ByteArray& data) = 0;
    virtual std::optional<fake::StoredValue> GetRawWide(const std::string& keyPath,
                                                        const std::string& valueName) = 0;
    virtual bool KeyExists(const std::string& keyPath) = 0;
    virtual void SetEnvironmentVariable(const std::string& name, const std::string& value) = 0;
};

std::unique_ptr<RegistryBackend> MakeRegistryBackend();

// Every contract test works below this key, which the backend removes when it is destroyed.
inline constexpr const char* kScratchRoot = "Software\\TarnwickTests";

}  // namespace tarnwick::testing
