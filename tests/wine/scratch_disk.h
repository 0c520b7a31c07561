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
    // Removed by Unix's rm, which never enters a link: the C++ library's remove_all would follow a
    // link that a test made, out of the folder or round in a loop.
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::u16string Text() const { return path_.u16string(); }

  private:
    std::filesystem::path path_;
};

// The processes this one started that are still running, by name.
// A path as the program's interfaces take it.
inline std::u16string Text(const std::filesystem::path& path) {
    return path.u16string();
}

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

// The Unix path Wine keeps a Windows path at, or "" when it has none.
inline std::string UnixPath(const std::filesystem::path& path) {
    using UnixFileName = char*(CDECL*)(const wchar_t*);
    const auto unixFileName = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* unixPath = unixFileName ? unixFileName(path.c_str()) : nullptr;
    std::string result = unixPath ? unixPath : "";
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

// Runs a Unix shell script to its end; whether it succeeded. Wine's own programs cannot make what
// some tests need: Unix symbolic links, which Wine shows as reparse points, folders that no drive
// reaches, and names that differ only in case. Wine gives a Unix process no handle to wait on, so
// the script marks its end with a file on the scratch disk.
inline bool RunUnixScript(const std::string& script) {
    static int scripts = 0;
    const std::filesystem::path done = L"S:\\unix-script-" +
                                       std::to_wstring(GetCurrentProcessId()) + L"-" +
                                       std::to_wstring(++scripts);
    const std::string marker = UnixPath(done);
    const std::string line = script + " && touch '" + marker + "'";
    std::wstring commandLine(MultiByteToWideChar(CP_UTF8, 0, line.c_str(), -1, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, line.c_str(), -1, commandLine.data(),
                        static_cast<int>(commandLine.size()));
    commandLine.pop_back();
    commandLine = L"\\\\?\\unix\\bin\\sh -c \"" + commandLine + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (marker.empty() || !CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0,
                                          nullptr, nullptr, &startup, &started)) {
        return false;
    }
    const bool ended =
        WaitFor([&] { return std::filesystem::exists(done); }, std::chrono::seconds(20));
    std::error_code ignored;
    std::filesystem::remove(done, ignored);
    return ended;
}

// The argument quoted for the shell.
inline std::string ShellQuoted(const std::string& text) {
    return "'" + text + "'";
}

inline ScratchFolder::~ScratchFolder() {
    const std::string unixPath = UnixPath(path_);
    if (!unixPath.empty() && !RunUnixScript("rm -rf " + ShellQuoted(unixPath))) {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
}

// A Unix symbolic link at link that leads to target, a Unix path.
inline bool MakeUnixLink(const std::filesystem::path& link, const std::string& target) {
    std::filesystem::create_directories(link.parent_path());
    const std::string folder = UnixPath(link.parent_path());
    const std::u8string name = link.filename().u8string();
    return !folder.empty() &&
           RunUnixScript("ln -s " + ShellQuoted(target) + " " +
                         ShellQuoted(folder + "/" + std::string(name.begin(), name.end())));
}

// Moves the system's cmd.exe aside while it lives, so that starting it fails.
class CommandInterpreterAway {
  public:
    CommandInterpreterAway() {
        wchar_t system[MAX_PATH] = {};
        GetSystemDirectoryW(system, MAX_PATH);
        path_ = std::filesystem::path(system) / L"cmd.exe";
        moved_ = MoveFileW(path_.c_str(), (path_.wstring() + L".away").c_str()) != FALSE;
    }
    ~CommandInterpreterAway() {
        if (moved_) {
            MoveFileW((path_.wstring() + L".away").c_str(), path_.c_str());
        }
    }
    CommandInterpreterAway(const CommandInterpreterAway&) = delete;
    CommandInterpreterAway& operator=(const CommandInterpreterAway&) = delete;
    bool Moved() const { return moved_; }

  private:
    std::filesystem::path path_;
    bool moved_ = false;
};

inline void WriteMarker(const std::filesystem::path& path) {
    std::filesystem::create_directories(path.parent_path());
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (file) {
        std::fputs("must survive", file);
        std::fclose(file);
    }
}

}  // namespace tarnwick::testing
