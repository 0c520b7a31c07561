// The journals as files in %LOCALAPPDATA%\Tarnwick\, named YYYYMMDD-HHMMSS.reg by the local time
// of the run (with _02, _03 ... for more in the same second), so that their names sort by age.
#pragma once

#include "platform/journal_store_api.h"

namespace tarnwick::win32 {

class Win32JournalStore : public JournalStoreApi {
  public:
    std::optional<std::u16string> Save(const std::string& bytes) override;
    std::optional<std::u16string> Newest() override;
    std::optional<std::string> Read(std::u16string_view path) override;
};

}  // namespace tarnwick::win32
