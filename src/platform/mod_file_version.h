// ModFileVersion: the file version of an executable, read from its version resource.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/code_page.h"
#include "platform/version_api.h"

namespace tarnwick {

// VS_FIXEDFILEINFO: thirteen 32-bit little-endian fields.
inline constexpr std::size_t kFixedFileInfoSize = 52;
inline constexpr std::u16string_view kNoVersion = u"N/A";

class ModFileVersion {
  public:
    ModFileVersion(VersionApi& versions, const CodePage& codePage)
        : versions_(versions), codePage_(codePage) {}

    // "major.minor.build.revision" of the file version in the root block, each part an unsigned
    // 16-bit number; "N/A" when the file is missing, has no version resource, or its block
    // cannot be read.
    std::u16string GetFileVersionString(std::u16string_view path);

  private:
    VersionApi& versions_;
    const CodePage& codePage_;
};

}  // namespace tarnwick
