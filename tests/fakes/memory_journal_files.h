// The journal store's files in memory: a few folders and files by full path, open handles, a
// clock, and failures to inject. As the store opens them, an open file can be neither deleted nor
// renamed, and one open for writing not read either.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/journal_files_api.h"

namespace tarnwick::fake {

class MemoryJournalFiles : public JournalFilesApi {
  public:
    // The names of the files in folder.
    std::set<std::u16string> Names(std::u16string_view folder) const;
    std::size_t OpenHandleCount() const { return open_.size(); }

    std::optional<std::u16string> localAppData = u"C:\\Users\\amy\\AppData\\Local";
    LocalTime now{2024, 3, 5, 14, 30, 9};
    std::set<std::u16string> folders{u"C:\\Users\\amy\\AppData\\Local"};
    std::map<std::u16string, std::string> files;  // by full path

    std::optional<std::size_t> spaceLeft;  // bytes a write can still add; past them it fails
    bool failFlush = false;
    std::uint32_t moveError = 0;       // what Move answers instead of moving
    std::function<void()> onWrite;     // runs as a write begins
    std::function<void()> beforeMove;  // e.g. to take the name meanwhile

    std::optional<std::u16string> LocalAppData() override { return localAppData; }
    LocalTime Now() override { return now; }
    std::uint32_t CreateFolder(std::u16string_view path) override;
    std::optional<std::vector<std::u16string>> FileNames(std::u16string_view folder) override;
    FileHandle CreateNew(std::u16string_view path) override;
    FileHandle OpenToRead(std::u16string_view path) override;
    bool Write(FileHandle file, const char* data, std::uint32_t size,
               std::uint32_t* written) override;
    bool Flush(FileHandle file) override;
    std::optional<std::uint64_t> Size(FileHandle file) override;
    bool Read(FileHandle file, char* data, std::uint32_t size, std::uint32_t* read) override;
    bool Close(FileHandle file) override;
    std::uint32_t Move(std::u16string_view from, std::u16string_view to) override;
    bool Delete(std::u16string_view path) override;

  private:
    struct Open {
        std::u16string path;
        bool writing;
    };
    bool IsOpen(std::u16string_view path, bool forWriting) const;

    std::map<FileHandle, Open> open_;
    FileHandle next_ = 1;
};

}  // namespace tarnwick::fake
