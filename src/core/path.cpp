#include "core/path.h"

#include <algorithm>
#include <vector>

#include "core/text.h"

namespace tarnwick {

namespace {

bool IsLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool IsForbiddenInName(char16_t c) {
    return c < 0x20 || c == u'"' || c == u'<' || c == u'>' || c == u'|' || c == u'?' || c == u'*';
}

bool IsSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

// Where the part after the root starts: 3 for "X:\", after "\\server\share" for a share, or
// npos when the path has no root.
std::size_t RootLength(std::u16string_view path) {
    if (path.size() >= 3 && IsLetter(path[0]) && path[1] == u':' && IsSeparator(path[2])) {
        return 3;
    }
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        const std::size_t server = 2;
        const std::size_t shareStart = path.find_first_of(u"\\/", server);
        if (shareStart == std::u16string_view::npos || shareStart == server) {
            return std::u16string_view::npos;
        }
        const std::size_t shareEnd = path.find_first_of(u"\\/", shareStart + 1);
        const std::size_t end = shareEnd == std::u16string_view::npos ? path.size() : shareEnd;
        if (end == shareStart + 1) {
            return std::u16string_view::npos;
        }
        return end;
    }
    return std::u16string_view::npos;
}

}  // namespace

bool IsAbsolutePath(std::u16string_view path) {
    const std::size_t root = RootLength(path);
    if (root == std::u16string_view::npos) {
        return false;
    }
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsForbiddenInName(path[i]) || (path[i] == u':' && i != 1)) {
            return false;
        }
    }
    return true;
}

bool IsRootPath(std::u16string_view path) {
    const std::u16string comparable = ComparablePath(path);
    const std::size_t root = RootLength(comparable);
    return root != std::u16string_view::npos && root == comparable.size();
}

std::u16string ComparablePath(std::u16string_view path) {
    std::u16string spelled = ToUpperCase(UpToFirstNul(path));
    for (char16_t& c : spelled) {
        c = c == u'/' ? u'\\' : c;
    }
    const std::size_t root = RootLength(spelled);
    const std::size_t keep = root == std::u16string_view::npos ? 0 : root;
    // "." and ".." are resolved as Windows does, so "X\\.." is seen to be X's parent.
    std::vector<std::u16string_view> parts;
    const std::u16string_view rest = std::u16string_view(spelled).substr(keep);
    std::size_t start = 0;
    while (start < rest.size()) {
        const std::size_t end = std::min(rest.find(u'\\', start), rest.size());
        const std::u16string_view part = rest.substr(start, end - start);
        if (part == u"..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != u".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::u16string comparable = spelled.substr(0, keep);
    for (const std::u16string_view part : parts) {
        if (!comparable.empty() && comparable.back() != u'\\') {
            comparable += u'\\';
        }
        comparable += part;
    }
    return comparable;
}

bool SamePath(std::u16string_view a, std::u16string_view b) {
    return ComparablePath(a) == ComparablePath(b);
}

bool IsSameOrInside(std::u16string_view inner, std::u16string_view outer) {
    const std::u16string in = ComparablePath(inner);
    const std::u16string out = ComparablePath(outer);
    if (out.empty() || in.size() < out.size() || in.compare(0, out.size(), out) != 0) {
        return false;
    }
    return in.size() == out.size() || out.back() == u'\\' || in[out.size()] == u'\\';
}

std::vector<std::u16string_view> PathLevels(std::u16string_view path) {
    const std::size_t root = RootLength(path);
    std::vector<std::u16string_view> levels;
    std::size_t start = root == std::u16string_view::npos ? 0 : root;
    while (start < path.size()) {
        std::size_t end = start;
        while (end < path.size() && !IsSeparator(path[end])) {
            ++end;
        }
        if (end > start) {
            levels.push_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return levels;
}

std::vector<std::u16string> PathPrefixes(std::u16string_view path) {
    const std::size_t root = RootLength(path);
    if (root == std::u16string_view::npos) {
        return {};
    }
    std::u16string prefix(path.substr(0, root));
    std::vector<std::u16string> prefixes{prefix};
    for (const std::u16string_view level : PathLevels(path)) {
        if (!IsSeparator(prefix.back())) {
            prefix += u'\\';
        }
        prefix += level;
        prefixes.push_back(prefix);
    }
    return prefixes;
}

std::optional<std::u16string> ReservedDeviceLevel(std::u16string_view path) {
    for (const std::u16string_view level : PathLevels(path)) {
        // "con.txt" and "CON .log" name the device too.
        std::u16string base = ToUpperCase(level.substr(0, level.find(u'.')));
        while (!base.empty() && base.back() == u' ') {
            base.pop_back();
        }
        const bool numbered = base.size() == 4 &&
                              (base.starts_with(u"COM") || base.starts_with(u"LPT")) &&
                              base[3] >= u'1' && base[3] <= u'9';
        if (numbered || base == u"CON" || base == u"PRN" || base == u"AUX" || base == u"NUL") {
            return std::u16string(level);
        }
    }
    return std::nullopt;
}

std::optional<std::u16string> LevelEndingInDotOrSpace(std::u16string_view path) {
    for (const std::u16string_view level : PathLevels(path)) {
        // "." and ".." are steps, not names.
        if (level == u"." || level == u"..") {
            continue;
        }
        if (level.back() == u'.' || level.back() == u' ') {
            return std::u16string(level);
        }
    }
    return std::nullopt;
}

bool HasCommandUnsafeCharacter(std::u16string_view path) {
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsForbiddenInName(path[i]) || path[i] == u'%' || path[i] == 0x7F ||
            (path[i] == u':' && i != 1)) {
            return true;
        }
    }
    return false;
}

}  // namespace tarnwick
