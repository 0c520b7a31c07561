#include "platform/journal_store.h"

#include <utility>
#include <vector>

#include "platform/journal_names.h"

namespace tarnwick {

namespace {

// Closes the file on every path out of a routine that opened it.
class OpenFile {
  public:
    OpenFile(JournalFilesApi& files, FileHandle handle) : files_(files), handle_(handle) {}
    ~OpenFile() { Close(); }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    FileHandle get() const { return handle_; }
    explicit operator bool() const { return handle_ != 0; }
    bool Close() { return handle_ == 0 || files_.Close(std::exchange(handle_, 0)); }

  private:
    JournalFilesApi& files_;
    FileHandle handle_;
};

std::u16string InFolder(const std::u16string& folder, std::u16string_view name) {
    std::u16string path = folder;
    path += u'\\';
    path += name;
    return path;
}

}  // namespace

std::optional<std::u16string> JournalStore::Folder() {
    const std::optional<std::u16string> localAppData = files_.LocalAppData();
    if (!localAppData) {
        return std::nullopt;
    }
    std::u16string folder = *localAppData;
    folder += u"\\Tarnwick";
    return folder;
}

std::optional<std::u16string> JournalStore::Save(const std::string& bytes) {
    const std::optional<std::u16string> folder = Folder();
    if (!folder || bytes.size() > kLargestJournalBytes) {
        return std::nullopt;
    }
    const std::uint32_t created = files_.CreateFolder(*folder);
    const auto names =
        created == 0 || created == kErrorAlreadyExists ? files_.FileNames(*folder) : std::nullopt;
    if (!names) {
        return std::nullopt;
    }
    std::uint32_t number = 1;
    for (const std::u16string& name : *names) {
        if (IsTemporaryJournalName(name)) {
            // Left by a run that was ended while writing: only one Tarnwick runs at a time.
            files_.Delete(InFolder(*folder, name));
        } else if (const auto taken = JournalNumber(name); taken && *taken >= number) {
            number = *taken + 1;
        }
    }
    const LocalTime now = files_.Now();
    const std::u16string temporary =
        InFolder(*folder, TemporaryJournalName(JournalFileName(number, now)));
    if (number > kLargestJournalNumber || !WriteWhole(temporary, bytes)) {
        files_.Delete(temporary);
        return std::nullopt;
    }
    // A name taken meanwhile is never replaced: the journal takes the next number.
    for (; number <= kLargestJournalNumber; ++number) {
        const std::u16string path = InFolder(*folder, JournalFileName(number, now));
        const std::uint32_t moved = files_.Move(temporary, path);
        if (moved == 0) {
            return path;
        }
        if (moved != kErrorAlreadyExists && moved != kErrorFileExists) {
            break;
        }
    }
    files_.Delete(temporary);
    return std::nullopt;
}

// Written, flushed and closed, or false; the file is closed either way.
bool JournalStore::WriteWhole(const std::u16string& path, const std::string& bytes) {
    OpenFile file(files_, files_.CreateNew(path));
    std::uint32_t written = 0;
    return file &&
           files_.Write(file.get(), bytes.data(), static_cast<std::uint32_t>(bytes.size()),
                        &written) &&
           written == bytes.size() && files_.Flush(file.get()) && file.Close();
}

std::optional<std::u16string> JournalStore::Newest() {
    const std::optional<std::u16string> folder = Folder();
    const auto names = folder ? files_.FileNames(*folder) : std::nullopt;
    if (!names) {
        return std::nullopt;
    }
    std::optional<std::pair<std::uint32_t, std::u16string>> newest;
    for (const std::u16string& name : *names) {
        if (const auto number = JournalNumber(name)) {
            if (!newest || std::pair(*number, name) > *newest) {
                newest = std::pair(*number, name);
            }
        }
    }
    if (!newest) {
        return std::nullopt;
    }
    return InFolder(*folder, newest->second);
}

std::optional<std::string> JournalStore::Read(std::u16string_view path) {
    const OpenFile file(files_, files_.OpenToRead(path));
    const std::optional<std::uint64_t> size = file ? files_.Size(file.get()) : std::nullopt;
    if (!size || *size > kLargestJournalBytes) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(*size), '\0');
    std::uint32_t read = 0;
    if (!files_.Read(file.get(), bytes.data(), static_cast<std::uint32_t>(bytes.size()), &read) ||
        read != bytes.size()) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace tarnwick
