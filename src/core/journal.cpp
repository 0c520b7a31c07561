#include "core/journal.h"

#include <algorithm>
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

// Without leading zeros.
std::u16string ShortHex(std::uint32_t number) {
    std::u16string hex = Hex(number, 8);
    return hex.substr(std::min(hex.find_first_not_of(u'0'), hex.size() - 1));
}

std::u16string Quoted(std::u16string_view text) {
    std::u16string quoted = u"\"";
    for (const char16_t c : text) {
        if (c == u'\\' || c == u'"') {
            quoted += u'\\';
        }
        quoted += c;
    }
    quoted += u'"';
    return quoted;
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
        return Joined({name, u"=-"});
    }
    if (const auto text = PlainText(value)) {
        return Joined({name, u"=", Quoted(*text)});
    }
    if (value.type == kRegDword && value.data.size() == 4) {
        return Joined({name, u"=dword:", Hex(ReadLittleEndian32(value.data.data(), 4), 8)});
    }
    // The type in full, as the Registry Editor writes it: hex(10) for type 16.
    return HexList(value.type == kRegBinary ? Joined({name, u"=hex:"})
                                            : Joined({name, u"=hex(", ShortHex(value.type), u"):"}),
                   value.data);
}

// --- Reading a journal back. ---
//
// A file is read only when it is exactly what JournalFile writes for the entries read from it,
// comment lines aside: then the Registry Editor, opened on the same file, sets the same values.
// Anything cut short or changed is refused whole.

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

// The lines without their CRLF ends; nullopt when a CR or an LF stands alone or the last line is
// not ended, as in a file cut short.
std::optional<std::vector<std::u16string_view>> CrLfLines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of(u"\r\n", start);
        if (end == std::u16string_view::npos || text[end] != u'\r' || end + 1 == text.size() ||
            text[end + 1] != u'\n') {
            return std::nullopt;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// A line the Registry Editor passes over: ";" or "#" first after blanks, and within a hex list
// continued from the line before only ";". A comment is never continued, whatever it ends with.
bool IsComment(std::u16string_view line, bool inHexList) {
    const std::size_t first = line.find_first_not_of(u" \t");
    return first != std::u16string_view::npos &&
           (line[first] == u';' || (line[first] == u'#' && !inHexList));
}

// The lines as one logical line each: a hex list's line ending in "\" goes on in the next, after
// its indent; nullopt when the last one would go on.
std::optional<std::vector<std::u16string>> LogicalLines(
    const std::vector<std::u16string_view>& lines) {
    std::vector<std::u16string> logical;
    bool continued = false;
    for (std::u16string_view line : lines) {
        if (continued) {
            line.remove_prefix(std::min(line.find_first_not_of(u' '), line.size()));
            logical.back() += line;
        } else {
            // Made a string first: the vector then grows by the code it has for strings already.
            logical.push_back(std::u16string(line));
        }
        continued = !logical.back().empty() && logical.back().back() == u'\\';
        if (continued) {
            logical.back().pop_back();
        }
    }
    if (continued) {
        return std::nullopt;
    }
    return logical;
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

int HexDigit(char16_t c) {
    return c >= u'0' && c <= u'9' ? c - u'0' : c >= u'a' && c <= u'f' ? c - u'a' + 10 : -1;
}

// One to eight hexadecimal digits.
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

// Two digits a byte, a comma between bytes.
std::optional<ByteArray> HexBytes(std::u16string_view list) {
    ByteArray bytes;
    for (std::size_t i = 0; i < list.size(); i += 3) {
        if (i + 2 > list.size() || HexDigit(list[i]) < 0 || HexDigit(list[i + 1]) < 0 ||
            (i + 2 < list.size() && (list[i + 2] != u',' || i + 3 == list.size()))) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<std::uint8_t>(HexDigit(list[i]) << 4 | HexDigit(list[i + 1])));
    }
    return bytes;
}

std::optional<SavedValue> ParseData(std::u16string_view data) {
    std::u16string_view rest;
    if (data == u"-") {
        return SavedValue{};
    }
    if (const auto text = Unquote(data, &rest)) {
        if (!rest.empty()) {
            return std::nullopt;
        }
        // The bytes of the text and of its terminator, which c_str() guarantees.
        return SavedValue{true, kRegSz,
                          Utf16Bytes(std::u16string_view(text->c_str(), text->size() + 1))};
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

std::optional<std::vector<JournalEntry>> ParseEntries(const std::vector<std::u16string>& lines) {
    std::vector<JournalEntry> entries;
    std::optional<std::u16string> key;
    for (const std::u16string_view line : lines) {
        if (line.empty()) {
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

std::u16string JournalText(const std::vector<JournalEntry>& entries) {
    std::u16string text = Joined({kHeader, u"\r\n"});
    const std::u16string* key = nullptr;
    for (const JournalEntry& entry : entries) {
        if (!key || *key != entry.key) {
            key = &entry.key;
            text += Joined({u"\r\n[", kRoot, entry.key, u"]\r\n"});
        }
        text += ValueLine(entry);
        text += u"\r\n";
    }
    return text;
}

}  // namespace

std::string JournalFile(const std::vector<JournalEntry>& entries) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t c : JournalText(entries)) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

std::optional<std::vector<JournalEntry>> ParseJournal(std::string_view file) {
    const std::optional<std::u16string> text = Utf16(file);
    const auto lines = text ? CrLfLines(*text) : std::nullopt;
    if (!lines || lines->empty() || lines->front() != kHeader) {
        return std::nullopt;
    }
    std::vector<std::u16string_view> kept;
    std::u16string uncommented = Joined({kHeader, u"\r\n"});
    for (std::size_t i = 1; i < lines->size(); ++i) {
        const std::u16string_view line = (*lines)[i];
        if (!IsComment(line, !kept.empty() && kept.back().ends_with(u'\\'))) {
            kept.push_back(line);
            uncommented += line;
            uncommented += u"\r\n";
        }
    }
    const auto logical = LogicalLines(kept);
    auto entries = logical ? ParseEntries(*logical) : std::nullopt;
    if (!entries || JournalText(*entries) != uncommented) {
        return std::nullopt;
    }
    return entries;
}

}  // namespace tarnwick
