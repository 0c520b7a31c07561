#include "core/journal.h"

#include <cstdint>

#include "core/text.h"
#include "platform/numbers.h"

namespace tarnwick {

namespace {

constexpr std::u16string_view kHeader = u"Windows Registry Editor Version 5.00";
constexpr std::u16string_view kRoot = u"HKEY_CURRENT_USER\\";
constexpr std::size_t kLineWidth = 80;  // where the Registry Editor wraps long hex lists
constexpr char16_t kDigits[] = u"0123456789abcdef";

std::u16string Hex(std::uint32_t number, int digits) {
    std::u16string hex(static_cast<std::size_t>(digits), u'0');
    for (int i = digits - 1; i >= 0; --i, number >>= 4) {
        hex[static_cast<std::size_t>(i)] = kDigits[number & 15];
    }
    return hex;
}

std::u16string Quoted(std::u16string_view text) {
    std::u16string quoted = u"\"";
    for (const char16_t c : text) {
        if (c == u'\\' || c == u'"') {
            quoted += u'\\';
        }
        quoted += c;
    }
    return quoted + u"\"";
}

// The UTF-16 code units of a string's bytes; an odd last byte is left out.
std::u16string Utf16Units(const ByteArray& bytes) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        units += static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
    }
    return units;
}

ByteArray Utf16Bytes(std::u16string_view text) {
    ByteArray bytes;
    for (const char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

// A REG_SZ that is one line of text and its terminator, nothing after it, reads as plain text.
std::optional<std::u16string> PlainText(const SavedValue& value) {
    if (value.type != kRegSz || value.data.size() < 2 || value.data.size() % 2 != 0) {
        return std::nullopt;
    }
    std::u16string text = Utf16Units(value.data);
    if (text.back() != 0) {
        return std::nullopt;
    }
    text.pop_back();
    if (text.find_first_of(std::u16string_view(u"\0\r\n", 3)) != std::u16string::npos) {
        return std::nullopt;
    }
    return text;
}

std::u16string HexList(std::u16string line, const ByteArray& bytes) {
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (line.size() - lineStart + 3 > kLineWidth - 2) {
            line += u"\\\r\n  ";
            lineStart = line.size() - 2;
        }
        line += Hex(bytes[i], 2);
        if (i + 1 < bytes.size()) {
            line += u',';
        }
    }
    return line;
}

std::u16string ValueLine(const JournalEntry& entry) {
    const std::u16string name = entry.valueName.empty() ? u"@" : Quoted(entry.valueName);
    const SavedValue& value = entry.value;
    if (!value.existed) {
        return name + u"=-";
    }
    if (const auto text = PlainText(value)) {
        return name + u"=" + Quoted(*text);
    }
    if (value.type == kRegDword && value.data.size() == 4) {
        return name + u"=dword:" + Hex(ReadLittleEndian32(value.data.data(), 4), 8);
    }
    const std::u16string prefix =
        value.type == kRegBinary ? u"hex:" : u"hex(" + Hex(value.type, 1) + u"):";
    return HexList(name + u"=" + prefix, value.data);
}

// --- Reading a journal back. ---

std::optional<std::u16string> Utf16(std::string_view file) {
    if (file.size() < 2 || file.size() % 2 != 0 || file[0] != '\xFF' || file[1] != '\xFE') {
        return std::nullopt;
    }
    std::u16string text;
    for (std::size_t i = 2; i < file.size(); i += 2) {
        text += static_cast<char16_t>(static_cast<unsigned char>(file[i]) |
                                      static_cast<unsigned char>(file[i + 1]) << 8);
    }
    return text;
}

// The file's logical lines: CRLF or LF ends, and a line ending in "\" continued on the next.
std::vector<std::u16string> Lines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    std::u16string current;
    bool continued = false;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(u'\n', start);
        if (end == std::u16string_view::npos) {
            end = text.size();
        }
        std::u16string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == u'\r') {
            line.remove_suffix(1);
        }
        if (continued) {
            line.remove_prefix(std::min(line.find_first_not_of(u' '), line.size()));
        }
        current += line;
        // Only hex lists are continued: a quoted string or a key never ends in a backslash.
        continued = !current.empty() && current.back() == u'\\';
        if (continued) {
            current.pop_back();
        } else {
            lines.push_back(std::move(current));
            current.clear();
        }
        start = end + 1;
    }
    return lines;
}

// A quoted string at the start of text, unescaped; what follows it in rest.
std::optional<std::u16string> Unquote(std::u16string_view text, std::u16string_view* rest) {
    if (text.empty() || text.front() != u'"') {
        return std::nullopt;
    }
    std::u16string value;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size()) {
            value += text[++i];
        } else if (text[i] == u'"') {
            *rest = text.substr(i + 1);
            return value;
        } else {
            value += text[i];
        }
    }
    return std::nullopt;
}

