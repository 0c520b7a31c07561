#include "platform/journal_names.h"

namespace tarnwick {

namespace {

constexpr std::u16string_view kTemporaryStart = u"~";
constexpr std::u16string_view kTemporaryEnd = u".tmp";

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

std::u16string Digits(std::uint32_t number, std::size_t width) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + number % 10));
        number /= 10;
    } while (number > 0);
    return std::u16string(width > digits.size() ? width - digits.size() : 0, u'0') + digits;
}

std::u16string Digits(int number, std::size_t width) {
    return Digits(static_cast<std::uint32_t>(number < 0 ? 0 : number), width);
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
    return Digits(number, 6) + u"-" + Digits(time.year, 4) + Digits(time.month, 2) +
           Digits(time.day, 2) + u"-" + Digits(time.hour, 2) + Digits(time.minute, 2) +
           Digits(time.second, 2) + u".reg";
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
    return std::u16string(kTemporaryStart) + std::u16string(journalName) +
           std::u16string(kTemporaryEnd);
}

bool IsTemporaryJournalName(std::u16string_view name) {
    return name.size() > kTemporaryStart.size() + kTemporaryEnd.size() &&
           name.starts_with(kTemporaryStart) && name.ends_with(kTemporaryEnd) &&
           JournalNumber(name.substr(kTemporaryStart.size(),
                                     name.size() - kTemporaryStart.size() - kTemporaryEnd.size()))
               .has_value();
}

}  // namespace tarnwick
