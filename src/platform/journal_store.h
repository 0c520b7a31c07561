// The journals as files in %LOCALAPPDATA%\Tarnwick\, named as journal_names.h tells. A journal is
// whole or absent: it is written, flushed and closed under a temporary name and only then given
// its own, so that a full disk or a run ended half-way leaves nothing that /undo could take.
#pragma once

#include "platform/journal_files_api.h"
#include "platform/journal_store_api.h"

namespace tarnwick {

class JournalStore : public JournalStoreApi {
  public:
    explicit JournalStore(JournalFilesApi& files) : files_(files) {}

    std::optional<std::u16string> Save(const std::string& bytes) override;
    std::optional<std::u16string> Newest() override;
    std::optional<std::string> Read(std::u16string_view path) override;
    std::optional<std::u16string> Folder() override;

  private:
    bool WriteWhole(const std::u16string& path, const std::string& bytes);

    JournalFilesApi& files_;
};

}  // namespace tarnwick
