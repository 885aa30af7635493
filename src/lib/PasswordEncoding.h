#pragma once

#include <string>
#include <string_view>

namespace vondrel {

/// What a stored password that cannot be decoded reads as.
inline constexpr const char* kPasswordError = "KM_Say_Password_Error";
/// The programmer's message of the report written when a stored password cannot be decoded.
inline constexpr const char* kPasswordErrorMessage = "解析 Sa 时发生错误!";

/// The stored form of a database password in the server settings: the standard Base64
/// encoding (RFC 4648, with "=" padding, no line breaks) of the password's UTF-8 bytes. The
/// empty password is stored as the empty text. It keeps a password from being read at a
/// glance; it is no protection against anyone who can read the file.
std::string EncodeSQLSa(std::string_view password);

/// The password of a stored form. A text that is not such a form (not Base64, or not
/// UTF-8 text without NUL characters once decoded) gives kPasswordError, and an error
/// report (never naming the stored text) goes to the generator log.
std::string DecodeSQLSa(std::string_view stored);

} // namespace vondrel
