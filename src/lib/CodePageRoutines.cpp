#include "lib/CodePageRoutines.h"

#include <vondrel/Exception.h>

#include "lib/AlertLog.h"
#include "platform/Unicode.h"

#include <functional>

namespace vondrel {

namespace {

using ElementConversion = std::function<Variant(const Variant&)>;

/// Converts, in place, the elements of exactly the wide-text type of an array: a
/// one-dimensional array also in its nested arrays, a two-dimensional one only its own.
void WalkWideElements(Variant& array, const ElementConversion& convert, int depth) {
    if (depth > kMaxArrayNesting)
        throw Exception("Variant arrays are nested more than " + std::to_string(kMaxArrayNesting) + " deep");
    const int dims = array.DimCount();
    if (dims == 1) {
        for (int i = array.LowBound(1); i <= array.HighBound(1); ++i) {
            Variant& element = array[i];
            if (element.IsArray())
                WalkWideElements(element, convert, depth + 1);
            else if (element.Type() == VarType::WideString)
                element = convert(element);
        }
    } else if (dims == 2) {
        for (int i = array.LowBound(1); i <= array.HighBound(1); ++i)
            for (int j = array.LowBound(2); j <= array.HighBound(2); ++j) {
                Variant& element = array.At({i, j});
                if (element.Type() == VarType::WideString)
                    element = convert(element);
            }
    }
}

Variant ConvertVariant(const Variant& value, const ElementConversion& convert, const char* logPrefix) {
    if (value.IsEmpty() || value.IsNull())
        return value;
    try {
        if (value.IsArray()) {
            Variant copy = value;
            WalkWideElements(copy, convert, 1);
            return copy;
        }
        if (value.IsText())
            return convert(value);
        return value;
    } catch (const std::exception& error) {
        WriteAlertLog(kLibStrsLog, std::string(logPrefix) + error.what(), 'D');
        return value;
    }
}

} // namespace

std::string WideToCodePage(std::u16string_view text, int codePage) {
    if (auto bytes = WideCharToMultiByte(codePage, text))
        return std::move(*bytes);
    return Utf16ToUtf8(text);
}

std::u16string CodePageToWide(std::string_view text, int codePage) {
    if (auto wide = MultiByteToWideChar(codePage, text))
        return std::move(*wide);
    return Utf8ToUtf16(text);
}

Variant VarWideToCodePage(const Variant& value, int codePage) {
    return ConvertVariant(
        value,
        [codePage](const Variant& text) { return Variant(WideToCodePage(text.AsWideString(), codePage)); },
        "LINE[2735] ");
}

Variant VarCodePageToWide(const Variant& value, int codePage) {
    return ConvertVariant(
        value, [codePage](const Variant& text) { return Variant(CodePageToWide(text.AsString(), codePage)); },
        "LINE[115] ");
}

} // namespace vondrel
