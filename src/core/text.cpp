#include "core/text.h"

namespace tarnwick {

namespace {

// Latin letters from one case to the other; everything else stays.
std::u16string ChangeCase(std::u16string_view text, char16_t from, char16_t to) {
    std::u16string changed(text);
    for (char16_t& c : changed) {
        if (c >= from && c <= from + 25) {
            c = static_cast<char16_t>(c - from + to);
        }
    }
    return changed;
}

}  // namespace

std::u16string Joined(std::initializer_list<std::u16string_view> parts) {
    std::size_t size = 0;
    for (const std::u16string_view part : parts) {
        size += part.size();
    }
    std::u16string joined;
    joined.reserve(size);
    for (const std::u16string_view part : parts) {
        joined += part;
    }
    return joined;
}

std::u16string ToUpperCase(std::u16string_view text) {
    return ChangeCase(text, u'a', u'A');
}

std::u16string ToLowerCase(std::u16string_view text) {
    return ChangeCase(text, u'A', u'a');
}

std::u16string_view UpToFirstNul(std::u16string_view text) {
    return text.substr(0, text.find(u'\0'));
}

std::u16string ShortenMiddle(std::u16string_view text, std::size_t maxLength) {
    if (text.size() <= maxLength || maxLength < 3) {
        return std::u16string(text.substr(0, maxLength));
    }
    const std::size_t head = (maxLength - 1) / 2;
    const std::size_t tail = maxLength - 1 - head;
    return Joined({text.substr(0, head), u"…", text.substr(text.size() - tail)});
}

std::u16string ShownPath(std::u16string_view path) {
    std::u16string shown = ShortenMiddle(path, kMessagePathLength);
    for (char16_t& c : shown) {
        c = c < 0x20 ? u'?' : c;
    }
    return shown;
}

}  // namespace tarnwick
