#pragma once

#include "platform/DateTime.h"

#include <string>

namespace vondrel {

/// The process's date and number formats, as the platform keeps them: one set for the
/// whole program, read by date fields and edit masks and changed by forms that need
/// another layout.
struct TFormatSettings {
    char DateSeparator = '/';
    char TimeSeparator = ':';
    char DecimalSeparator = '.';
    /// A FormatDateTime pattern; "/" and ":" in it stand for the two separators above.
    std::string ShortDateFormat = "yyyy/mm/dd";
    std::string LongTimeFormat = "hh:nn:ss";
};

/// The settings in use (modifiable).
TFormatSettings& FormatSettings();

/// A date in ShortDateFormat, with "/" and ":" replaced by the separators.
std::string DateToStr(TDateTime value);
/// A date and time: the short date, and the long time when the value has a time part.
std::string DateTimeToDisplayStr(TDateTime value);

} // namespace vondrel
