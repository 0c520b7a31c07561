// The journal of a run: the previous state of every registry value the run is about to write, as a
// file in the Registry Editor's own format, so that opening it in Explorer puts the previous
// locations back with Windows' own tool, and /undo can apply it too.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mod_reg.h"

namespace tarnwick {

// One value below HKEY_CURRENT_USER: its type and bytes as Windows stores them (strings in
// UTF-16), or that it did not exist.
struct JournalEntry {
    std::u16string key;
    std::u16string valueName;
    SavedValue value;
    bool operator==(const JournalEntry&) const = default;
};

// "Windows Registry Editor Version 5.00" in UTF-16 LE with its byte-order mark and CRLF line
// ends. Strings are plain "text" where that is exact and hex(1), hex(2) or hex(7) otherwise, a
// type written in full (hex(10) for type 16); a value that did not exist is "name"=-.
std::string JournalFile(const std::vector<JournalEntry>& entries);

// The entries of such a file, keys below HKEY_CURRENT_USER only. The file must be exactly what
// JournalFile writes for them, but for comment lines, which are passed over as the Registry
// Editor passes over them; nullopt for anything else, such as a file cut short.
std::optional<std::vector<JournalEntry>> ParseJournal(std::string_view file);

}  // namespace tarnwick
