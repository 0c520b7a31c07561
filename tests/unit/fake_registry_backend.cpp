// The contract tests' registry in the unit tests: the in-memory one.
#include "contract/registry_backend.h"
#include "support/host_code_page.h"

namespace tarnwick::testing {

namespace {

class FakeBackend : public RegistryBackend {
  public:
    RegistryApi& Api() override { return registry_; }
    const CodePage& Ansi() override { return HostCodePage(); }
    void PutRaw(const std::string& keyPath, const std::string& valueName, std::uint32_t type,
                const ByteArray& data) override {
        registry_.PutValue(kHkeyCurrentUser, keyPath, valueName, type, data);
    }
    std::optional<fake::StoredValue> GetRaw(const std::string& keyPath,
                                            const std::string& valueName) override {
        return registry_.FindValue(kHkeyCurrentUser, keyPath, valueName);
    }
    void PutRawWide(const std::string& keyPath, const std::string& valueName, std::uint32_t type,
                    const ByteArray& data) override {
        registry_.PutStoredValue(kHkeyCurrentUser, keyPath, valueName, type, data);
    }
    std::optional<fake::StoredValue> GetRawWide(const std::string& keyPath,
                                                const std::string& valueName) override {
        return registry_.FindStoredValue(kHkeyCurrentUser, keyPath, valueName);
    }
    bool KeyExists(const std::string& keyPath) override {
        return registry_.HasKey(kHkeyCurrentUser, keyPath);
    }
    void SetEnvironmentVariable(const std::string& name, const std::string& value) override {
        registry_.SetEnvironmentVariable(name, value);
    }

  private:
    fake::MemoryRegistry registry_{HostCodePage()};
};

}  // namespace

std::unique_ptr<RegistryBackend> MakeRegistryBackend() {
    return std::make_unique<FakeBackend>();
}

}  // namespace tarnwick::testing
