#include "fakes/memory_journal_files.h"

#include <algorithm>
#include <cstring>

namespace tarnwick::fake {

namespace {

constexpr std::uint32_t kErrorFileNotFound = 2;
constexpr std::uint32_t kErrorPathNotFound = 3;
constexpr std::uint32_t kErrorSharingViolation = 32;

std::u16string Parent(std::u16string_view path) {
    return std::u16string(path.substr(0, std::min(path.rfind(u'\\'), path.size())));
}

}  // namespace

std::set<std::u16string> MemoryJournalFiles::Names(std::u16string_view folder) const {
    std::set<std::u16string> names;
    for (const auto& [path, contents] : files) {
        if (Parent(path) == folder) {
            names.insert(path.substr(folder.size() + 1));
        }
    }
    return names;
}

// Any handle, as none of the store's shares deletion.
bool MemoryJournalFiles::IsOpen(std::u16string_view path, bool forWriting) const {
    return std::any_of(open_.begin(), open_.end(), [&](const auto& open) {
        return open.second.path == path && (open.second.writing || !forWriting);
    });
}

std::uint32_t MemoryJournalFiles::CreateFolder(std::u16string_view path) {
    if (!folders.contains(Parent(path))) {
        return kErrorPathNotFound;
    }
    return folders.insert(std::u16string(path)).second ? 0 : kErrorAlreadyExists;
}

std::optional<std::vector<std::u16string>> MemoryJournalFiles::FileNames(
    std::u16string_view folder) {
    if (!folders.contains(std::u16string(folder))) {
        return std::nullopt;
    }
    const std::set<std::u16string> names = Names(folder);
    return std::vector<std::u16string>(names.begin(), names.end());
}

FileHandle MemoryJournalFiles::CreateNew(std::u16string_view path) {
    if (!folders.contains(Parent(path)) || !files.emplace(path, "").second) {
        return 0;
    }
    open_[next_] = {std::u16string(path), true};
    return next_++;
}

FileHandle MemoryJournalFiles::OpenToRead(std::u16string_view path) {
    if (!files.contains(std::u16string(path)) || IsOpen(path, true)) {
        return 0;
    }
    open_[next_] = {std::u16string(path), false};
    return next_++;
}

bool MemoryJournalFiles::Write(FileHandle file, const char* data, std::uint32_t size,
                               std::uint32_t* written) {
    if (onWrite) {
        onWrite();
    }
    const auto open = open_.find(file);
    if (open == open_.end() || !open->second.writing) {
        return false;
    }
    *written = static_cast<std::uint32_t>(std::min<std::size_t>(size, spaceLeft.value_or(size)));
    files[open->second.path].append(data, *written);
    if (spaceLeft) {
        *spaceLeft -= *written;
    }
    return *written == size;
}

bool MemoryJournalFiles::Flush(FileHandle file) {
    return open_.contains(file) && !failFlush;
}

std::optional<std::uint64_t> MemoryJournalFiles::Size(FileHandle file) {
    const auto open = open_.find(file);
    if (open == open_.end()) {
        return std::nullopt;
    }
    return files[open->second.path].size();
}

bool MemoryJournalFiles::Read(FileHandle file, char* data, std::uint32_t size,
                              std::uint32_t* read) {
    const auto open = open_.find(file);
    if (open == open_.end()) {
        return false;
    }
    const std::string& contents = files[open->second.path];
    *read = static_cast<std::uint32_t>(std::min<std::size_t>(size, contents.size()));
    std::memcpy(data, contents.data(), *read);
    return true;
}

bool MemoryJournalFiles::Close(FileHandle file) {
    return open_.erase(file) == 1;
}

std::uint32_t MemoryJournalFiles::Move(std::u16string_view from, std::u16string_view to) {
    if (beforeMove) {
        beforeMove();
    }
    if (moveError != 0) {
        return moveError;
    }
    const auto source = files.find(std::u16string(from));
    if (source == files.end()) {
        return kErrorFileNotFound;
    }
    if (IsOpen(from, false)) {
        return kErrorSharingViolation;
    }
    if (files.contains(std::u16string(to))) {
        return kErrorAlreadyExists;
    }
    files[std::u16string(to)] = std::move(source->second);
    files.erase(source);
    return 0;
}

bool MemoryJournalFiles::Delete(std::u16string_view path) {
    return !IsOpen(path, false) && files.erase(std::u16string(path)) == 1;
}

}  // namespace tarnwick::fake
