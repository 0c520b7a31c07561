// Where the journals of the runs are kept: one file a run, in %LOCALAPPDATA%\Tarnwick\.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// The largest journal written or read: a run whose journal would be larger is refused as one whose
// journal cannot be written, and /undo reads any journal a run can write.
inline constexpr std::size_t kLargestJournalBytes = 32u << 20;

class JournalStoreApi {
  public:
    virtual ~JournalStoreApi() = default;
    // Writes a new journal and flushes it to the disk; its path, or nullopt when it could not be
    // written whole, in which case no file is left.
    virtual std::optional<std::u16string> Save(const std::string& bytes) = 0;
    // The path of the journal written last, or nullopt when there is none.
    virtual std::optional<std::u16string> Newest() = 0;
    // A file's bytes, or nullopt when it cannot be read or is larger than any journal.
    virtual std::optional<std::string> Read(std::u16string_view path) = 0;
    // The folder the journals are kept in, or nullopt when Windows does not tell where it is.
    virtual std::optional<std::u16string> Folder() = 0;
};

}  // namespace tarnwick
