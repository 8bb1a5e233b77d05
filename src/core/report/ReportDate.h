#pragma once

#include <optional>
#include <string>
#include <string_view>

// The dates of a report: read as a user types them, written as the language writes them.
namespace velto {

struct CalendarDate {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;   // 1..31
    bool operator==(const CalendarDate&) const = default;
};

// A date and the time of day, to the minute.
struct DateAndTime {
    CalendarDate date;
    int hour = 0;
    int minute = 0;
};

// A date as ISO writes it (2026-12-07) or in the Italian form, by numbers (07/12/2026, 7/12/2026) or in
// words (7 dicembre 2026, any case); nothing for any other text or a day the calendar does not have.
std::optional<CalendarDate> ParseDate(std::string_view text);

std::string IsoDate(CalendarDate date);

// "7 dicembre 2026" or "7 December 2026".
std::string DateText(CalendarDate date, bool italian);

// "7 dicembre 2026, 09:05" or "7 December 2026, 09:05".
std::string DateAndTimeText(const DateAndTime& moment, bool italian);

} // namespace velto
