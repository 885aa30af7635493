#pragma once

#include <vondrel/Variant.h>

#include "platform/CodePage.h"

#include <string>
#include <string_view>

namespace vondrel {

/// The code page of the process's own narrow texts, which are UTF-8. Texts that the suite
/// converts between "code page 936" and wide text inside the program (the option array
/// around the submission call) use this one.
inline constexpr int kNarrowTextCodePage = kCodePageUTF8;

/// Variant arrays nested deeper than this are refused by the conversions (their caller
/// gets the value back unconverted).
inline constexpr int kMaxArrayNesting = 64;

/// The wide text in the code page's bytes. A character the code page cannot hold becomes
/// "?"; an unknown code page gives the process's own narrow text (UTF-8).
std::string WideToCodePage(std::u16string_view text, int codePage);
/// The code page's bytes as wide text. Bytes that form no character become U+FFFD; an
/// unknown code page reads the bytes as the process's own narrow text (UTF-8).
std::u16string CodePageToWide(std::string_view text, int codePage);

/// A wide text, or each element of exactly the wide-text type inside an array, converted
/// to narrow text in the code page. One-dimensional arrays are walked into their nested
/// arrays, two-dimensional arrays only over their own elements; other dimension counts and
/// other types are left as they are. A narrow text on its own is also converted (as wide
/// text). Never raises: a failure writes "LINE[2735] " and the reason to the "libstrs" log
/// and gives the value unconverted.
Variant VarWideToCodePage(const Variant& value, int codePage);

/// The mirror image: a text on its own, or each element of exactly the wide-text type
/// inside an array, is read as the process's narrow text and converted from the code page
/// into wide text. Narrow texts inside arrays are left as they are. Failures are logged
/// with "LINE[115] ".
Variant VarCodePageToWide(const Variant& value, int codePage);

} // namespace vondrel
