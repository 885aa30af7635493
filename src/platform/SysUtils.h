#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vondrel {

/// Removes blanks and control characters (code < 33) at both ends.
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

/// Upper and lower case of the ASCII letters; other characters are left as they are.
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
/// Equality and ordering ignoring the case of ASCII letters.
bool SameText(std::string_view a, std::string_view b) noexcept;
int CompareText(std::string_view a, std::string_view b) noexcept;
bool StartsText(std::string_view prefix, std::string_view text) noexcept;
bool EndsText(std::string_view suffix, std::string_view text) noexcept;

/// Whole-text integer in decimal (optional sign) or hexadecimal ("$1F", "0x1F"); blanks
/// around the number are allowed. Empty when the text is not such a number or too large.
std::optional<std::int64_t> TryStrToInt64(std::string_view text) noexcept;
std::optional<std::int32_t> TryStrToInt(std::string_view text) noexcept;
std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback) noexcept;

/// Whole-text number in the invariant notation: optional sign, digits with a point as
/// the decimal separator, optional exponent; blanks around it are allowed.
std::optional<double> TryStrToFloat(std::string_view text) noexcept;

/// The platform's float-to-text: at most 15 significant digits, fixed notation unless
/// the number is too large or too small for it, trailing zeros dropped ("0.3", "1E20",
/// "1.5E-6").
std::string FloatToStr(double value);

std::string IntToStr(std::int64_t value);

} // namespace vondrel
