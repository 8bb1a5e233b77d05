#include "ReportDate.h"

#include "Words.h"

#include <array>
#include <cctype>
#include <cstdio>

namespace velto {
namespace {

constexpr std::array<TextPair, 12> kMonths{{{"gennaio", "January"},
                                            {"febbraio", "February"},
                                            {"marzo", "March"},
                                            {"aprile", "April"},
                                            {"maggio", "May"},
                                            {"giugno", "June"},
                                            {"luglio", "July"},
                                            {"agosto", "August"},
                                            {"settembre", "September"},
                                            {"ottobre", "October"},
                                            {"novembre", "November"},
                                            {"dicembre", "December"}}};

int DaysIn(int year, int month) {
    constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[std::size_t(month - 1)];
}

// Reads the decimal digits at the front of text, at least `least` and at most `most` of them.
std::optional<int> TakeNumber(std::string_view& text, std::size_t least, std::size_t most) {
    std::size_t length = 0;
    int value = 0;
    while (length < text.size() && length < most && std::isdigit(static_cast<unsigned char>(text[length])))
        value = value * 10 + (text[length++] - '0');
    if (length < least)
        return std::nullopt;
    text.remove_prefix(length);
    return value;
}

bool TakeText(std::string_view& text, std::string_view expected) {
    if (text.size() < expected.size())
        return false;
    for (std::size_t i = 0; i < expected.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != expected[i])
            return false;
    text.remove_prefix(expected.size());
    return true;
}

std::optional<int> TakeMonthName(std::string_view& text) {
    for (std::size_t month = 0; month < kMonths.size(); ++month)
        if (TakeText(text, kMonths[month].italian))
            return int(month) + 1;
    return std::nullopt;
}

std::optional<CalendarDate> Checked(int year, std::optional<int> month, std::optional<int> day) {
    if (year < 1 || !month || !day || *month < 1 || *month > 12 || *day < 1 || *day > DaysIn(year, *month))
        return std::nullopt;
    return CalendarDate{year, *month, *day};
}

} // namespace

std::optional<CalendarDate> ParseDate(std::string_view text) {
    std::string_view rest = text;
    if (text.size() == 10 && text[4] == '-') {
        const auto year = TakeNumber(rest, 4, 4);
        if (!year || !TakeText(rest, "-"))
            return std::nullopt;
        const auto month = TakeNumber(rest, 2, 2);
        if (!TakeText(rest, "-"))
            return std::nullopt;
        const auto day = TakeNumber(rest, 2, 2);
        return rest.empty() ? Checked(*year, month, day) : std::nullopt;
    }
    const auto day = TakeNumber(rest, 1, 2);
    std::optional<int> month;
    if (TakeText(rest, "/")) {
        month = TakeNumber(rest, 1, 2);
        if (!TakeText(rest, "/"))
            return std::nullopt;
    } else if (TakeText(rest, " ")) {
        month = TakeMonthName(rest);
        if (!TakeText(rest, " "))
            return std::nullopt;
    }
    const auto year = TakeNumber(rest, 4, 4);
    if (!year || !rest.empty())
        return std::nullopt;
    return Checked(*year, month, day);
}

std::string IsoDate(CalendarDate date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year % 10000, date.month % 100, date.day % 100);
    return text;
}

std::string DateText(CalendarDate date, bool italian) {
    return std::to_string(date.day) + ' ' + std::string(kMonths[std::size_t(date.month - 1)].pick(italian)) +
           ' ' + std::to_string(date.year);
}

std::string DateAndTimeText(const DateAndTime& moment, bool italian) {
    char clock[8];
    std::snprintf(clock, sizeof clock, "%02d:%02d", moment.hour % 100, moment.minute % 100);
    return DateText(moment.date, italian) + ", " + clock;
}

} // namespace velto
