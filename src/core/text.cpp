#include "core/text.h"

namespace tarnwick {

std::u16string ToUpperCase(std::u16string_view text) {
    std::u16string upper(text);
    for (char16_t& c : upper) {
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - u'a' + u'A');
        }
    }
    return upper;
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
    return std::u16string(text.substr(0, head)) + u"…" +
           std::u16string(text.substr(text.size() - tail));
}

std::u16string ShownPath(std::u16string_view path) {
    std::u16string shown = ShortenMiddle(path, kMessagePathLength);
    for (char16_t& c : shown) {
        c = c < 0x20 ? u'?' : c;
    }
    return shown;
}

std::string ToUtf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace tarnwick
