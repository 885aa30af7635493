#include "platform/DateTime.h"

#include "platform/SysUtils.h"

#include <cmath>
#include <cstdio>

namespace vondrel {

namespace {

// Days from 1 January 1 to 30 December 1899 counted the way EncodeDate counts.
constexpr int kDateDelta = 693594;
// Day numbers of 1 January 1 and 31 December 9999.
constexpr double kMinDay = 1 - kDateDelta;
constexpr double kMaxDay = 3652059 - kDateDelta;
constexpr double kMillisecondsPerDay = 86400000.0;

const char* const kShortMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kLongMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};
const char* const kShortDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kLongDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};

std::string Padded(int value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
}

/// 0 = Sunday.
int DayOfWeek(TDateTime value) {
    const long long day = static_cast<long long>(std::trunc(value)) + kDateDelta;
    return static_cast<int>(((day % 7) + 7) % 7);
}

/// Whether an "am/pm" follows an hour (before the next hour of the pattern): that hour
/// then counts on the twelve-hour clock.
bool TwelveHourClock(std::string_view pattern, std::size_t from) {
    for (std::size_t i = from; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '"' || c == '\'') {
            const std::size_t close = pattern.find(c, i + 1);
            if (close == std::string_view::npos)
                return false;
            i = close;
        } else if ((c | 0x20) == 'h') {
            return false;
        } else if ((c | 0x20) == 'a') {
            return StartsText("am/pm", pattern.substr(i));
        }
    }
    return false;
}

} // namespace

