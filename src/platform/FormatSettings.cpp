#include "platform/FormatSettings.h"

#include <cmath>

namespace vondrel {

namespace {

// Separators in a pattern stand for the current ones; quoted texts are left alone so
// that FormatDateTime copies them as they stand.
std::string WithSeparators(const std::string& pattern) {
    const TFormatSettings& settings = FormatSettings();
    std::string result;
    char quote = 0;
    for (char c : pattern) {
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '/') {
            result += '"';
            result += settings.DateSeparator;
            result += '"';
            continue;
        } else if (c == ':') {
            result += '"';
            result += settings.TimeSeparator;
            result += '"';
            continue;
        }
        result += c;
    }
    return result;
}

} // namespace

TFormatSettings& FormatSettings() {
    static TFormatSettings settings;
    return settings;
}

std::string DateToStr(TDateTime value) {
    return FormatDateTime(WithSeparators(FormatSettings().ShortDateFormat), value);
}

std::string DateTimeToDisplayStr(TDateTime value) {
    std::string text = DateToStr(value);
    double whole = 0;
    if (std::modf(value, &whole) != 0)
        text += " " + FormatDateTime(WithSeparators(FormatSettings().LongTimeFormat), value);
    return text;
}

} // namespace vondrel
