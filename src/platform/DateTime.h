#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vondrel {

/// The platform's date-time: whole days since 30 December 1899 plus the fraction of the
/// day. Day numbers below zero are the days before that date; their fraction counts from
/// the start of the day as well (-1.25 is 29 December 1899, 06:00).
using TDateTime = double;

struct DateParts {
    int Year = 0;
    int Month = 0;
    int Day = 0;
};
struct TimeParts {
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};

inline constexpr int kMinYear = 1;
inline constexpr int kMaxYear = 9999;

bool IsLeapYear(int year) noexcept;
/// Days of the month, 0 for a month outside 1..12.
int MonthDays(int year, int month) noexcept;

/// The day number of a date; empty when the year, month or day does not form a date of
/// the years 1..9999.
std::optional<TDateTime> TryEncodeDate(int year, int month, int day) noexcept;
std::optional<TDateTime> TryEncodeTime(int hour, int minute, int second, int millisecond) noexcept;
/// The date part of a day number; years outside 1..9999 give all parts 0.
DateParts DecodeDate(TDateTime value) noexcept;
TimeParts DecodeTime(TDateTime value) noexcept;

/// The smallest and largest day numbers of a date the platform can hold
/// (1 January 1 and 31 December 9999).
TDateTime MinDateTime() noexcept;
TDateTime MaxDateTime() noexcept;

/// Formats with the platform's date-time patterns (letters in either case): y, yy, yyyy;
/// m, mm (the minute when the pattern letter before it is an hour), mmm, mmmm; d, dd, ddd,
/// dddd; h, hh (on the twelve-hour clock when an am/pm follows); n, nn; s, ss; z, zzz;
/// am/pm (in the pattern's letter case); "c" for the whole short form; texts in single or
/// double quotes are copied as they stand; every other character is copied.
std::string FormatDateTime(std::string_view pattern, TDateTime value);
/// The short text of a date-time: "yyyy-mm-dd", with " hh:nn:ss" when there is a time.
std::string DateTimeToStr(TDateTime value);
/// Reads "yyyy-mm-dd" or "yyyy/mm/dd", optionally followed by "hh:nn[:ss[.zzz]]" (or "T"
/// between date and time); empty when the text is not such a date-time.
std::optional<TDateTime> TryStrToDateTime(std::string_view text) noexcept;

} // namespace vondrel
