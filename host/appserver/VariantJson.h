#pragma once

#include <vondrel/Variant.h>

#include <string>
#include <string_view>

namespace vondrel {

/// A lossless text form of a variant, with every value's kind kept: ["S","text"] narrow
/// text (["X","hex"] when it is not UTF-8), ["W","text"] wide text (["U",[units]] when it
/// does not convert to UTF-8 and back), ["I",n] 32-bit and ["L",n] 64-bit integers,
/// ["D",x] and ["T",x] floating point and dates (non-finite values as texts), ["B",b],
/// ["E"] empty, ["N"] null, and ["A",[[low,high],...],[elements in storage order]].
/// Raises Exception for a dispatch object, which has no text form.
std::string VariantToJson(const Variant& value);
/// The variant of a text made by VariantToJson; raises Exception for a malformed text.
Variant VariantFromJson(std::string_view text);

} // namespace vondrel
