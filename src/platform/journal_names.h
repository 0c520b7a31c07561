// The journals' file names: NNNNNN-YYYYMMDD-HHMMSS.reg, numbered in the order they are written,
// with the local date and time for people to read; only the number tells which is newest, since
// the clock may be set back. Names of earlier versions, YYYYMMDD-HHMMSS[_NN].reg, are older than
// any numbered one, and their order is their name's. A journal is written under "~" + its name +
// ".tmp" first, which is never taken for a journal.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/journal_files_api.h"

namespace tarnwick {

inline constexpr std::uint32_t kLargestJournalNumber = 999'999'999;

std::u16string JournalFileName(std::uint32_t number, const LocalTime& time);

// The name's number, 0 for a name of an earlier version; nullopt when it is no journal's name.
std::optional<std::uint32_t> JournalNumber(std::u16string_view name);

std::u16string TemporaryJournalName(std::u16string_view journalName);
bool IsTemporaryJournalName(std::u16string_view name);

}  // namespace tarnwick
