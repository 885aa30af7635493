#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vondrel {

/// A number written as an integer part and decimals ("-12.50"), kept as digits so that
/// comparing two of them never loses a digit to floating point.
struct TDecimalText {
    bool Negative = false;
    std::string Whole;    ///< without leading zeros, "0" at least
    std::string Decimals; ///< as written (trailing zeros kept)

    /// The number rewritten: sign (never for zero), integer part, "." and the decimals
    /// when there are any.
    std::string Text() const;
};

/// Reads blanks, an optional sign, digits, and optionally "." and more digits, then
/// blanks; at least one digit. Empty for anything else.
std::optional<TDecimalText> ParseDecimalText(std::string_view text);

/// Negative, zero or positive as a is less than, equal to or greater than b by value.
int CompareDecimal(const TDecimalText& a, const TDecimalText& b);

} // namespace vondrel
