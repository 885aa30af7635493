#include "platform/DateTime.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>

namespace vondrel {
namespace {

using namespace std::chrono;

const sys_days kDayZero = year{1899} / December / 30;

double DayNumber(sys_days day) {
    return static_cast<double>((day - kDayZero).count());
}

/// 5 January 2004 (a Monday), 14:07:09.045.
const double kSample = DayNumber(year{2004} / January / 5) + *TryEncodeTime(14, 7, 9, 45);

std::string Text(const DateParts& d) {
    return std::to_string(d.Year) + "-" + std::to_string(d.Month) + "-" + std::to_string(d.Day);
}

TEST(DateTime, EncodeAndDecodeAgreeWithTheCalendarOnEveryDay) {
    const sys_days first = year{1} / January / 1;
    const sys_days last = year{9999} / December / 31;
    long mismatches = 0;
    std::string firstMismatch;
    for (sys_days day = first; day <= last; day += days{1}) {
        const year_month_day ymd{day};
        const int y = static_cast<int>(ymd.year());
        const int m = static_cast<int>(static_cast<unsigned>(ymd.month()));
        const int d = static_cast<int>(static_cast<unsigned>(ymd.day()));
        const double expected = DayNumber(day);
        const auto encoded = TryEncodeDate(y, m, d);
        const DateParts decoded = DecodeDate(expected);
        // A time of day keeps the date; before day zero the fraction counts from the
        // start of the day as well, so it makes the number more negative.
        const DateParts withTime = DecodeDate(expected < 0 ? expected - 0.75 : expected + 0.75);
        const bool same = decoded.Year == y && decoded.Month == m && decoded.Day == d && withTime.Year == y &&
                          withTime.Month == m && withTime.Day == d;
        if (!encoded || *encoded != expected || !same) {
            if (mismatches++ == 0)
                firstMismatch = std::to_string(y) + "-" + std::to_string(m) + "-" + std::to_string(d) +
                                ": encoded " + (encoded ? std::to_string(*encoded) : "nothing") +
                                ", decoded " + Text(decoded) + ", with time " + Text(withTime);
        }
    }
    EXPECT_EQ(mismatches, 0) << "first: " << firstMismatch;
    EXPECT_EQ(MinDateTime(), DayNumber(first));
    EXPECT_EQ(MaxDateTime(), DayNumber(last));
}

TEST(DateTime, DatesThatDoNotExistAreNotEncoded) {
    struct Case {
        int year, month, day;
        bool exists;
    };
    const Case cases[] = {
        {2004, 2, 29, true},  {2000, 2, 29, true},  {1900, 2, 29, false}, {2003, 2, 29, false},
        {2004, 4, 31, false}, {2004, 12, 31, true}, {2004, 1, 0, false},  {2004, 0, 1, false},
        {2004, 13, 1, false}, {0, 1, 1, false},     {10000, 1, 1, false}, {-1, 1, 1, false},
        {1, 1, 1, true},      {9999, 12, 31, true}, {2004, 1, -1, false}, {2004, 1, 32, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
        EXPECT_EQ(TryEncodeDate(c.year, c.month, c.day).has_value(), c.exists);
    }
    EXPECT_EQ(MonthDays(2004, 2), 29);
    EXPECT_EQ(MonthDays(2100, 2), 28);
    EXPECT_EQ(MonthDays(2004, 0), 0);
    EXPECT_EQ(MonthDays(2004, 13), 0);
}

TEST(DateTime, NumbersOutsideTheCalendarDecodeToZero) {
    const double values[] = {MinDateTime() - 1,
                             MaxDateTime() + 1,
                             1e18,
                             -1e18,
                             std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity()};
    for (double value : values) {
        SCOPED_TRACE(value);
        const DateParts d = DecodeDate(value);
        EXPECT_EQ(d.Year, 0);
        EXPECT_EQ(d.Month, 0);
        EXPECT_EQ(d.Day, 0);
    }
}

TEST(DateTime, TimesEncodeAndDecode) {
    struct Case {
        int hour, minute, second, ms;
    };
    const Case cases[] = {{0, 0, 0, 0}, {12, 0, 0, 0}, {23, 59, 59, 999}, {14, 7, 9, 45}, {6, 0, 0, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hour << ":" << c.minute << ":" << c.second << "." << c.ms);
        const auto time = TryEncodeTime(c.hour, c.minute, c.second, c.ms);
        ASSERT_TRUE(time);
        for (double day : {0.0, 37991.0, -5.0}) {
            const TimeParts t = DecodeTime(day < 0 ? day - *time : day + *time);
            EXPECT_EQ(t.Hour, c.hour);
            EXPECT_EQ(t.Minute, c.minute);
            EXPECT_EQ(t.Second, c.second);
            EXPECT_EQ(t.Millisecond, c.ms);
        }
    }
    EXPECT_EQ(*TryEncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0));
    EXPECT_FALSE(TryEncodeTime(0, 60, 0, 0));
    EXPECT_FALSE(TryEncodeTime(0, 0, 60, 0));
    EXPECT_FALSE(TryEncodeTime(0, 0, 0, 1000));
    EXPECT_FALSE(TryEncodeTime(-1, 0, 0, 0));
    // Just below midnight never rounds up to an hour 24.
    EXPECT_EQ(DecodeTime(37991.99999999999).Hour, 23);
}

TEST(FormatDateTime, Patterns) {
    struct Case {
        const char* pattern;
        const char* text;
    };
    const Case cases[] = {
        {"YYYYMMDDHHNNSSZZZ", "20040105140709045"},
        {"yyyymmddhhnnsszzz", "20040105140709045"},
        {"yyyy-mm-dd hh:nn:ss", "2004-01-05 14:07:09"},
        {"yyyy-mm-dd hh:mm:ss", "2004-01-05 14:07:09"},
        {"hh:mm", "14:07"},
        {"h:m", "14:7"},
        {"hh'h'mm", "14h07"},
        {"hh d/m", "14 5/1"},
        {"hh:nn mm", "14:07 01"},
        {"mm hh", "01 14"},
        {"yy/m/d", "04/1/5"},
        {"yyy", "2004"},
        {"y", "04"},
        {"mmm mmmm", "Jan January"},
        {"ddd dddd", "Mon Monday"},
        {"d dd", "5 05"},
        {"h:n:s.z", "14:7:9.45"},
        {"hh:nn am/pm", "02:07 pm"},
        {"h AM/PM", "2 PM"},
        {"'yyyy' \"mm\"", "yyyy mm"},
        {"yyyy'年'mm'月'", "2004年01月"},
        {"'unclosed", "unclosed"},
        {"c", "2004-01-05 14:07:09"},
        {"", ""},
        {"[yyyy]", "[2004]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        EXPECT_EQ(FormatDateTime(c.pattern, kSample), c.text);
    }
}

TEST(FormatDateTime, TwelveHourClock) {
    const double day = DayNumber(year{2004} / January / 5);
    struct Case {
        int hour;
        const char* text;
    };
    const Case cases[] = {{0, "12 am"},  {1, "1 am"},  {11, "11 am"},
                          {12, "12 pm"}, {13, "1 pm"}, {23, "11 pm"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hour);
        EXPECT_EQ(FormatDateTime("h am/pm", day + *TryEncodeTime(c.hour, 0, 0, 0)), c.text);
        // Without am/pm the clock runs to 23.
        EXPECT_EQ(FormatDateTime("h", day + *TryEncodeTime(c.hour, 0, 0, 0)), std::to_string(c.hour));
    }
}

TEST(FormatDateTime, DatesAroundDayZero) {
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", -1.25), "1899-12-29 06:00");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", 0), "1899-12-30 00:00");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", MinDateTime() - 0.5), "0001-01-01");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", MaxDateTime() + 0.5), "9999-12-31");
    EXPECT_EQ(FormatDateTime("dddd", DayNumber(year{1} / January / 1)), "Monday");
    EXPECT_EQ(DateTimeToStr(DayNumber(year{2004} / January / 5)), "2004-01-05");
    EXPECT_EQ(DateTimeToStr(kSample), "2004-01-05 14:07:09");
}

TEST(TryStrToDateTime, ReadsTheShortForms) {
    const double jan5 = DayNumber(year{2004} / January / 5);
    struct Case {
        const char* text;
        double value; // NaN: not a date-time
    };
    const double none = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"2004-01-05", jan5},
        {"2004/01/05", jan5},
        {" 2004-1-5 ", jan5},
        {"2004-01-05 12:00", jan5 + 0.5},
        {"2004-01-05T12:00:00", jan5 + 0.5},
        {"2004-01-05 14:07:09.045", kSample},
        {"1899-12-29 06:00", -1.25},
        {"2004-01/05", none},
        {"2004.01.05", none},
        {"2004-02-30", none},
        {"2004-13-01", none},
        {"2004-01-05 24:00", none},
        {"2004-01-05 12", none},
        {"2004-01-05 12:00:00.1234", none},
        {"2004-01-05x", none},
        {"2004-01-05 12:00 junk", none},
        {"abc", none},
        {"", none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto value = TryStrToDateTime(c.text);
        if (std::isnan(c.value)) {
            EXPECT_FALSE(value);
        } else {
            ASSERT_TRUE(value);
            EXPECT_NEAR(*value, c.value, 1e-9);
        }
    }
}

} // namespace
} // namespace vondrel
