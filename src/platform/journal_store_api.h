// Where the journals of the runs are kept: one file a run, in %LOCALAPPDATA%\Tarnwick\, named by
// the date and time of the run.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

class JournalStoreApi {
  public:
    virtual ~JournalStoreApi() = default;
    // Writes a new journal and flushes it to the disk; its path, or nullopt when it could not be
    // written whole.
    virtual std::optional<std::u16string> Save(const std::string& bytes) = 0;
    // The newest journal's path, or nullopt when there is none.
    virtual std::optional<std::u16string> Newest() = 0;
    // A file's bytes, or nullopt when it cannot be read.
    virtual std::optional<std::string> Read(std::u16string_view path) = 0;
};

}  // namespace tarnwick