// The value of a hexadecimal digit in either case, or -1.
int HexDigit(char16_t c) {
    return c >= u'0' && c <= u'9'   ? c - u'0'
           : c >= u'a' && c <= u'f' ? c - u'a' + 10
           : c >= u'A' && c <= u'F' ? c - u'A' + 10
                                    : -1;
}

// Up to eight hexadecimal digits.
std::optional<std::uint32_t> HexNumber(std::u16string_view digits) {
    if (digits.empty() || digits.size() > 8) {
        return std::nullopt;
    }
    std::uint32_t number = 0;
    for (const char16_t c : digits) {
        if (HexDigit(c) < 0) {
            return std::nullopt;
        }
        number = number << 4 | static_cast<std::uint32_t>(HexDigit(c));
    }
    return number;
}

std::optional<ByteArray> HexBytes(std::u16string_view list) {
    ByteArray bytes;
    std::size_t i = 0;
    while (i < list.size()) {
        if (i + 1 >= list.size() || HexDigit(list[i]) < 0 || HexDigit(list[i + 1]) < 0) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<std::uint8_t>(HexDigit(list[i]) << 4 | HexDigit(list[i + 1])));
        i += 2;
        if (i < list.size()) {
            if (list[i] != u',') {
                return std::nullopt;
            }
            ++i;
        }
    }
    return bytes;
}

std::optional<SavedValue> ParseData(std::u16string_view text) {
    // The type prefixes may be written in either case; a quoted string is taken as it is.
    const std::size_t colon = text.starts_with(u'"') ? std::u16string_view::npos : text.find(u':');
    std::u16string lowered =
        ToLowerCase(text.substr(0, colon == std::u16string_view::npos ? 0 : colon + 1));
    lowered += text.substr(lowered.size());
    std::u16string_view data = lowered;
    std::u16string_view rest;
    if (data == u"-") {
        return SavedValue{};
    }
    if (const auto text = Unquote(data, &rest)) {
        if (!rest.empty()) {
            return std::nullopt;
        }
        return SavedValue{true, kRegSz, Utf16Bytes(*text + u'\0')};
    }
    if (data.starts_with(u"dword:")) {
        const std::optional<std::uint32_t> number = HexNumber(data.substr(6));
        if (!number) {
            return std::nullopt;
        }
        const auto bytes = LittleEndian32(*number);
        return SavedValue{true, kRegDword, ByteArray(bytes.begin(), bytes.end())};
    }
    std::uint32_t type = kRegBinary;
    if (data.starts_with(u"hex(")) {
        const std::size_t close = data.find(u"):");
        const std::optional<std::uint32_t> number = close == std::u16string_view::npos
                                                        ? std::nullopt
                                                        : HexNumber(data.substr(4, close - 4));
        if (!number) {
            return std::nullopt;
        }
        type = *number;
        data.remove_prefix(close + 2);
    } else if (data.starts_with(u"hex:")) {
        data.remove_prefix(4);
    } else {
        return std::nullopt;
    }
    const std::optional<ByteArray> bytes = HexBytes(data);
    if (!bytes) {
        return std::nullopt;
    }
    return SavedValue{true, type, *bytes};
}

}  // namespace

std::string JournalFile(const std::vector<JournalEntry>& entries) {
    std::u16string text = std::u16string(kHeader) + u"\r\n";
    const std::u16string* key = nullptr;
    for (const JournalEntry& entry : entries) {
        if (!key || *key != entry.key) {
            key = &entry.key;
            text += u"\r\n[" + std::u16string(kRoot) + entry.key + u"]\r\n";
        }
        text += ValueLine(entry) + u"\r\n";
    }
    std::string bytes = "\xFF\xFE";
    for (const char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

std::optional<std::vector<JournalEntry>> ParseJournal(std::string_view file) {
    const std::optional<std::u16string> text = Utf16(file);
    if (!text) {
        return std::nullopt;
    }
    const std::vector<std::u16string> lines = Lines(*text);
    if (lines.empty() || lines.front() != kHeader) {
        return std::nullopt;
    }
    std::vector<JournalEntry> entries;
    std::optional<std::u16string> key;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::u16string_view line = lines[i];
        if (line.empty() || line.front() == u';') {
            continue;
        }
        if (line.front() == u'[') {
            if (line.back() != u']' || !line.substr(1).starts_with(kRoot)) {
                return std::nullopt;  // only the user's own part of the registry
            }
            key = std::u16string(line.substr(1 + kRoot.size(), line.size() - 2 - kRoot.size()));
            continue;
        }
        std::u16string_view rest;
        std::optional<std::u16string> name;
        if (line.front() == u'@') {
            name = u"";
            rest = line.substr(1);
        } else {
            name = Unquote(line, &rest);
        }
        if (!key || !name || rest.empty() || rest.front() != u'=') {
            return std::nullopt;
        }
        const std::optional<SavedValue> value = ParseData(rest.substr(1));
        if (!value) {
            return std::nullopt;
        }
        entries.push_back({*key, *name, *value});
    }
    return entries;
}

}  // namespace tarnwick
