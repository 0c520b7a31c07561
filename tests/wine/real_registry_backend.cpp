// The contract tests' registry under Wine: the real one, read and written beside ModReg with the
// plain "A" functions.
#include <windows.h>

#include <gtest/gtest.h>

#include "contract/registry_backend.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_registry.h"

namespace tarnwick::testing {

namespace {

win32::UniqueHkey CreatedKey(const std::string& keyPath) {
    HKEY created = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &created, nullptr);
    return win32::UniqueHkey(created);
}

win32::UniqueHkey OpenedKey(const std::string& keyPath) {
    HKEY opened = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &opened);
    return win32::UniqueHkey(opened);
}

class RealBackend : public RegistryBackend {
  public:
    ~RealBackend() override { RegDeleteTreeA(HKEY_CURRENT_USER, kScratchRoot); }

    RegistryApi& Api() override { return registry_; }
    const CodePage& Ansi() override { return codePage_; }

    void PutRaw(const std::string& keyPath, const std::string& valueName, std::uint32_t type,
                const ByteArray& data) override {
        const win32::UniqueHkey key = CreatedKey(keyPath);
        ASSERT_TRUE(key);
        ASSERT_EQ(RegSetValueExA(key.get(), valueName.c_str(), 0, type, data.data(),
                                 static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
    }

    std::optional<fake::StoredValue> GetRaw(const std::string& keyPath,
                                            const std::string& valueName) override {
        const win32::UniqueHkey key = OpenedKey(keyPath);
        if (!key) {
            return std::nullopt;
        }
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        ByteArray data(size);
        RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, data.data(), &size);
        data.resize(size);
        return fake::StoredValue{type, data};
    }

    void PutRawWide(const std::string& keyPath, const std::string& valueName, std::uint32_t type,
                    const ByteArray& data) override {
        const win32::UniqueHkey key = CreatedKey(keyPath);
        ASSERT_TRUE(key);
        ASSERT_EQ(RegSetValueExW(key.get(), WideName(valueName).c_str(), 0, type, data.data(),
                                 static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
    }

    std::optional<fake::StoredValue> GetRawWide(const std::string& keyPath,
                                                const std::string& valueName) override {
        const win32::UniqueHkey key = OpenedKey(keyPath);
        if (!key) {
            return std::nullopt;
        }
        const std::wstring name = WideName(valueName);
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        ByteArray data(size);
        RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, data.data(), &size);
        data.resize(size);
        return fake::StoredValue{type, data};
    }

    bool KeyExists(const std::string& keyPath) override {
        return static_cast<bool>(OpenedKey(keyPath));
    }

    void SetEnvironmentVariable(const std::string& name, const std::string& value) override {
        SetEnvironmentVariableA(name.c_str(), value.c_str());
    }

  private:
    std::wstring WideName(const std::string& ansi) const {
        const std::u16string name = codePage_.FromAnsi(ansi);
        return std::wstring(name.begin(), name.end());
    }

    win32::Win32Registry registry_;
    win32::AnsiCodePage codePage_;
};

}  // namespace

std::unique_ptr<RegistryBackend> MakeRegistryBackend() {
    return std::make_unique<RealBackend>();
}

}  // namespace tarnwick::testing
