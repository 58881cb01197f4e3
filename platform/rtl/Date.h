#pragma once
// Calendar dates (proleptic Gregorian) and times of day, with their text forms
// under the program's fixed format settings: "dd/mm/yyyy", "hh:nn", "hh:nn:ss".
// Dates compare as day numbers, never as texts; no system locale or time zone
// takes part.
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rtl {

bool IsLeapYear(int year);
// Days of a month (1-12) of a year; 0 for a month out of range.
int DaysInMonth(int year, int month);

class Date {
public:
    // 01/01/0001.
    constexpr Date() = default;

    // The date of a year, month and day; nothing when the day does not exist.
    // Only years 1 to 9999 are accepted.
    static std::optional<Date> FromYmd(int year, int month, int day);

    // Days since 01/01/0001 (which is day 0).
    constexpr std::int32_t Serial() const { return serial_; }

    int Year() const;
    int Month() const;
    int Day() const;
    // 1 = Monday ... 7 = Sunday.
    int DayOfWeek() const;
    // 1 for 1 January ... 365 or 366 for 31 December.
    int DayOfYear() const;

    constexpr Date AddDays(std::int32_t days) const { return Date(serial_ + days); }
    // Number of days from `other` to this date.
    constexpr std::int32_t operator-(Date other) const { return serial_ - other.serial_; }

    constexpr auto operator<=>(const Date&) const = default;

private:
    constexpr explicit Date(std::int32_t serial) : serial_(serial) {}
    std::int32_t serial_ = 0;
};

struct TimeOfDay {
    int hour = 0;   // 0-23
    int minute = 0; // 0-59
    int second = 0; // 0-59
    constexpr auto operator<=>(const TimeOfDay&) const = default;
};

struct DateTime {
    Date date;
    TimeOfDay time;
    constexpr auto operator<=>(const DateTime&) const = default;
};

// A date under the short date format: day and month of one or two digits, a
// four-digit year 0001 to 9999, "/" between them, and nothing else (no blanks,
// no two-digit year, no time). "5/3/2026" parses; "31/02/2024" does not.
std::optional<Date> ParseDate(std::string_view text);
// True when ParseDate succeeds.
bool IsValidDate(std::string_view text);

// A time of day "hh:nn" or "hh:nn:ss", each part of one or two digits, hours
// 0-23, minutes and seconds 0-59, nothing else.
std::optional<TimeOfDay> ParseTime(std::string_view text);

// "dd/mm/yyyy".
std::string FormatDate(Date d);
// "hh:nn".
std::string FormatTime(TimeOfDay t);
// "hh:nn:ss".
std::string FormatLongTime(TimeOfDay t);

} // namespace rtl
