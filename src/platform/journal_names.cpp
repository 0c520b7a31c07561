#include "platform/journal_names.h"

#include "platform/numbers.h"

namespace tarnwick {

namespace {

constexpr std::u16string_view kTemporaryStart = u"~";
constexpr std::u16string_view kTemporaryEnd = u".tmp";

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// At least width digits, zeros in front, appended to text; a negative number is written as 0.
void AppendDigits(std::u16string& text, std::int64_t number, std::size_t width) {
    const std::u16string digits = DecimalText(number < 0 ? 0 : number);
    text.append(width > digits.size() ? width - digits.size() : 0, u'0');
    text += digits;
}

// Whether text is pattern, where "#" stands for any digit.
bool Matches(std::u16string_view text, std::u16string_view pattern) {
    if (text.size() != pattern.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (pattern[i] == u'#' ? !IsDigit(text[i]) : text[i] != pattern[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::u16string JournalFileName(std::uint32_t number, const LocalTime& time) {
    std::u16string name;
    AppendDigits(name, number, 6);
    name += u'-';
    AppendDigits(name, time.year, 4);
    AppendDigits(name, time.month, 2);
    AppendDigits(name, time.day, 2);
    name += u'-';
    AppendDigits(name, time.hour, 2);
    AppendDigits(name, time.minute, 2);
    AppendDigits(name, time.second, 2);
    name += u".reg";
    return name;
}

std::optional<std::uint32_t> JournalNumber(std::u16string_view name) {
    if (Matches(name, u"########-######.reg") || Matches(name, u"########-######_##.reg")) {
        return 0;
    }
    const std::size_t dash = name.find(u'-');
    if (dash == 0 || dash > 9 || dash == std::u16string_view::npos ||
        !Matches(name.substr(dash), u"-########-######.reg")) {
        return std::nullopt;
    }
    std::uint32_t number = 0;
    for (const char16_t c : name.substr(0, dash)) {
        if (!IsDigit(c)) {
            return std::nullopt;
        }
        number = number * 10 + static_cast<std::uint32_t>(c - u'0');
    }
    return number;
}

std::u16string TemporaryJournalName(std::u16string_view journalName) {
    std::u16string name(kTemporaryStart);
    name += journalName;
    name += kTemporaryEnd;
    return name;
}

bool IsTemporaryJournalName(std::u16string_view name) {
    return name.size() > kTemporaryStart.size() + kTemporaryEnd.size() &&
           name.starts_with(kTemporaryStart) && name.ends_with(kTemporaryEnd) &&
           JournalNumber(name.substr(kTemporaryStart.size(),
                                     name.size() - kTemporaryStart.size() - kTemporaryEnd.size()))
               .has_value();
}

}  // namespace tarnwick
