// Test folders on the scratch disk S:, which the test host maps to a folder of the throwaway
// prefix, the known folders, and waiting for the hidden commands a test has started.
#pragma once

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "support/wait_for.h"

namespace tarnwick::testing {

// A fresh folder S:\<name>-<process id>, removed with everything in it afterwards.
class ScratchFolder {
  public:
    explicit ScratchFolder(const std::wstring& name)
        : path_(L"S:\\" + name + L"-" + std::to_wstring(GetCurrentProcessId())) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::u16string Text() const { return path_.u16string(); }

  private:
    std::filesystem::path path_;
};

// The processes this one started that are still running, by name.
inline std::vector<std::wstring> RunningChildren() {
    const win32::UniqueKernelHandle snapshot(
        win32::NullIfInvalid(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    std::vector<std::wstring> children;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ParentProcessID == GetCurrentProcessId()) {
            children.push_back(entry.szExeFile);
        }
    }
    return children;
}

// True once every command interpreter this process started has ended.
inline bool ChildrenEnded() {
    return WaitFor(
        [] {
            const std::vector<std::wstring> children = RunningChildren();
            return std::none_of(children.begin(), children.end(), [](const std::wstring& name) {
                return _wcsicmp(name.c_str(), L"cmd.exe") == 0;
            });
        },
        std::chrono::seconds(60));
}

// Where Windows says a known folder is.
inline std::filesystem::path KnownFolder(const KNOWNFOLDERID& id) {
    PWSTR path = nullptr;
    SHGetKnownFolderPath(id, 0, nullptr, &path);
    std::filesystem::path known = path ? path : L"";
    CoTaskMemFree(path);
    return known;
}

inline void WriteMarker(const std::filesystem::path& path) {
    std::filesystem::create_directories(path.parent_path());
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (file) {
        std::fputs("must survive", file);
        std::fclose(file);
    }
}

}  // namespace tarnwick::testing
