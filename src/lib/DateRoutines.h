#pragma once

#include <vondrel/Variant.h>

#include "platform/DateTime.h"

#include <string>
#include <string_view>

namespace vondrel {

/// The suite's five date layouts, by number (0 and others are no layout):
/// 1 yyyy mm dd, 2 mm dd yyyy, 3 dd mm yyyy, 4 ROC year (at least two digits) mm dd,
/// 5 ROC year (at least three digits) mm dd. The ROC year is the year minus 1911. Only
/// the first character of a separator text is used.

/// The date in the layout; empty for date 0 and for an unknown layout.
std::string FormatDateAs(int layout, std::string_view separator, TDateTime date);
/// Year and month of the date in the layout's year-month form; same rules.
std::string FormatPeriodAs(int layout, std::string_view separator, TDateTime date);
/// Reads a date written in the layout; a day past the month's end runs on into the next
/// month. 0 when the text is not such a date.
TDateTime ParseDateAs(std::string_view text, int layout, std::string_view separator);

/// The date of a "yyyymmdd" text of eight digits; 0 when it names no real date.
TDateTime Date8ToDate(std::string_view text);
/// Empty, or a "yyyymmdd" date between "17530101" and "99991231" compared as text.
bool IsValidDate8(std::string_view text);
/// The date (a day number, or a "yyyymmdd" text of either string kind) shifted by an
/// amount of years ("Y"), months ("M") or days ("D"), as "yyyymmdd"; empty for no date,
/// another unit, or a result outside the years 1..9999.
std::string ShiftDate8(const Variant& value, std::string_view unit, int amount);
/// 31, 30, 28 or 29; 0 for a month outside 1..12.
int DaysInMonth(int year, int month);

} // namespace vondrel
