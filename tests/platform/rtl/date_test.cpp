#include "platform/rtl/Clock.h"
#include "platform/rtl/Date.h"

#include <gtest/gtest.h>

#include <string>

using namespace rtl;

namespace {
Date D(int y, int m, int d) {
    return Date::FromYmd(y, m, d).value();
}
} // namespace

TEST(Dates, ParseUnderTheShortDateFormat) {
    const struct {
        const char* text;
        int y, m, d;
    } good[] = {
        {"29/02/2000", 2000, 2, 29}, {"5/3/2026", 2026, 3, 5},    {"31/12/2024", 2024, 12, 31},
        {"29/02/2024", 2024, 2, 29}, {"01/01/0001", 1, 1, 1},     {"31/12/9999", 9999, 12, 31},
        {"1/12/1999", 1999, 12, 1},  {"30/04/2023", 2023, 4, 30},
    };
    for (const auto& c : good) {
        const auto d = ParseDate(c.text);
        ASSERT_TRUE(d.has_value()) << c.text;
        EXPECT_EQ(d->Year(), c.y) << c.text;
        EXPECT_EQ(d->Month(), c.m) << c.text;
        EXPECT_EQ(d->Day(), c.d) << c.text;
        EXPECT_TRUE(IsValidDate(c.text));
    }
    for (const char* bad : {"31/02/2024",
                            "29/02/1900",
                            "29/02/2023",
                            "00/01/2024",
                            "",
                            "32/01/2024",
                            "31/04/2024",
                            "1/13/2024",
                            "1/0/2024",
                            "01/01/24",
                            "01/01/0000",
                            "01/01/20245",
                            "001/01/2024",
                            "01-01-2024",
                            "01.01.2024",
                            " 01/01/2024",
                            "01/01/2024 ",
                            "01/01/2024 10:00",
                            "1//2024",
                            "a1/01/2024",
                            "01/01/-024",
                            "/01/2024",
                            "01/01/"})
        EXPECT_FALSE(IsValidDate(bad)) << bad;
}

TEST(Dates, FormatAsDayMonthYear) {
    EXPECT_EQ(FormatDate(D(2026, 3, 5)), "05/03/2026");
    EXPECT_EQ(FormatDate(D(1, 1, 1)), "01/01/0001");
    EXPECT_EQ(FormatDate(D(9999, 12, 31)), "31/12/9999");
    EXPECT_EQ(FormatDate(Date()), "01/01/0001");
}

TEST(Dates, EveryDayFromYear1To9999FollowsTheDayBefore) {
    // Walks the whole range by day numbers: each day is the previous one plus
    // one in the calendar, and its text parses back to it.
    Date d = D(1, 1, 1);
    const Date last = D(9999, 12, 31);
    int y = 1, m = 1, dd = 1;
    while (true) {
        ASSERT_EQ(d.Year(), y);
        ASSERT_EQ(d.Month(), m);
        ASSERT_EQ(d.Day(), dd);
        if (d.Serial() % 97 == 0) {
            ASSERT_EQ(ParseDate(FormatDate(d)), d);
        }
        if (d == last) break;
        d = d.AddDays(1);
        if (++dd > DaysInMonth(y, m)) {
            dd = 1;
            if (++m > 12) {
                m = 1;
                ++y;
            }
        }
    }
    EXPECT_EQ(last - D(1, 1, 1), 3652058);
}

TEST(Dates, ArithmeticAndWeekdays) {
    EXPECT_EQ(D(2024, 2, 28).AddDays(1), D(2024, 2, 29));
    EXPECT_EQ(D(2023, 2, 28).AddDays(1), D(2023, 3, 1));
    EXPECT_EQ(D(1999, 12, 31).AddDays(1), D(2000, 1, 1));
    EXPECT_EQ(D(2024, 3, 1).AddDays(-1), D(2024, 2, 29));
    EXPECT_EQ(D(2025, 1, 1) - D(2024, 1, 1), 366);
    EXPECT_EQ(D(2024, 1, 1) - D(2023, 1, 1), 365);
    // Compared as days, not as texts ("02/01/2024" < "31/12/2023" as text).
    EXPECT_GT(D(2024, 1, 2), D(2023, 12, 31));
    const struct {
        Date d;
        int weekday;
    } weekdays[] = {
        {D(1, 1, 1), 1}, {D(1970, 1, 1), 4}, {D(2000, 2, 29), 2}, {D(2025, 12, 10), 3}, {D(2026, 3, 8), 7},
    };
    for (const auto& c : weekdays)
        EXPECT_EQ(c.d.DayOfWeek(), c.weekday) << FormatDate(c.d);
    EXPECT_EQ(D(2024, 12, 31).DayOfYear(), 366);
    EXPECT_EQ(D(2023, 3, 1).DayOfYear(), 60);
    EXPECT_EQ(D(2023, 1, 1).DayOfYear(), 1);
}

TEST(Times, ParseAndFormat) {
    const struct {
        const char* text;
        int h, n, s;
    } good[] = {
        {"08:30", 8, 30, 0},      {"8:05", 8, 5, 0}, {"00:00", 0, 0, 0},
        {"23:59:59", 23, 59, 59}, {"7:3", 7, 3, 0},
    };
    for (const auto& c : good) {
        const auto t = ParseTime(c.text);
        ASSERT_TRUE(t.has_value()) << c.text;
        EXPECT_EQ(*t, (TimeOfDay{c.h, c.n, c.s})) << c.text;
    }
    for (const char* bad : {"24:00", "12:60", "12:30:60", "12", "", "12:3a", "12:30:", "1230", " 12:30",
                            "12:30 ", "123:00", "12:300", "-1:00", "12.30"})
        EXPECT_FALSE(ParseTime(bad).has_value()) << bad;
    EXPECT_EQ(FormatTime({8, 5, 3}), "08:05");
    EXPECT_EQ(FormatLongTime({8, 5, 3}), "08:05:03");
    EXPECT_EQ(FormatLongTime({23, 59, 0}), "23:59:00");
}

TEST(Clock, ATestSetsAndResetsIt) {
    const DateTime moment{D(2001, 7, 14), {9, 45, 12}};
    SetClock(moment);
    EXPECT_EQ(Now(), moment);
    EXPECT_EQ(Today(), moment.date);
    ResetClock();
    EXPECT_NE(Today(), moment.date);
    EXPECT_GE(Today().Year(), 2024);
}
