#include "platform/win32/win32_journal_files.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include "platform/win32/known_folder.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace tarnwick::win32 {

namespace {

// The store owns the handles it is given; they go back to Windows as they came.
HANDLE ToHandle(FileHandle file) {
    return reinterpret_cast<HANDLE>(file);
}

FileHandle FromHandle(HANDLE handle) {
    return handle == INVALID_HANDLE_VALUE ? 0 : reinterpret_cast<FileHandle>(handle);
}

}  // namespace

std::optional<std::u16string> Win32JournalFiles::LocalAppData() {
    const std::optional<std::wstring> path = KnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE);
    if (!path) {
        return std::nullopt;
    }
    return Narrow(*path);
}

LocalTime Win32JournalFiles::Now() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

std::uint32_t Win32JournalFiles::CreateFolder(std::u16string_view path) {
    return CreateDirectoryW(Wide(path).c_str(), nullptr) ? ERROR_SUCCESS : GetLastError();
}

std::optional<std::vector<std::u16string>> Win32JournalFiles::FileNames(
    std::u16string_view folder) {
    WIN32_FIND_DATAW found{};
    const UniqueFind find(
        NullIfInvalid(FindFirstFileW(WideJoined({Wide(folder), L"\\*"}).c_str(), &found)));
    if (!find) {
        return std::nullopt;
    }
    std::vector<std::u16string> names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            names.push_back(Narrow(found.cFileName));
        }
    } while (FindNextFileW(find.get(), &found));
    return names;
}

FileHandle Win32JournalFiles::CreateNew(std::u16string_view path) {
    return FromHandle(CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

FileHandle Win32JournalFiles::OpenToRead(std::u16string_view path) {
    return FromHandle(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool Win32JournalFiles::Write(FileHandle file, const char* data, std::uint32_t size,
                              std::uint32_t* written) {
    DWORD done = 0;
    const bool wrote = WriteFile(ToHandle(file), data, size, &done, nullptr);
    *written = done;
    return wrote;
}

bool Win32JournalFiles::Flush(FileHandle file) {
    return FlushFileBuffers(ToHandle(file));
}

std::optional<std::uint64_t> Win32JournalFiles::Size(FileHandle file) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(ToHandle(file), &size)) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(size.QuadPart);
}

bool Win32JournalFiles::Read(FileHandle file, char* data, std::uint32_t size, std::uint32_t* read) {
    DWORD done = 0;
    const bool ok = ReadFile(ToHandle(file), data, size, &done, nullptr);
    *read = done;
    return ok;
}

bool Win32JournalFiles::Close(FileHandle file) {
    return CloseHandle(ToHandle(file));
}

std::uint32_t Win32JournalFiles::Move(std::u16string_view from, std::u16string_view to) {
    return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_WRITE_THROUGH)
               ? ERROR_SUCCESS
               : GetLastError();
}

bool Win32JournalFiles::Delete(std::u16string_view path) {
    return DeleteFileW(Wide(path).c_str());
}

}  // namespace tarnwick::win32
