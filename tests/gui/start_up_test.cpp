// Tarnwick.exe in a real window: one instance only, and the locations the registry holds.
#include <gtest/gtest.h>

#include <cwctype>

#include "core/managed_folders.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "support/control_names.h"
#include "tarnwick_process.h"
#include "ui/folder_controls.h"

namespace tarnwick::testing {
namespace {

using win32::Wide;

// The registry value as the window should show it, read here without the program's routines.
std::wstring ExpectedLabel(const ManagedFolder& folder) {
    win32::UniqueHkey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Wide(folder.readKey).c_str(), 0, KEY_READ, key.put()) !=
        ERROR_SUCCESS) {
        return L"";
    }
    DWORD type = 0;
    DWORD size = 0;
    const std::wstring name = Wide(folder.readValueName);
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return L"";
    }
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                     &size);
    value.resize(wcslen(value.c_str()));
    if (type == REG_EXPAND_SZ) {
        std::wstring expanded(32768, L'\0');
        expanded.resize(ExpandEnvironmentStringsW(value.c_str(), expanded.data(), 32768) - 1);
        value = expanded;
    }
    for (wchar_t& c : value) {
        c = (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    }
    return value;
}

TEST(SingleInstance, ASecondCopyEndsAtOnceWithoutAWindow) {
    TarnwickProcess first;
    const HWND window = first.WaitForWindow();
    ASSERT_NE(window, nullptr) << "the first copy showed no window";

    TarnwickProcess second;
    ASSERT_TRUE(second.WaitForExit(10000)) << "the second copy is still running";
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_EQ(CountMainWindows(second.Id()), 0) << "the second copy created a window";

    EXPECT_FALSE(first.WaitForExit(0)) << "the first copy ended";
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST(StartUp, TheWindowShowsTheRegistryLocationsAndTheDefaults) {
    TarnwickProcess tarnwick;
    const HWND window = tarnwick.WaitForWindow();
    ASSERT_NE(window, nullptr);
    for (const ManagedFolder& folder : kManagedFolders) {
        SCOPED_TRACE(ControlName(ControlsOf(folder).locationLabel));
        const std::wstring expected = ExpectedLabel(folder);
        EXPECT_FALSE(expected.empty()) << "the scratch prefix has no location for this folder";
        EXPECT_EQ(Utf8(WindowText(Control(window, ControlsOf(folder).locationLabel))),
                  Utf8(expected));
        EXPECT_EQ(Utf8(WindowText(Control(window, ControlsOf(folder).destinationBox))),
                  Utf8(Wide(folder.defaultDestination)));
    }
    EXPECT_FALSE(WindowText(Control(window, ControlId::SBar1)).empty()) << "no credits line";
    EXPECT_EQ(WindowText(window), L"Tarnwick工具");
}

}  // namespace
}  // namespace tarnwick::testing
