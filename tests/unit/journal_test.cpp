// The journal: the Registry Editor's format byte for byte for every kind of value, read back as
// written, and only the user's own part of the registry accepted.
#include <gtest/gtest.h>

#include "core/journal.h"
#include "support/bytes.h"

namespace tarnwick::testing {
namespace {

std::string Utf16File(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

const std::vector<JournalEntry> kEveryKind = {
    {u"Environment", u"Tmp", {true, kRegSz, Utf16Le(std::u16string_view(u"C:\\x \"y\"\0", 9))}},
    {u"Environment", u"Temp", {true, kRegSz, Utf16Le(std::u16string_view(u"ab\0\0", 4))}},
    {u"Environment", u"Gone", {}},
    {u"Software\\A", u"", {true, kRegSz, Utf16Le(std::u16string_view(u"中\0", 2))}},
    {u"Software\\A", u"E", {true, kRegExpandSz, Utf16Le(std::u16string_view(u"%U%\0", 4))}},
    {u"Software\\A", u"M", {true, kRegMultiSz, Utf16Le(std::u16string_view(u"a\0b\0\0", 5))}},
    {u"Software\\A", u"D", {true, kRegDword, {0x0A, 0, 0, 0x80}}},
    {u"Software\\A", u"B", {true, kRegBinary, {0x00, 0xFF}}},
    {u"Software\\A", u"N", {true, 9, {0x01}}},
    {u"Software\\A", u"T", {true, 16, {0x02}}},
};

TEST(Journal, EveryKindOfValueInTheRegistryEditorsOwnFormat) {
    const std::u16string expected =
        u"Windows Registry Editor Version 5.00\r\n"
        u"\r\n[HKEY_CURRENT_USER\\Environment]\r\n"
        u"\"Tmp\"=\"C:\\\\x \\\"y\\\"\"\r\n"
        u"\"Temp\"=hex(1):61,00,62,00,00,00,00,00\r\n"
        u"\"Gone\"=-\r\n"
        u"\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n"
        u"@=\"中\"\r\n"
        u"\"E\"=hex(2):25,00,55,00,25,00,00,00\r\n"
        u"\"M\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
        u"\"D\"=dword:8000000a\r\n"
        u"\"B\"=hex:00,ff\r\n"
        u"\"N\"=hex(9):01\r\n"
        u"\"T\"=hex(10):02\r\n";
    EXPECT_EQ(JournalFile(kEveryKind), Utf16File(expected));
}

TEST(Journal, ReadsBackWhatItWroteIncludingLongListsItWrapped) {
    std::vector<JournalEntry> entries = kEveryKind;
    // A location as the program writes it: a zero-filled block.
    std::u16string block = u"D:\\我\\Temp";
    block.resize(255, u'\0');
    entries.push_back({u"Environment", u"Block", {true, kRegSz, Utf16Le(block)}});
    const std::string file = JournalFile(entries);
    const auto read = ParseJournal(file);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ((*read)[i], entries[i])
            << std::string(entries[i].valueName.begin(), entries[i].valueName.end());
    }

    // Wrapped as the Registry Editor wraps: no line over 80 characters, continued after "\".
    std::u16string text;
    for (std::size_t i = 2; i < file.size(); i += 2) {
        text += static_cast<char16_t>(static_cast<unsigned char>(file[i]) |
                                      static_cast<unsigned char>(file[i + 1]) << 8);
    }
    std::size_t start = 0;
    int continued = 0;
    while (start < text.size()) {
        const std::size_t end = text.find(u"\r\n", start);
        const std::u16string_view line = std::u16string_view(text).substr(start, end - start);
        EXPECT_LE(line.size(), 80u);
        continued += line.ends_with(u",\\") ? 1 : 0;
        start = end + 2;
    }
    EXPECT_GT(continued, 5);
}

TEST(Journal, AFileCutShortAnywhereInAValueIsRefused) {
    ByteArray list(100);
    for (std::size_t i = 0; i < list.size(); ++i) {
        list[i] = static_cast<std::uint8_t>(i);
    }
    const std::string file = JournalFile({{u"Environment", u"Tmp", {true, kRegBinary, list}}});
    const std::size_t value = file.find(std::string("\"\0T\0m\0p\0\"\0", 10));
    ASSERT_NE(value, std::string::npos);
    ASSERT_TRUE(ParseJournal(file));
    // Inside a line, inside the wrapped list, right after a continuation, before the last CRLF.
    for (std::size_t cut = value + 2; cut < file.size(); cut += 2) {
        EXPECT_FALSE(ParseJournal(file.substr(0, cut)))
            << "cut at " << cut << " of " << file.size();
    }
}

struct FileCase {
    const char* name;
    std::u16string body;  // after the header line
    std::optional<std::vector<JournalEntry>> entries;
};

TEST(Journal, CommentsAreReadAsTheRegistryEditorReadsThemAndAnythingElseIsRefused) {
    const std::vector<JournalEntry> none;
    const std::vector<JournalEntry> deleted = {{u"K", u"v", {}}};
    const std::vector<JournalEntry> list = {{u"K", u"v", {true, kRegBinary, ByteArray(30, 0xAB)}}};
    const std::u16string wrapped =  // as JournalFile wraps those 30 bytes
        u"\"v\"=hex:ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,\\\r\n";
    const std::vector<FileCase> cases = {
        {"comments", u"; a note\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n# another\r\n\"v\"=-\r\n",
         deleted},
        {"a comment ending in a backslash is not continued",
         u"\r\n[HKEY_CURRENT_USER\\K]\r\n; \\\r\n\"v\"=-\r\n", deleted},
        {"a ';' line within a wrapped list is passed over",
         u"\r\n[HKEY_CURRENT_USER\\K]\r\n" + wrapped + u"  ; note\r\n  ab,ab,ab,ab,ab,ab,ab\r\n",
         list},
        {"a '#' line ends a wrapped list for the Registry Editor",
         u"\r\n[HKEY_CURRENT_USER\\K]\r\n" + wrapped + u"# note\r\n  ab,ab,ab,ab,ab,ab,ab\r\n",
         std::nullopt},
        {"only the header", u"", none},
        {"LF line ends", u"\n[HKEY_CURRENT_USER\\K]\n\"v\"=-\n", std::nullopt},
        {"a lone CR", u"\r\n[HKEY_CURRENT_USER\\K]\r\n\"v\"=-\r\r\n", std::nullopt},
        {"upper case", u"\r\n[HKEY_CURRENT_USER\\K]\r\n\"v\"=DWORD:0000000a\r\n", std::nullopt},
        {"blanks", u"\r\n[HKEY_CURRENT_USER\\K]\r\n\"v\" = -\r\n", std::nullopt},
        {"a leading zero in the type", u"\r\n[HKEY_CURRENT_USER\\K]\r\n\"v\"=hex(01):00,00\r\n",
         std::nullopt},
        {"a trailing comma", u"\r\n[HKEY_CURRENT_USER\\K]\r\n\"v\"=hex:01,\r\n", std::nullopt},
        {"no blank line before the key", u"[HKEY_CURRENT_USER\\K]\r\n\"v\"=-\r\n", std::nullopt},
        {"another root", u"\r\n[HKEY_LOCAL_MACHINE\\Software]\r\n\"v\"=-\r\n", std::nullopt},
        {"no key", u"\r\n\"v\"=-\r\n", std::nullopt},
        {"not hex", u"\r\n[HKEY_CURRENT_USER\\K]\r\n\"v\"=hex:4g\r\n", std::nullopt},
        {"no quotes", u"\r\n[HKEY_CURRENT_USER\\K]\r\nv=-\r\n", std::nullopt},
        {"nine digits", u"\r\n[HKEY_CURRENT_USER\\K]\r\n\"v\"=dword:123456789\r\n", std::nullopt},
    };
    const std::u16string header = u"Windows Registry Editor Version 5.00\r\n";
    for (const FileCase& c : cases) {
        EXPECT_EQ(ParseJournal(Utf16File(header + c.body)), c.entries) << c.name;
    }
    EXPECT_FALSE(ParseJournal("Windows Registry Editor Version 5.00\r\n")) << "not UTF-16";
}

}  // namespace
}  // namespace tarnwick::testing
