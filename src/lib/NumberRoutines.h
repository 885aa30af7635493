#pragma once

#include <vondrel/Variant.h>

#include <string>
#include <string_view>

namespace vondrel {

/// Rounds half away from zero to the number of decimals, on the value's shortest decimal
/// text (so 2.675 gives 2.68 although its binary value lies below it).
double RoundDecimals(int digits, double value);
/// 0 when the two differ by less than 1e-10 after a round trip through their shortest
/// text; otherwise -1 when a < b and 1 when a > b.
int CompareFloat(double a, double b);
/// The number when the whole text is one in the invariant notation, else the default.
double StrToFloatDefault(std::string_view text, double fallback);

/// a when the flag is set, else b.
Variant IfThenVar(bool flag, const Variant& a, const Variant& b);
/// True when the variant is empty or null.
bool VarIsBlank(const Variant& value);

/// The temporary folder, ending in "/"; empty when the machine reports none.
std::string GetLongTempPath();

} // namespace vondrel
