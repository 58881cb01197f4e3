#include "platform/rtl/Date.h"

#include "platform/rtl/Format.h"

namespace rtl {

namespace {

// Days from 01/01/0001 to the given date, by eras of 400 years (146097 days).
std::int32_t SerialOf(int y, int m, int d) {
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    // Day 0 of this count is 01/03/0000; 01/01/0001 comes 306 days later.
    return era * 146097 + doe - 306;
}

struct Ymd {
    int y, m, d;
};

Ymd YmdOf(std::int32_t serial) {
    const std::int32_t z = serial + 306;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int doe = z - era * 146097;
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    const int d = doy - (153 * mp + 2) / 5 + 1;
    const int m = mp < 10 ? mp + 3 : mp - 9;
    const int y = yoe + era * 400 + (m <= 2);
    return {y, m, d};
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads between minDigits and maxDigits decimal digits at pos.
std::optional<int> ReadNumber(std::string_view s, std::size_t& pos, int minDigits, int maxDigits) {
    int value = 0, n = 0;
    while (pos < s.size() && IsDigit(s[pos]) && n < maxDigits) {
        value = value * 10 + (s[pos] - '0');
        ++pos;
        ++n;
    }
    if (n < minDigits) return std::nullopt;
    if (pos < s.size() && IsDigit(s[pos])) return std::nullopt; // too many digits
    return value;
}

bool Expect(std::string_view s, std::size_t& pos, char c) {
    if (pos >= s.size() || s[pos] != c) return false;
    ++pos;
    return true;
}

void AppendTwo(std::string& out, int v) {
    out += static_cast<char>('0' + v / 10 % 10);
    out += static_cast<char>('0' + v % 10);
}

} // namespace

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

std::optional<Date> Date::FromYmd(int year, int month, int day) {
    if (year < 1 || year > 9999) return std::nullopt;
    if (day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
    return Date(SerialOf(year, month, day));
}

int Date::Year() const {
    return YmdOf(serial_).y;
}
int Date::Month() const {
    return YmdOf(serial_).m;
}
int Date::Day() const {
    return YmdOf(serial_).d;
}

int Date::DayOfWeek() const {
    // Day 0 (01/01/0001) is a Monday.
    const int r = serial_ % 7;
    return (r < 0 ? r + 7 : r) + 1;
}

int Date::DayOfYear() const {
    return serial_ - SerialOf(Year(), 1, 1) + 1;
}

std::optional<Date> ParseDate(std::string_view text) {
    std::size_t pos = 0;
    const auto day = ReadNumber(text, pos, 1, 2);
    if (!day || !Expect(text, pos, FormatSettings::DateSeparator)) return std::nullopt;
    const auto month = ReadNumber(text, pos, 1, 2);
    if (!month || !Expect(text, pos, FormatSettings::DateSeparator)) return std::nullopt;
    const auto year = ReadNumber(text, pos, 4, 4);
    if (!year || pos != text.size()) return std::nullopt;
    return Date::FromYmd(*year, *month, *day);
}

bool IsValidDate(std::string_view text) {
    return ParseDate(text).has_value();
}

std::optional<TimeOfDay> ParseTime(std::string_view text) {
    std::size_t pos = 0;
    TimeOfDay t;
    const auto h = ReadNumber(text, pos, 1, 2);
    if (!h || !Expect(text, pos, FormatSettings::TimeSeparator)) return std::nullopt;
    const auto n = ReadNumber(text, pos, 1, 2);
    if (!n) return std::nullopt;
    t.hour = *h;
    t.minute = *n;
    if (pos < text.size()) {
        if (!Expect(text, pos, FormatSettings::TimeSeparator)) return std::nullopt;
        const auto s = ReadNumber(text, pos, 1, 2);
        if (!s || pos != text.size()) return std::nullopt;
        t.second = *s;
    }
    if (t.hour > 23 || t.minute > 59 || t.second > 59) return std::nullopt;
    return t;
}

std::string FormatDate(Date d) {
    const Ymd v = YmdOf(d.Serial());
    std::string out;
    AppendTwo(out, v.d);
    out += FormatSettings::DateSeparator;
    AppendTwo(out, v.m);
    out += FormatSettings::DateSeparator;
    AppendTwo(out, v.y / 100);
    AppendTwo(out, v.y);
    return out;
}

std::string FormatTime(TimeOfDay t) {
    std::string out;
    AppendTwo(out, t.hour);
    out += FormatSettings::TimeSeparator;
    AppendTwo(out, t.minute);
    return out;
}

std::string FormatLongTime(TimeOfDay t) {
    std::string out = FormatTime(t);
    out += FormatSettings::TimeSeparator;
    AppendTwo(out, t.second);
    return out;
}

} // namespace rtl
