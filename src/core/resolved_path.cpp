#include "core/resolved_path.h"

#include "core/path.h"

namespace tarnwick {

std::optional<ResolvedPath> Resolve(FileSystemApi& files, std::u16string_view path) {
    std::optional<std::u16string> canonical = files.CanonicalPath(path);
    if (!canonical) {
        return std::nullopt;
    }
    if (IsAbsolutePath(*canonical)) {
        return ResolvedPath{*canonical, *canonical};
    }
    std::optional<std::u16string> named = files.FullPath(path);
    if (!named || !IsAbsolutePath(*named)) {
        return std::nullopt;
    }
    return ResolvedPath{std::move(*canonical), std::move(*named)};
}

}  // namespace tarnwick
