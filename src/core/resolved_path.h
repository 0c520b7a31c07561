// A location twice over: as the checks compare it, and as Windows is given it to act on.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system_api.h"

namespace tarnwick {

struct ResolvedPath {
    std::u16string canonical;  // links and short names followed: for comparing
    std::u16string acting;     // for creating, listing, copying and deleting
};

// The canonical form acts too when it is a drive or share path. Where a link leads somewhere no
// Windows call reopens ("\\?\unix\...", a volume), the location as named, made complete, acts
// instead. nullopt when Windows cannot resolve the path.
std::optional<ResolvedPath> Resolve(FileSystemApi& files, std::u16string_view path);

}  // namespace tarnwick