bool IsLeapYear(int year) noexcept {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int MonthDays(int year, int month) noexcept {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

std::optional<TDateTime> TryEncodeDate(int year, int month, int day) noexcept {
    if (year < kMinYear || year > kMaxYear || month < 1 || month > 12 || day < 1 ||
        day > MonthDays(year, month))
        return std::nullopt;
    long long days = day;
    for (int m = 1; m < month; ++m)
        days += MonthDays(year, m);
    const long long y = year - 1;
    days += y * 365 + y / 4 - y / 100 + y / 400;
    return static_cast<TDateTime>(days - kDateDelta);
}

std::optional<TDateTime> TryEncodeTime(int hour, int minute, int second, int millisecond) noexcept {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        return std::nullopt;
    return ((hour * 60.0 + minute) * 60.0 + second + millisecond / 1000.0) / 86400.0;
}

DateParts DecodeDate(TDateTime value) noexcept {
    // The whole days decide: before day zero the fraction makes the number more negative.
    if (!std::isfinite(value) || std::trunc(value) < kMinDay || std::trunc(value) > kMaxDay)
        return {};
    constexpr long long kD1 = 365, kD4 = kD1 * 4 + 1, kD100 = kD4 * 25 - 1, kD400 = kD100 * 4 + 1;
    long long t = static_cast<long long>(std::trunc(value)) + kDateDelta - 1;
    long long year = 1;
    year += (t / kD400) * 400;
    t %= kD400;
    long long i = t / kD100;
    long long d = t % kD100;
    if (i == 4) {
        --i;
        d += kD100;
    }
    year += i * 100;
    i = d / kD4;
    d %= kD4;
    year += i * 4;
    i = d / kD1;
    d %= kD1;
    if (i == 4) {
        --i;
        d += kD1;
    }
    year += i;
    DateParts parts;
    parts.Year = static_cast<int>(year);
    int month = 1;
    while (d >= MonthDays(parts.Year, month)) {
        d -= MonthDays(parts.Year, month);
        ++month;
    }
    parts.Month = month;
    parts.Day = static_cast<int>(d) + 1;
    return parts;
}

TimeParts DecodeTime(TDateTime value) noexcept {
    if (!std::isfinite(value))
        return {};
    const double fraction = std::fabs(value - std::trunc(value));
    long long ms = std::llround(fraction * kMillisecondsPerDay);
    if (ms >= static_cast<long long>(kMillisecondsPerDay))
        ms = static_cast<long long>(kMillisecondsPerDay) - 1;
    TimeParts parts;
    parts.Millisecond = static_cast<int>(ms % 1000);
    ms /= 1000;
    parts.Second = static_cast<int>(ms % 60);
    ms /= 60;
    parts.Minute = static_cast<int>(ms % 60);
    parts.Hour = static_cast<int>(ms / 60);
    return parts;
}

TDateTime MinDateTime() noexcept {
    return kMinDay;
}
TDateTime MaxDateTime() noexcept {
    return kMaxDay;
}

std::string FormatDateTime(std::string_view pattern, TDateTime value) {
    const DateParts date = DecodeDate(value);
    const TimeParts time = DecodeTime(value);
    std::string out;
    // The letter of the previous pattern element: "m" right after an hour is the minute.
    char lastLetter = 0;
    std::size_t i = 0;
    auto run = [&](char letter) {
        std::size_t n = 0;
        while (i + n < pattern.size() && (pattern[i + n] | 0x20) == letter)
            ++n;
        return n;
    };
    while (i < pattern.size()) {
        const char c = pattern[i];
        const char lower = static_cast<char>(c | 0x20);
        if (c == '"' || c == '\'') {
            const std::size_t close = pattern.find(c, i + 1);
            const std::size_t end = close == std::string_view::npos ? pattern.size() : close;
            out.append(pattern.substr(i + 1, end - i - 1));
            i = end == pattern.size() ? end : end + 1;
            continue;
        }
        if (lower == 'a' && StartsText("am/pm", pattern.substr(i))) {
            // In the letter case the pattern writes it.
            out.append(pattern.substr(time.Hour < 12 ? i : i + 3, 2));
            i += 5;
            lastLetter = 'a';
            continue;
        }
        std::size_t n = 0;
        switch (lower) {
        case 'y':
            n = run('y');
            out += n <= 2 ? Padded(date.Year % 100, 2) : Padded(date.Year, 4);
            break;
        case 'm':
            n = run('m');
            if (lastLetter == 'h' && n <= 2)
                out += n == 1 ? std::to_string(time.Minute) : Padded(time.Minute, 2);
            else if (n == 1)
                out += std::to_string(date.Month);
            else if (n == 2)
                out += Padded(date.Month, 2);
            else if (date.Month >= 1)
                out += n == 3 ? kShortMonthNames[date.Month - 1] : kLongMonthNames[date.Month - 1];
            break;
        case 'd':
            n = run('d');
            if (n == 1)
                out += std::to_string(date.Day);
            else if (n == 2)
                out += Padded(date.Day, 2);
            else if (n == 3)
                out += kShortDayNames[DayOfWeek(value)];
            else
                out += kLongDayNames[DayOfWeek(value)];
            break;
        case 'h': {
            n = run('h');
            int hour = time.Hour;
            if (TwelveHourClock(pattern, i + n))
                hour = hour == 0 ? 12 : hour > 12 ? hour - 12 : hour;
            out += n == 1 ? std::to_string(hour) : Padded(hour, 2);
            break;
        }
        case 'n':
            n = run('n');
            out += n == 1 ? std::to_string(time.Minute) : Padded(time.Minute, 2);
            break;
        case 's':
            n = run('s');
            out += n == 1 ? std::to_string(time.Second) : Padded(time.Second, 2);
            break;
        case 'z':
            n = run('z');
            out += n >= 3 ? Padded(time.Millisecond, 3) : std::to_string(time.Millisecond);
            break;
        case 'c':
            n = 1;
            out += DateTimeToStr(value);
            break;
        default:
            n = 1;
            out += c;
            break;
        }
        if (lower >= 'a' && lower <= 'z')
            lastLetter = lower;
        i += n;
    }
    return out;
}

std::string DateTimeToStr(TDateTime value) {
    if (value - std::trunc(value) == 0)
        return FormatDateTime("yyyy-mm-dd", value);
    return FormatDateTime("yyyy-mm-dd hh:nn:ss", value);
}

std::optional<TDateTime> TryStrToDateTime(std::string_view text) noexcept {
    const std::string trimmed = Trim(text);
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, ms = 0;
    char sep1 = 0, sep2 = 0;
    int consumed = 0;
    if (std::sscanf(trimmed.c_str(), "%4d%c%2d%c%2d%n", &year, &sep1, &month, &sep2, &day, &consumed) != 5 ||
        sep1 != sep2 || (sep1 != '-' && sep1 != '/'))
        return std::nullopt;
    std::string_view rest = std::string_view(trimmed).substr(static_cast<std::size_t>(consumed));
    if (!rest.empty()) {
        if (rest.front() != ' ' && rest.front() != 'T')
            return std::nullopt;
        const std::string timeText = Trim(rest.substr(1));
        int used = 0;
        const int read = std::sscanf(timeText.c_str(), "%2d:%2d%n:%2d%n.%3d%n", &hour, &minute, &used,
                                     &second, &used, &ms, &used);
        if (read < 2 || static_cast<std::size_t>(used) != timeText.size())
            return std::nullopt;
    }
    const auto date = TryEncodeDate(year, month, day);
    const auto time = TryEncodeTime(hour, minute, second, ms);
    if (!date || !time)
        return std::nullopt;
    return *date >= 0 ? *date + *time : *date - *time;
}

} // namespace vondrel
