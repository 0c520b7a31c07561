#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/grown_buffer.h"
#include "platform/win32/system_library.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace tarnwick::win32 {

namespace {

std::optional<std::wstring> FullPathName(const std::wstring& path) {
    return GrownBuffer<std::wstring>(MAX_PATH, [&](wchar_t* data, std::size_t capacity) {
        return TextFillAnswer(
            GetFullPathNameW(path.c_str(), static_cast<DWORD>(capacity), data, nullptr), capacity);
    });
}

// "C:\" for a drive, "\\server\share\" for a share; 0 for anything else (devices, "\\?\").
std::size_t RootLength(const std::wstring& path) {
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') {
        return 3;
    }
    if (path.starts_with(L"\\\\") && !path.starts_with(L"\\\\?\\") &&
        !path.starts_with(L"\\\\.\\")) {
        const std::size_t server = path.find(L'\\', 2);
        if (server == std::wstring::npos || server == 2) {
            return 0;
        }
        const std::size_t share = path.find(L'\\', server + 1);
        if (share == server + 1) {
            return 0;
        }
        return share == std::wstring::npos ? path.size() : share + 1;
    }
    return 0;
}

std::vector<std::wstring> Levels(const std::wstring& rest) {
    std::vector<std::wstring> levels;
    std::size_t start = 0;
    while (start < rest.size()) {
        const std::size_t end = std::min(rest.find(L'\\', start), rest.size());
        std::wstring level = rest.substr(start, end - start);
        // Windows drops trailing dots and spaces from what it opens; judge the name it opens.
        while (!level.empty() && (level.back() == L'.' || level.back() == L' ')) {
            level.pop_back();
        }
        if (!level.empty()) {
            levels.push_back(std::move(level));
        }
        start = end + 1;
    }
    return levels;
}

// path followed by levels[from, to).
std::wstring Joined(std::wstring path, const std::vector<std::wstring>& levels, std::size_t from,
                    std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
        if (!path.empty() && path.back() != L'\\') {
            path += L'\\';
        }
        path += levels[i];
    }
    return path;
}

std::optional<std::wstring> LongPath(const std::wstring& path) {
    return GrownBuffer<std::wstring>(MAX_PATH, [&](wchar_t* data, std::size_t capacity) {
        return TextFillAnswer(GetLongPathNameW(path.c_str(), data, static_cast<DWORD>(capacity)),
                              capacity);
    });
}

// Where an existing path really is: links followed, short names long, names in their own case.
std::optional<std::wstring> ResolvedExisting(const std::wstring& path) {
    const UniqueKernelHandle file(NullIfInvalid(CreateFileW(
        path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)));
    if (!file) {
        return std::nullopt;
    }
    std::optional<std::wstring> final =
        GrownBuffer<std::wstring>(MAX_PATH, [&](wchar_t* data, std::size_t capacity) {
            return TextFillAnswer(
                GetFinalPathNameByHandleW(file.get(), data, static_cast<DWORD>(capacity),
                                          FILE_NAME_NORMALIZED | VOLUME_NAME_DOS),
                capacity);
        });
    if (!final) {
        return std::nullopt;
    }
    if (final->starts_with(L"\\\\?\\UNC\\")) {
        return WideJoined({L"\\\\", std::wstring_view(*final).substr(8)});
    }
    // A drive path loses its prefix; anything else ("\\?\unix\...", a volume) keeps it, so that
    // it can never pass for a path relative to the current folder.
    if (final->size() >= 7 && final->starts_with(L"\\\\?\\") && (*final)[5] == L':' &&
        (*final)[6] == L'\\') {
        return final->substr(4);
    }
    return final;
}

// The form FindFirstFileW takes for any length.
std::wstring LongForm(const std::wstring& path) {
    if (path.starts_with(L"\\\\?\\")) {
        return path;
    }
    if (path.starts_with(L"\\\\")) {
        return WideJoined({L"\\\\?\\UNC\\", std::wstring_view(path).substr(2)});
    }
    return WideJoined({L"\\\\?\\", path});
}

std::wstring Child(const std::wstring& folder, const std::wstring& name) {
    return WideJoined({folder, folder.empty() || folder.back() == L'\\' ? L"" : L"\\", name});
}

bool IsDotEntry(const WIN32_FIND_DATAW& found) {
    return std::wstring_view(found.cFileName) == L"." ||
           std::wstring_view(found.cFileName) == L"..";
}

// Wine shows a Unix link to a file as the file it leads to, and its RD /S/Q deletes that file.
bool LinksToFilesLookLikeFiles() {
    static const bool wine = SystemProcedure(L"ntdll.dll", "wine_get_version") != nullptr;
    return wine;
}

// Whether the file at path is really somewhere other than where it is listed; nullopt when it
// cannot be told. A link whose target is gone cannot be opened: it is a link all the same.
std::optional<bool> LeadsElsewhere(const std::wstring& path, const std::wstring& listedAt) {
    const std::optional<std::wstring> final = ResolvedExisting(path);
    if (!final) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? std::optional(true)
                                                                              : std::nullopt;
    }
    return CompareStringOrdinal(final->c_str(), static_cast<int>(final->size()), listedAt.c_str(),
                                static_cast<int>(listedAt.size()), TRUE) != CSTR_EQUAL;
}

struct SplitPath {
    std::wstring root;
    std::vector<std::wstring> levels;
};

