#include "controls/DecimalText.h"

#include "platform/SysUtils.h"

#include <algorithm>

namespace vondrel {

namespace {

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsZero(const TDecimalText& number) {
    return number.Whole == "0" &&
           std::all_of(number.Decimals.begin(), number.Decimals.end(), [](char c) { return c == '0'; });
}

/// Compares the magnitudes digit by digit.
int CompareMagnitude(const TDecimalText& a, const TDecimalText& b) {
    if (a.Whole.size() != b.Whole.size())
        return a.Whole.size() < b.Whole.size() ? -1 : 1;
    if (const int whole = a.Whole.compare(b.Whole); whole != 0)
        return whole < 0 ? -1 : 1;
    const std::size_t length = std::max(a.Decimals.size(), b.Decimals.size());
    for (std::size_t i = 0; i < length; ++i) {
        const char da = i < a.Decimals.size() ? a.Decimals[i] : '0';
        const char db = i < b.Decimals.size() ? b.Decimals[i] : '0';
        if (da != db)
            return da < db ? -1 : 1;
    }
    return 0;
}

} // namespace

std::string TDecimalText::Text() const {
    std::string text = Negative && !IsZero(*this) ? "-" : "";
    text += Whole;
    if (!Decimals.empty())
        text += "." + Decimals;
    return text;
}

std::optional<TDecimalText> ParseDecimalText(std::string_view text) {
    const std::string trimmed = Trim(text);
    std::string_view rest = trimmed;
    TDecimalText number;
    if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
        number.Negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    const std::size_t point = rest.find('.');
    std::string_view whole = rest.substr(0, point);
    const std::string_view decimals =
        point == std::string_view::npos ? std::string_view() : rest.substr(point + 1);
    if (whole.empty() && decimals.empty())
        return std::nullopt;
    if (!AllDigits(whole) || !AllDigits(decimals))
        return std::nullopt;
    while (whole.size() > 1 && whole.front() == '0')
        whole.remove_prefix(1);
    number.Whole = whole.empty() ? "0" : std::string(whole);
    number.Decimals = std::string(decimals);
    return number;
}

int CompareDecimal(const TDecimalText& a, const TDecimalText& b) {
    const bool negativeA = a.Negative && !IsZero(a);
    const bool negativeB = b.Negative && !IsZero(b);
    if (negativeA != negativeB)
        return negativeA ? -1 : 1;
    const int magnitude = CompareMagnitude(a, b);
    return negativeA ? -magnitude : magnitude;
}

} // namespace vondrel
