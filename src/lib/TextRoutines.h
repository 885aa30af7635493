#pragma once

#include <vondrel/Variant.h>

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace vondrel {

/// The length a text has in the suite's double-byte code pages: one for each ASCII
/// character, two for every other character. Widths and limits that the suite counts in
/// code-page characters count this.
std::size_t CodePageLength(std::string_view text);

/// Prefixes the text with fill characters up to the width: options are [width] (blank
/// fill) or [width, fill character code]. A text as wide as that or wider is returned
/// unchanged.
std::string PadLeft(std::string_view text, std::span<const int> options);
inline std::string PadLeft(std::string_view text, std::initializer_list<int> options) {
    return PadLeft(text, std::span<const int>(options.begin(), options.size()));
}

/// The n-th field (from 1) of the text split at the separator; empty beyond the last
/// field and for n <= 0.
std::string GetToken(std::string_view text, std::string_view separator, int n);
/// Occurrences of the separator plus one; 0 for an empty text.
int TokenCount(std::string_view text, std::string_view separator);
/// Splits off the part before the first separator into head and leaves the rest in text;
/// without a separator the whole text is the head and text becomes empty.
void CutToken(std::string& text, std::string_view separator, std::string& head);

/// Replaces every occurrence of oldText by newText, searching again from the start after
/// each replacement so that an occurrence formed at a junction is replaced as well. Old
/// and new texts that differ only in letter case change nothing. When the new text
/// contains the old one, or when the replacements would feed on their own output (more
/// of them than the text has characters), each occurrence in the original text is
/// replaced once. Trims the result when asked.
std::string ReplaceAllText(std::string_view text, std::string_view oldText, std::string_view newText,
                           bool trim);

/// name #3 count #3 item1 #3 ... itemN #3, where element 0 of the counted array is the
/// count and the elements after it the items.
std::u16string BuildDelimitedParams(std::string_view name, std::span<const Variant> counted);

/// The caption of a standard message-dialog button ("Yes" → "是(&Y)"); any other name is
/// returned unchanged.
std::string LocalButtonCaption(std::string_view buttonName);

/// True exactly for the loop-back address "127.0.0.1".
bool IsLocalAddress(std::string_view address);

} // namespace vondrel