// A complete path cut into its root and its levels as Windows opens them; nullopt for anything
// that is not a drive or share path.
std::optional<SplitPath> Split(std::u16string_view path) {
    const std::wstring wide = Wide(path);
    if (wide.empty() || wide.find(L'\0') != std::wstring::npos) {
        return std::nullopt;
    }
    const std::optional<std::wstring> full = FullPathName(wide);
    const std::size_t rootLength = full ? RootLength(*full) : 0;
    if (rootLength == 0) {
        return std::nullopt;
    }
    return SplitPath{full->substr(0, rootLength), Levels(full->substr(rootLength))};
}

std::u16string WithoutTrailingSeparator(std::wstring path) {
    if (path.size() > 3 && path.back() == L'\\') {
        path.pop_back();
    }
    return Narrow(path);
}

}  // namespace

std::optional<std::u16string> Win32FileSystem::CanonicalPath(std::u16string_view path) {
    const std::optional<SplitPath> split = Split(path);
    if (!split) {
        return std::nullopt;
    }
    const auto& [root, levels] = *split;
    std::wstring canonical = Joined(root, levels, 0, levels.size());
    // The longest part that exists is resolved; the levels still to be created stay as named.
    for (std::size_t existing = levels.size() + 1; existing-- > 0;) {
        const std::wstring prefix = Joined(root, levels, 0, existing);
        std::optional<std::wstring> resolved = ResolvedExisting(prefix);
        if (!resolved) {
            resolved = LongPath(prefix);
        }
        if (resolved) {
            canonical = Joined(*resolved, levels, existing, levels.size());
            break;
        }
    }
    return WithoutTrailingSeparator(std::move(canonical));
}

std::optional<std::u16string> Win32FileSystem::FullPath(std::u16string_view path) {
    const std::optional<SplitPath> split = Split(path);
    if (!split) {
        return std::nullopt;
    }
    return WithoutTrailingSeparator(Joined(split->root, split->levels, 0, split->levels.size()));
}

PathKind Win32FileSystem::KindOf(std::u16string_view path) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
    }
    switch (GetLastError()) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return PathKind::Missing;
        default:
            return PathKind::Unreadable;
    }
}

bool Win32FileSystem::HasEntries(std::u16string_view folder) {
    WIN32_FIND_DATAW found{};
    const UniqueFind find(
        NullIfInvalid(FindFirstFileW(Child(LongForm(Wide(folder)), L"*").c_str(), &found)));
    if (!find) {
        return false;
    }
    do {
        if (!IsDotEntry(found)) {
            return true;
        }
    } while (FindNextFileW(find.get(), &found));
    return false;
}

bool Win32FileSystem::CreateFolder(std::u16string_view path) {
    const std::wstring wide = Wide(path);
    if (CreateDirectoryW(wide.c_str(), nullptr)) {
        return true;
    }
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::RemoveEmptyFolder(std::u16string_view path) {
    return RemoveDirectoryW(Wide(path).c_str()) != FALSE;
}

TreeListing Win32FileSystem::ListTree(std::u16string_view root, const TreeLook& look) {
    TreeListing listing;
    const std::wstring base = LongForm(Wide(root));
    // Where each file is when it is no link: below the root's own final path.
    std::optional<std::wstring> finalRoot;
    if (look.everyLink && LinksToFilesLookLikeFiles()) {
        finalRoot = ResolvedExisting(Wide(root));
        if (!finalRoot) {
            listing.status = TreeListing::Status::Unreadable;
            return listing;
        }
    }
    std::vector<std::wstring> pending{L""};  // folders still to list, relative to root
    while (!pending.empty()) {
        const std::wstring relative = std::move(pending.back());
        pending.pop_back();
        WIN32_FIND_DATAW found{};
        const UniqueFind find(
            NullIfInvalid(FindFirstFileW(Child(Child(base, relative), L"*").c_str(), &found)));
        if (!find) {
            // An empty drive root has not even "." to list.
            if (GetLastError() == ERROR_FILE_NOT_FOUND) {
                continue;
            }
            listing.status = TreeListing::Status::Unreadable;
            listing.unreadable = Narrow(relative);
            return listing;
        }
        do {
            if (IsDotEntry(found)) {
                continue;
            }
            if (listing.entries.size() >= look.maxEntries) {
                listing.status = TreeListing::Status::TooLarge;
                return listing;
            }
            const bool folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            bool link = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            const std::wstring name = Child(relative, found.cFileName);
            if (!folder && !link && finalRoot) {
                const std::optional<bool> elsewhere =
                    LeadsElsewhere(Child(base, name), Child(*finalRoot, name));
                if (!elsewhere) {
                    listing.status = TreeListing::Status::Unreadable;
                    listing.unreadable = Narrow(name);
                    return listing;
                }
                link = *elsewhere;
            }
            listing.entries.push_back(
                {Narrow(name),
                 (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow,
                 folder, link});
            if (folder && !link) {
                pending.push_back(name);
            }
        } while (FindNextFileW(find.get(), &found));
        if (GetLastError() != ERROR_NO_MORE_FILES) {
            listing.status = TreeListing::Status::Unreadable;
            listing.unreadable = Narrow(relative);
            return listing;
        }
    }
    return listing;
}

std::u16string Win32FileSystem::NameKey(std::u16string_view name) {
    // The invariant upper case is how the file system itself folds names.
    const std::wstring wide = Wide(name);
    if (wide.empty()) {
        return {};
    }
    std::wstring key(wide.size(), L'\0');
    const int length = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.c_str(),
                                     static_cast<int>(wide.size()), key.data(),
                                     static_cast<int>(key.size()), nullptr, nullptr, 0);
    if (length <= 0) {
        return Narrow(wide);
    }
    key.resize(static_cast<std::size_t>(length));
    return Narrow(key);
}

}  // namespace tarnwick::win32
