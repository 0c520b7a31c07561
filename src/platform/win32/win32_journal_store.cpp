#include "platform/win32/win32_journal_store.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <string>

#include "platform/win32/system_library.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace tarnwick::win32 {

namespace {

constexpr DWORD kLargestJournal = 1 << 20;

std::wstring JournalFolder() {
    static const auto folderPath =
        SystemFunction<decltype(&SHGetKnownFolderPath)>(L"shell32.dll", "SHGetKnownFolderPath");
    static const auto free =
        SystemFunction<decltype(&CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
    PWSTR path = nullptr;
    if (!folderPath || !free ||
        FAILED(folderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &path))) {
        return {};
    }
    std::wstring folder = std::wstring(path) + L"\\Tarnwick";
    free(path);
    return folder;
}

std::wstring TwoDigits(int number) {
    return {static_cast<wchar_t>(L'0' + number / 10 % 10),
            static_cast<wchar_t>(L'0' + number % 10)};
}

bool IsJournalName(std::wstring_view name) {
    constexpr std::wstring_view kPattern = L"########-######";
    if (name.size() < kPattern.size() + 4) {
        return false;
    }
    for (std::size_t i = 0; i < kPattern.size(); ++i) {
        if (kPattern[i] == L'#' ? name[i] < L'0' || name[i] > L'9' : name[i] != kPattern[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<std::u16string> Win32JournalStore::Save(const std::string& bytes) {
    const std::wstring folder = JournalFolder();
    if (folder.empty() ||
        (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)) {
        return std::nullopt;
    }
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const std::wstring stem = folder + L"\\" + TwoDigits(now.wYear / 100) +
                              TwoDigits(now.wYear % 100) + TwoDigits(now.wMonth) +
                              TwoDigits(now.wDay) + L"-" + TwoDigits(now.wHour) +
                              TwoDigits(now.wMinute) + TwoDigits(now.wSecond);
    for (int attempt = 1; attempt < 100; ++attempt) {
        const std::wstring path = stem + (attempt == 1 ? L"" : L"_" + TwoDigits(attempt)) + L".reg";
        const UniqueKernelHandle file(NullIfInvalid(CreateFileW(
            path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)));
        if (!file) {
            if (GetLastError() == ERROR_FILE_EXISTS) {
                continue;
            }
            return std::nullopt;
        }
        DWORD written = 0;
        const bool whole = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                     &written, nullptr) &&
                           written == bytes.size() && FlushFileBuffers(file.get());
        if (!whole) {
            DeleteFileW(path.c_str());
            return std::nullopt;
        }
        return Narrow(path);
    }
    return std::nullopt;
}

std::optional<std::u16string> Win32JournalStore::Newest() {
    const std::wstring folder = JournalFolder();
    if (folder.empty()) {
        return std::nullopt;
    }
    // Only names of the journal's own pattern, whose order is their age: YYYYMMDD-HHMMSS[_NN].reg.
    WIN32_FIND_DATAW found{};
    const UniqueFind find(NullIfInvalid(FindFirstFileW((folder + L"\\*.reg").c_str(), &found)));
    if (!find) {
        return std::nullopt;
    }
    std::wstring newest;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            IsJournalName(found.cFileName) && found.cFileName > newest) {
            newest = found.cFileName;
        }
    } while (FindNextFileW(find.get(), &found));
    if (newest.empty()) {
        return std::nullopt;
    }
    return Narrow(folder + L"\\" + newest);
}

std::optional<std::string> Win32JournalStore::Read(std::u16string_view path) {
    const UniqueKernelHandle file(
        NullIfInvalid(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > kLargestJournal) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
        read != bytes.size()) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace tarnwick::win32
