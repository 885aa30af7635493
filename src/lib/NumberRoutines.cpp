#include "lib/NumberRoutines.h"

#include "platform/PlatformServices.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vondrel {

namespace {

/// The value as the platform prints it (15 significant digits) and read back.
double RoundTrip(double value) {
    return TryStrToFloat(FloatToStr(value)).value_or(value);
}

} // namespace

double RoundDecimals(int digits, double value) {
    if (!std::isfinite(value))
        return value;
    digits = std::clamp(digits, 0, 30);
    double nudged = RoundTrip(value);
    nudged += nudged > 0 ? 1e-12 : -1e-12;
    // Where the nudge is below the value's precision, an exact half (its lowest bit worth
    // half a unit of the last digit) is left, and "%.*f" would round it to even: step it
    // away from zero.
    if (std::fabs(std::fmod(std::ldexp(nudged, digits + 1), 2.0)) == 1.0)
        nudged = std::nextafter(nudged, nudged > 0 ? HUGE_VAL : -HUGE_VAL);
    const int size = std::snprintf(nullptr, 0, "%.*f", digits, nudged);
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%.*f", digits, nudged);
    const double result = std::strtod(text.c_str(), nullptr);
    return result == 0 ? 0.0 : result; // no negative zero
}

int CompareFloat(double a, double b) {
    const double x = RoundTrip(a);
    const double y = RoundTrip(b);
    if (std::fabs(x - y) < 1e-10)
        return 0;
    return x < y ? -1 : 1;
}

double StrToFloatDefault(std::string_view text, double fallback) {
    return TryStrToFloat(text).value_or(fallback);
}

Variant IfThenVar(bool flag, const Variant& a, const Variant& b) {
    return flag ? a : b;
}

bool VarIsBlank(const Variant& value) {
    return value.IsEmpty() || value.IsNull();
}

std::string GetLongTempPath() {
    return Platform().TempPath();
}

} // namespace vondrel
