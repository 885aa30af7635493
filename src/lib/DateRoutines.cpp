#include "lib/DateRoutines.h"

#include "lib/TextRoutines.h"
#include "platform/SysUtils.h"

#include <cmath>
#include <cstdio>

namespace vondrel {

namespace {

constexpr int kRocOffset = 1911;

/// The first character (not byte) of the separator text.
std::string FirstCharacter(std::string_view separator) {
    if (separator.empty())
        return {};
    std::size_t n = 1;
    while (n < separator.size() && (static_cast<unsigned char>(separator[n]) & 0xC0) == 0x80)
        ++n;
    return std::string(separator.substr(0, n));
}

std::string Print(const char* format, int a, const std::string& sep, int b, int c) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, a, sep.c_str(), b, sep.c_str(), c);
    return buffer;
}

std::string Print(const char* format, int a, const std::string& sep, int b) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, format, a, sep.c_str(), b);
    return buffer;
}

bool IsDate(TDateTime date) {
    return date != 0 && DecodeDate(date).Year != 0;
}

std::string Date8(const DateParts& d) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.4d%.2d%.2d", d.Year, d.Month, d.Day);
    return buffer;
}

} // namespace

std::string FormatDateAs(int layout, std::string_view separator, TDateTime date) {
    if (!IsDate(date))
        return {};
    const DateParts d = DecodeDate(date);
    const std::string sep = FirstCharacter(separator);
    switch (layout) {
    case 1:
        return Print("%.4d%s%.2d%s%.2d", d.Year, sep, d.Month, d.Day);
    case 2:
        return Print("%.2d%s%.2d%s%.4d", d.Month, sep, d.Day, d.Year);
    case 3:
        return Print("%.2d%s%.2d%s%.4d", d.Day, sep, d.Month, d.Year);
    case 4:
        return Print("%.2d%s%.2d%s%.2d", d.Year - kRocOffset, sep, d.Month, d.Day);
    case 5:
        return Print("%.3d%s%.2d%s%.2d", d.Year - kRocOffset, sep, d.Month, d.Day);
    default:
        return {};
    }
}

std::string FormatPeriodAs(int layout, std::string_view separator, TDateTime date) {
    if (!IsDate(date))
        return {};
    const DateParts d = DecodeDate(date);
    const std::string sep = FirstCharacter(separator);
    switch (layout) {
    case 1:
        return Print("%.4d%s%.2d", d.Year, sep, d.Month);
    case 2:
    case 3:
        return Print("%.2d%s%.4d", d.Month, sep, d.Year);
    case 4:
        return Print("%.2d%s%.2d", d.Year - kRocOffset, sep, d.Month);
    case 5:
        return Print("%.3d%s%.2d", d.Year - kRocOffset, sep, d.Month);
    default:
        return {};
    }
}

TDateTime ParseDateAs(std::string_view text, int layout, std::string_view separator) {
    std::string rest(text);
    int parts[3];
    for (int& part : parts) {
        std::string head;
        CutToken(rest, separator, head);
        part = TryStrToInt(Trim(head)).value_or(-1);
    }
    if (parts[0] <= 0 || parts[1] <= 0 || parts[2] <= 0 || layout < 1 || layout > 5)
        return 0;
    int year = 0, month = 0, day = 0;
    switch (layout) {
    case 1:
        year = parts[0], month = parts[1], day = parts[2];
        break;
    case 2:
        year = parts[2], month = parts[0], day = parts[1];
        break;
    case 3:
        year = parts[2], month = parts[1], day = parts[0];
        break;
    default:
        // A part beyond any year stays beyond it instead of overflowing.
        year = parts[0] > kMaxYear ? parts[0] : parts[0] + kRocOffset, month = parts[1], day = parts[2];
        break;
    }
    const auto first = TryEncodeDate(year, month, 1);
    if (!first)
        return 0;
    const TDateTime date = *first + (day - 1.0);
    return date <= MaxDateTime() ? date : 0;
}

TDateTime Date8ToDate(std::string_view text) {
    if (text.size() != 8)
        return 0;
    for (char c : text)
        if (c < '0' || c > '9')
            return 0;
    const int year = std::stoi(std::string(text.substr(0, 4)));
    const int month = std::stoi(std::string(text.substr(4, 2)));
    const int day = std::stoi(std::string(text.substr(6, 2)));
    return TryEncodeDate(year, month, day).value_or(0);
}

bool IsValidDate8(std::string_view text) {
    if (text.empty())
        return true;
    auto number = [&](std::size_t from, std::size_t count) {
        return from < text.size() ? TryStrToInt(text.substr(from, count)).value_or(0) : 0;
    };
    if (!TryEncodeDate(number(0, 4), number(4, 2), number(6, 2)))
        return false;
    return text >= "17530101" && text <= "99991231";
}

std::string ShiftDate8(const Variant& value, std::string_view unit, int amount) {
    TDateTime date = 0;
    if (value.IsText())
        date = Date8ToDate(value.AsString());
    else if (value.Type() == VarType::Date)
        date = value.AsDate();
    else
        return {};
    if (!IsDate(date))
        return {};
    // Only the day counts; a time of day must not push the last day out of range.
    date = std::trunc(date);
    DateParts d = DecodeDate(date);
    if (SameText(unit, "Y")) {
        const long long year = d.Year + static_cast<long long>(amount);
        if (year < kMinYear || year > kMaxYear)
            return {};
        // 29 February shifted into a common year leaves the date unshifted.
        if (TryEncodeDate(static_cast<int>(year), d.Month, d.Day))
            d.Year = static_cast<int>(year);
    } else if (SameText(unit, "M")) {
        const long long total = d.Year * 12LL + d.Month + amount;
        long long year = total / 12;
        long long month = total % 12;
        if (month == 0) {
            month = 12;
            year = total / 12 - 1;
        }
        if (year < kMinYear || year > kMaxYear || month < 1)
            return {};
        d.Year = static_cast<int>(year);
        d.Month = static_cast<int>(month);
        d.Day = std::min(d.Day, MonthDays(d.Year, d.Month));
    } else if (SameText(unit, "D")) {
        const TDateTime shifted = date + amount;
        if (shifted < MinDateTime() || shifted > MaxDateTime())
            return {};
        d = DecodeDate(shifted);
    } else {
        return {};
    }
    return Date8(d);
}

int DaysInMonth(int year, int month) {
    return MonthDays(year, month);
}

} // namespace vondrel
