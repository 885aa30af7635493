#pragma once

#include <string>
#include <string_view>

namespace vondrel {

/// UTF-8 to UTF-16 and back. Malformed input never fails: each bad sequence becomes the
/// replacement character U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
/// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view text) noexcept;

} // namespace vondrel

namespace vondrel {

/// The text of a file's bytes as UTF-8: UTF-16LE (recognised by its byte-order mark) is
/// converted, a UTF-8 byte-order mark dropped, anything else returned as it is.
std::string DecodeTextBytes(std::string_view bytes);

} // namespace vondrel
