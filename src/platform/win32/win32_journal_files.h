// The journal store's file operations bound to kernel32's wide functions and shell32's known
// folders.
#pragma once

#include "platform/journal_files_api.h"

namespace tarnwick::win32 {

class Win32JournalFiles : public JournalFilesApi {
  public:
    std::optional<std::u16string> LocalAppData() override;
    LocalTime Now() override;
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
};

}  // namespace tarnwick::win32
