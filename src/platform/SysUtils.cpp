#include "platform/SysUtils.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vondrel {

namespace {

bool IsTrimmed(char c) noexcept {
    return static_cast<unsigned char>(c) <= ' ';
}
char UpperAscii(char c) noexcept {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}
char LowerAscii(char c) noexcept {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

std::string_view TrimView(std::string_view text) noexcept {
    while (!text.empty() && IsTrimmed(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsTrimmed(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::string Trim(std::string_view text) {
    return std::string(TrimView(text));
}

std::string TrimLeft(std::string_view text) {
    while (!text.empty() && IsTrimmed(text.front()))
        text.remove_prefix(1);
    return std::string(text);
}

std::string TrimRight(std::string_view text) {
    while (!text.empty() && IsTrimmed(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

std::string UpperCase(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = UpperAscii(c);
    return result;
}

std::string LowerCase(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = LowerAscii(c);
    return result;
}

bool SameText(std::string_view a, std::string_view b) noexcept {
    return CompareText(a, b) == 0;
}

int CompareText(std::string_view a, std::string_view b) noexcept {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(UpperAscii(a[i]));
        const auto cb = static_cast<unsigned char>(UpperAscii(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool StartsText(std::string_view prefix, std::string_view text) noexcept {
    return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

bool EndsText(std::string_view suffix, std::string_view text) noexcept {
    return text.size() >= suffix.size() && SameText(text.substr(text.size() - suffix.size()), suffix);
}

std::optional<std::int64_t> TryStrToInt64(std::string_view text) noexcept {
    text = TrimView(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return std::nullopt;
    std::uint64_t magnitude = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    if (negative) {
        if (magnitude > static_cast<std::uint64_t>(INT64_MAX) + 1)
            return std::nullopt;
        return static_cast<std::int64_t>(0 - magnitude);
    }
    if (magnitude > static_cast<std::uint64_t>(INT64_MAX))
        return std::nullopt;
    return static_cast<std::int64_t>(magnitude);
}

std::optional<std::int32_t> TryStrToInt(std::string_view text) noexcept {
    const auto value = TryStrToInt64(text);
    if (!value || *value < INT32_MIN || *value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback) noexcept {
    return TryStrToInt(text).value_or(fallback);
}

std::optional<double> TryStrToFloat(std::string_view text) noexcept {
    text = TrimView(text);
    if (text.empty())
        return std::nullopt;
    auto isDigit = [&](std::size_t at) {
        return at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]));
    };
    // Only the plain notation: no hexadecimal floats, infinities or NaN spelled out. The
    // power of ten of the first significant digit tells a number too large from one too
    // small when the conversion reports either as out of range.
    std::size_t i = 0;
    const bool negative = text[i] == '-';
    if (text[i] == '+' || text[i] == '-')
        ++i;
    std::size_t digits = 0;
    long magnitude = 0;
    bool significant = false;
    for (; isDigit(i); ++i, ++digits) {
        if (significant)
            ++magnitude;
        else if (text[i] != '0')
            significant = true;
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; isDigit(i); ++i, ++digits) {
            if (significant)
                continue;
            --magnitude;
            significant = text[i] != '0';
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        const bool negativeExponent = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        std::size_t expDigits = 0;
        long exponent = 0;
        for (; isDigit(i); ++i, ++expDigits)
            exponent = std::min(exponent * 10 + (text[i] - '0'), 1000000L);
        if (expDigits == 0)
            return std::nullopt;
        magnitude += negativeExponent ? -exponent : exponent;
    }
    if (i != text.size())
        return std::nullopt;
    const char* begin = text.data();
    if (*begin == '+')
        ++begin;
    double value = 0;
    const auto [end, ec] = std::from_chars(begin, text.data() + text.size(), value);
    if (end != text.data() + text.size())
        return std::nullopt;
    // Out of range leaves the value alone: too large is no number, too small is zero.
    if (ec == std::errc::result_out_of_range)
        return magnitude > 0 ? std::nullopt : std::optional<double>(negative ? -0.0 : 0.0);
    return value;
}

std::string FloatToStr(double value) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    // Fifteen significant digits as d.dddddddddddddde±x, then laid out by hand.
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    const char* p = buffer;
    std::string sign;
    if (*p == '-') {
        sign = "-";
        ++p;
    }
    std::string digits;
    for (; *p && *p != 'e'; ++p)
        if (*p != '.')
            digits += *p;
    const int exponent = std::atoi(p + 1);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    // Position of the decimal point after the first digit: value = 0.ddd x 10^point.
    const int point = exponent + 1;
    std::string result = sign;
    if (point > 15 || point < -3) {
        result += digits[0];
        if (digits.size() > 1)
            result += "." + digits.substr(1);
        result += "E" + std::to_string(exponent);
        return result;
    }
    if (point <= 0) {
        result += "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
    } else if (static_cast<std::size_t>(point) >= digits.size()) {
        result += digits + std::string(static_cast<std::size_t>(point) - digits.size(), '0');
    } else {
        result += digits.substr(0, static_cast<std::size_t>(point)) + "." +
                  digits.substr(static_cast<std::size_t>(point));
    }
    return result;
}

std::string IntToStr(std::int64_t value) {
    return std::to_string(value);
}

} // namespace vondrel
