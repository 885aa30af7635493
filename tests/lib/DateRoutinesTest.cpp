#include "lib/DateRoutines.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cmath>
#include <limits>

namespace vondrel {
namespace {

using namespace std::chrono;

const sys_days kDayZero = year{1899} / December / 30;

double DayNumber(sys_days day) {
    return static_cast<double>((day - kDayZero).count());
}

double Day(int y, unsigned m, unsigned d) {
    return DayNumber(year{y} / month{m} / day{d});
}

/// The number with at least the given digits, zeros after the sign as "%.*d" writes it.
std::string Digits(int value, int width) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return value < 0 ? "-" + digits : digits;
}

std::string Date8(const year_month_day& ymd) {
    return Digits(static_cast<int>(ymd.year()), 4) + Digits(static_cast<int>(unsigned(ymd.month())), 2) +
           Digits(static_cast<int>(unsigned(ymd.day())), 2);
}

// ---- layouts ------------------------------------------------------------------------

TEST(FormatDateAs, TheFiveLayouts) {
    const double jan12 = Day(2004, 1, 12);
    struct Case {
        const char* name;
        int layout;
        const char* separator;
        double date;
        const char* text;
    };
    const Case cases[] = {
        {"ROC year of two digits", 4, "/", jan12, "93/01/12"},
        {"ROC year of three digits", 5, "/", jan12, "093/01/12"},
        {"month first", 2, "-", jan12, "01-12-2004"},
        {"day first", 3, ".", jan12, "12.01.2004"},
        {"year first", 1, "/", jan12, "2004/01/12"},
        {"only the first character of the separator", 1, "/x", jan12, "2004/01/12"},
        {"first character may be double-byte", 1, "年月", jan12, "2004年01年12"},
        {"no separator", 1, "", jan12, "20040112"},
        {"ROC year 101 keeps three digits", 4, "/", Day(2012, 10, 1), "101/10/01"},
        {"ROC year 1", 4, "/", Day(1912, 1, 1), "01/01/01"},
        {"ROC year 0", 4, "/", Day(1911, 6, 30), "00/06/30"},
        {"before the ROC years", 5, "/", Day(1900, 1, 1), "-011/01/01"},
        {"time of day ignored", 1, "-", jan12 + 0.99, "2004-01-12"},
        {"first day", 3, "/", Day(1, 1, 1), "01/01/0001"},
        {"last day", 2, "/", Day(9999, 12, 31), "12/31/9999"},
        {"day before day zero", 1, "-", -1, "1899-12-29"},
        {"date 0 is no date", 1, "/", 0, ""},
        {"layout 0", 0, "/", jan12, ""},
        {"layout 6", 6, "/", jan12, ""},
        {"negative layout", -1, "/", jan12, ""},
        {"beyond the calendar", 1, "/", Day(9999, 12, 31) + 1, ""},
        {"not a number", 1, "/", std::numeric_limits<double>::quiet_NaN(), ""},
        {"infinite", 1, "/", std::numeric_limits<double>::infinity(), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FormatDateAs(c.layout, c.separator, c.date), c.text);
    }
}

TEST(FormatPeriodAs, YearAndMonth) {
    const double jan12 = Day(2004, 1, 12);
    struct Case {
        int layout;
        const char* separator;
        double date;
        const char* text;
    };
    const Case cases[] = {
        {1, "-", jan12, "2004-01"},
        {2, "/", jan12, "01/2004"},
        {3, "/", jan12, "01/2004"},
        {4, "/", jan12, "93/01"},
        {5, "/", jan12, "093/01"},
        {1, "", jan12, "200401"},
        {1, "/x", jan12, "2004/01"},
        {0, "/", jan12, ""},
        {6, "/", jan12, ""},
        {1, "/", 0, ""},
        {4, "/", Day(1900, 2, 1), "-11/02"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.layout << " '" << c.separator << "' " << c.date);
        EXPECT_EQ(FormatPeriodAs(c.layout, c.separator, c.date), c.text);
    }
}

TEST(ParseDateAs, ReadsTheLayouts) {
    struct Case {
        const char* name;
        const char* text;
        int layout;
        const char* separator;
        double date;
    };
    const Case cases[] = {
        {"ROC year without zeros", "93/1/12", 4, "/", Day(2004, 1, 12)},
        {"ROC year of three digits", "093/01/12", 5, "/", Day(2004, 1, 12)},
        {"year first", "2004/01/12", 1, "/", Day(2004, 1, 12)},
        {"month first", "01-12-2004", 2, "-", Day(2004, 1, 12)},
        {"day first", "12.01.2004", 3, ".", Day(2004, 1, 12)},
        {"blanks around the parts", " 2004 / 1 / 12 ", 1, "/", Day(2004, 1, 12)},
        {"separator of several characters", "2004--01--12", 1, "--", Day(2004, 1, 12)},
        {"double-byte separator", "2004年1年12", 1, "年", Day(2004, 1, 12)},
        {"text after the third part", "2004/01/12/99", 1, "/", Day(2004, 1, 12)},
        {"day past the month's end", "2004/02/31", 1, "/", Day(2004, 3, 2)},
        {"day past February of a common year", "2003/02/29", 1, "/", Day(2003, 3, 1)},
        {"day far past the month's end", "2004/1/400", 1, "/", Day(2005, 2, 3)},
        {"day past the last month", "2004/12/32", 1, "/", Day(2005, 1, 1)},
        {"ROC year read as Gregorian year plus 1911", "2004/1/1", 4, "/", Day(3915, 1, 1)},
        {"first day", "1/1/1", 1, "/", Day(1, 1, 1)},
        {"last day", "31/12/9999", 3, "/", Day(9999, 12, 31)},
        {"month 13", "2004/13/01", 1, "/", 0},
        {"day 0", "2004/02/00", 1, "/", 0},
        {"month 0", "2004/00/01", 1, "/", 0},
        {"year 0", "0/01/01", 1, "/", 0},
        {"ROC year 0", "0/01/01", 4, "/", 0},
        {"year 10000", "10000/01/01", 1, "/", 0},
        {"ROC year beyond 9999", "8089/01/01", 5, "/", 0},
        {"day overflow past 9999", "9999/12/32", 1, "/", 0},
        {"huge day", "2004/01/2147483647", 1, "/", 0},
        {"huge ROC year", "2147483647/01/01", 4, "/", 0},
        {"huge year", "99999999999/01/01", 1, "/", 0},
        {"negative part", "-5/01/01", 1, "/", 0},
        {"letters", "2004/x/01", 1, "/", 0},
        {"number with letters", "2004/1a/01", 1, "/", 0},
        {"decimal part", "2004/1.5/01", 1, "/", 0},
        {"two parts only", "2004/01", 1, "/", 0},
        {"empty part", "2004//01", 1, "/", 0},
        {"empty text", "", 1, "/", 0},
        {"separator not found", "2004/01/12", 1, "-", 0},
        {"whole separator text is searched", "2004/01/12", 1, "/x", 0},
        {"empty separator", "20040112", 1, "", 0},
        {"layout 0", "2004/01/12", 0, "/", 0},
        {"layout 6", "2004/01/12", 6, "/", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ParseDateAs(c.text, c.layout, c.separator), c.date);
    }
}

/// The days of the calendar from a first year on, month by month: the calendar gives each
/// month's first day number and length, the days inside count up from there.
template <class Visit>
void ForEachDay(int firstYear, Visit visit) {
    for (year_month ym = year{firstYear} / January; ym <= year{9999} / December; ym += months(1)) {
        const double first = DayNumber(sys_days(ym / 1));
        const unsigned length = unsigned(year_month_day(ym / last).day());
        for (unsigned d = 1; d <= length; ++d)
            visit(static_cast<int>(ym.year()), unsigned(ym.month()), d, first + (d - 1));
    }
}

/// Two digits of a number below 100, or of a month or day.
const char* TwoDigits(unsigned n) {
    static char table[100][3];
    static const bool filled = [] {
        for (unsigned i = 0; i < 100; ++i) {
            table[i][0] = static_cast<char>('0' + i / 10);
            table[i][1] = static_cast<char>('0' + i % 10);
        }
        return true;
    }();
    (void)filled;
    return table[n % 100];
}

/// Every day from 1753 to 9999 in one layout: the text is the calendar's date laid out
/// by hand, and reads back as the same day (ROC layouts have no years before 1912, and
/// day 0 stands for no date).
class EveryDayInLayout : public ::testing::TestWithParam<int> {};

TEST_P(EveryDayInLayout, FormatAndParseAgreeWithTheCalendar) {
    const int layout = GetParam();
    const char* const separators[] = {"/", "-", ".", "年"};
    long mismatches = 0;
    std::string firstMismatch;
    std::size_t i = 0;
    std::string text, period, yearText;
    int textYear = 0;
    ForEachDay(1753, [&](int y, unsigned m, unsigned d, double day) {
        const std::string_view sep = separators[i++ % 4];
        if (y != textYear) {
            textYear = y;
            yearText = layout <= 3 ? Digits(y, 4) : Digits(y - 1911, layout == 4 ? 2 : 3);
        }
        text.clear();
        switch (layout) {
        case 1:
        case 4:
        case 5:
            text.append(yearText).append(sep).append(TwoDigits(m), 2).append(sep).append(TwoDigits(d), 2);
            break;
        case 2:
            text.append(TwoDigits(m), 2).append(sep).append(TwoDigits(d), 2).append(sep).append(yearText);
            break;
        default:
            text.append(TwoDigits(d), 2).append(sep).append(TwoDigits(m), 2).append(sep).append(yearText);
            break;
        }
        // The year-month text, checked once a month.
        if (d == 1) {
            const std::string month(TwoDigits(m), 2);
            period = layout == 1 || layout >= 4 ? yearText + std::string(sep) + month
                                                : month + std::string(sep) + yearText;
        }
        const bool noDate = day == 0;
        const double parsed = layout >= 4 && y <= 1911 ? 0 : day;
        const std::string formatted = FormatDateAs(layout, sep, day);
        const double read = ParseDateAs(text, layout, sep);
        const bool periodOk = d != 1 || FormatPeriodAs(layout, sep, day) == (noDate ? "" : period);
        if ((formatted != (noDate ? "" : text) || read != parsed || !periodOk) && mismatches++ == 0)
            firstMismatch = text + ": formatted " + formatted + ", read " + std::to_string(read);
    });
    EXPECT_EQ(mismatches, 0) << "first: " << firstMismatch;
}

INSTANTIATE_TEST_SUITE_P(Layouts, EveryDayInLayout, ::testing::Values(1, 2, 3, 4, 5));

// ---- compact dates ---------------------------------------------------------------------

TEST(Date8ToDate, EightDigitsOfARealDate) {
    struct Case {
        const char* text;
        double date;
    };
    const Case cases[] = {
        {"20040112", Day(2004, 1, 12)},
        {"20040229", Day(2004, 2, 29)},
        {"17521231", Day(1752, 12, 31)},
        {"00010101", Day(1, 1, 1)},
        {"99991231", Day(9999, 12, 31)},
        {"20040230", 0},
        {"20030229", 0},
        {"19000229", 0},
        {"20041301", 0},
        {"20040001", 0},
        {"20040100", 0},
        {"00000101", 0},
        {"2004012", 0},
        {"200401120", 0},
        {"", 0},
        {"2004a112", 0},
        {" 2004011", 0},
        {"2004011 ", 0},
        {"+2004011", 0},
        {"-2004011", 0},
        {"2004-1-1", 0},
        {"２００４０１１２", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Date8ToDate(c.text), c.date);
    }
}

TEST(IsValidDate8, RealDatesInTheTextRange) {
    struct Case {
        const char* text;
        bool valid;
    };
    const Case cases[] = {
        {"", true},
        {"17530101", true},
        {"17521231", false},
        {"99991231", true},
        {"20040229", true},
        {"20030229", false},
        {"20040230", false},
        {"20041301", false},
        {"00010101", false},
        {"abcdefgh", false},
        // The length is not tested: the first eight characters decide, and the text
        // range the rest.
        {"200402291", true},
        {"20040229 ", true},
        {"99991231x", false},
        {"2004022", true},
        {"1753010", false},
        {"2004", false},
        {"2", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IsValidDate8(c.text), c.valid);
    }
}

TEST(Date8, EveryDayAgreesWithTheCalendar) {
    long mismatches = 0;
    std::string firstMismatch;
    std::string text, next, yearText;
    int textYear = 0;
    ForEachDay(1, [&](int y, unsigned m, unsigned d, double day) {
        if (y != textYear) {
            textYear = y;
            yearText = Digits(y, 4);
        }
        text.assign(yearText).append(TwoDigits(m), 2).append(TwoDigits(d), 2);
        bool ok = Date8ToDate(text) == day && IsValidDate8(text) == (y >= 1753);
        // The day after the month's last day is no date.
        if (d >= 28 && !year_month_day(year{y} / month{m} / std::chrono::day{d + 1}).ok()) {
            next.assign(text, 0, 6).append(TwoDigits(d + 1), 2);
            ok = ok && Date8ToDate(next) == 0 && !IsValidDate8(next);
        }
        if (!ok && mismatches++ == 0)
            firstMismatch = text;
    });
    EXPECT_EQ(mismatches, 0) << "first: " << firstMismatch;
}

// ---- shifting --------------------------------------------------------------------------

TEST(ShiftDate8, YearsMonthsAndDays) {
    struct Case {
        const char* name;
        Variant value;
        const char* unit;
        int amount;
        const char* result;
    };
    const Case cases[] = {
        {"leap day into a common year stays", "20040229", "Y", 1, "20040229"},
        {"leap day into a leap year", "20040229", "Y", 4, "20080229"},
        {"leap day back into a leap year", "20040229", "y", -4, "20000229"},
        {"leap day into 2100 stays", "20960229", "Y", 4, "20960229"},
        {"month end to February of a leap year", "20040131", "m", 1, "20040229"},
        {"month end to February of a common year", "20030131", "M", 1, "20030228"},
        {"month end backwards", "20040331", "M", -1, "20040229"},
        {"31st into a 30-day month", "20040531", "M", 1, "20040630"},
        {"twelve months back", "20041215", "M", -12, "20031215"},
        {"into December", "20041115", "M", 1, "20041215"},
        {"out of December", "20041215", "M", 1, "20050115"},
        {"back into December", "20050115", "M", -1, "20041215"},
        {"many months", "20040115", "M", 25, "20060215"},
        {"zero months", "20040115", "M", 0, "20040115"},
        {"next day across the year", "20041231", "D", 1, "20050101"},
        {"day back across February", "20040301", "d", -1, "20040229"},
        {"many days", "20040101", "D", 366, "20050101"},
        {"year back", "20040115", "Y", -3, "20010115"},
        {"wide text", Variant(u"20040131"), "M", 1, "20040229"},
        {"date value", Variant::FromDate(Day(2004, 1, 31)), "M", 1, "20040229"},
        {"date value with a time", Variant::FromDate(Day(2004, 1, 31) + 0.75), "D", 1, "20040201"},
        {"last day with a time", Variant::FromDate(Day(9999, 12, 31) + 0.5), "D", 0, "99991231"},
        {"first day with a time", Variant::FromDate(Day(1, 1, 1) - 0.5), "D", 0, "00010101"},
        {"before 1753 is fine", "17521231", "D", 1, "17530101"},
        {"unknown unit", "20040115", "W", 1, ""},
        {"unit of two letters", "20040115", "YY", 1, ""},
        {"empty unit", "20040115", "", 1, ""},
        {"empty text", "", "D", 1, ""},
        {"date that does not exist", "20040230", "D", 1, ""},
        {"text of another length", "2004011", "D", 1, ""},
        {"date 0", Variant::FromDate(0), "D", 1, ""},
        {"number is not a date", 20040115, "D", 1, ""},
        {"double is not a date", 38000.0, "D", 1, ""},
        {"empty", Variant(), "D", 1, ""},
        {"null", Variant::Null(), "D", 1, ""},
        {"array", VarArrayOf({"20040115"}), "D", 1, ""},
        {"date not a number", Variant::FromDate(std::nan("")), "D", 1, ""},
        {"before year 1", "00010101", "D", -1, ""},
        {"after year 9999", "99991231", "D", 1, ""},
        {"months after year 9999", "99991215", "M", 1, ""},
        {"months before year 1", "00010115", "M", -1, ""},
        {"years after 9999", "20040115", "Y", 8000, ""},
        {"years before 1", "20040115", "Y", -2004, ""},
        {"huge day amount", "20040115", "D", INT_MAX, ""},
        {"huge negative month amount", "20040115", "M", INT_MIN, ""},
        {"huge month amount", "20040115", "M", INT_MAX, ""},
        {"huge year amount", "20040115", "Y", INT_MIN, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ShiftDate8(c.value, c.unit, c.amount), c.result);
    }
}

/// The calendar's answers: months keep the day or fall back to the month's last day,
/// years keep a leap day unshifted, and nothing leaves the years 1..9999.
std::string ExpectedShift(const year_month_day& from, char unit, int amount) {
    const auto inRange = [](const year_month_day& ymd) {
        return ymd.year() >= year{1} && ymd.year() <= year{9999};
    };
    // The day numbered 0 stands for no date.
    if (sys_days(from) == kDayZero)
        return "";
    year_month_day to = from;
    if (unit == 'M') {
        const year_month ym = year_month(from.year(), from.month()) + months(amount);
        to = ym / from.day();
        if (!to.ok())
            to = year_month_day(ym / last);
    } else if (unit == 'Y') {
        // In whole numbers first: the calendar's years end at 32767.
        const long long shifted = static_cast<long long>(static_cast<int>(from.year())) + amount;
        if (shifted < 1 || shifted > 9999)
            return "";
        to = year{static_cast<int>(shifted)} / from.month() / from.day();
        if (!to.ok())
            to = from;
    } else {
        to = year_month_day(sys_days(from) + days(amount));
    }
    return inRange(to) ? Date8(to) : "";
}

TEST(ShiftDate8, AgreesWithTheCalendar) {
    const int amounts[] = {-120000, -119988, -1201, -48, -25, -13, -12, -11,  -2,     -1,    0,
                           1,       2,       11,    12,  13,  14,  48,  1199, 119987, 120000};
    const int sampleYears[] = {1, 2, 1752, 1753, 1899, 1900, 1999, 2000, 2003, 2004, 2099, 2100, 9998, 9999};
    long mismatches = 0;
    std::string firstMismatch;
    auto check = [&](const year_month_day& ymd, char unit, int amount, std::size_t i) {
        const std::string text = Date8(ymd);
        // The three kinds of value the routine takes, in turn.
        const Variant value = i % 3 == 0   ? Variant(text)
                              : i % 3 == 1 ? Variant(std::u16string(text.begin(), text.end()))
                                           : Variant::FromDate(DayNumber(sys_days(ymd)));
        const std::string expected = ExpectedShift(ymd, unit, amount);
        const std::string actual = ShiftDate8(value, std::string(1, unit), amount);
        if (actual != expected && mismatches++ == 0)
            firstMismatch =
                text + " " + unit + " " + std::to_string(amount) + ": " + actual + " instead of " + expected;
    };
    std::size_t i = 0;
    for (int y : sampleYears)
        for (sys_days d = year{y} / January / 1; d <= year{y} / December / 31; d += days{1}, ++i)
            for (int amount : amounts)
                for (char unit : {'Y', 'M', 'D'})
                    check(year_month_day(d), unit, amount, i);
    // The days where months and years must fall back, in every month of the calendar.
    for (year_month ym = year{1} / January; ym <= year{9999} / December; ym += months(1), ++i) {
        const year_month_day lastDay(ym / last);
        for (unsigned d = 29; d <= unsigned(lastDay.day()); ++d) {
            const year_month_day ymd = ym / day{d};
            check(ymd, 'M', 1, i);
            check(ymd, 'M', -1, i);
            check(ymd, 'M', 13, i);
        }
        if (ym.month() == February && lastDay.day() == day{29})
            for (int amount : {-4, -1, 1, 4, 100, 400})
                check(lastDay, 'Y', amount, i);
    }
    EXPECT_EQ(mismatches, 0) << "first: " << firstMismatch;
}

TEST(DaysInMonth, MonthsAndLeapYears) {
    struct Case {
        int year, month, days;
    };
    const Case cases[] = {
        {1900, 2, 28},  {2000, 2, 29},  {2004, 2, 29}, {2003, 2, 28}, {2100, 2, 28},
        {2400, 2, 29},  {2004, 1, 31},  {2004, 4, 30}, {2004, 6, 30}, {2004, 9, 30},
        {2004, 11, 30}, {2004, 12, 31}, {2004, 13, 0}, {2004, 0, 0},  {2004, -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month);
        EXPECT_EQ(DaysInMonth(c.year, c.month), c.days);
    }
    for (year_month ym = year{1} / January; ym <= year{9999} / December; ym += months(1)) {
        const int expected = static_cast<int>(unsigned(year_month_day(ym / last).day()));
        ASSERT_EQ(DaysInMonth(static_cast<int>(ym.year()), static_cast<int>(unsigned(ym.month()))), expected)
            << static_cast<int>(ym.year()) << "-" << unsigned(ym.month());
    }
}

} // namespace
} // namespace vondrel
