#include "lib/PasswordEncoding.h"

#include <vondrel/Exception.h>

#include "lib/AlertLog.h"
#include "platform/Unicode.h"

#include <algorithm>
#include <cstdint>

namespace vondrel {

namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

/// A stored password that is not in the encoded form.
class EPasswordFormatError : public Exception {
    using Exception::Exception;
};

int SextetOf(char c) noexcept {
    const std::size_t at = kAlphabet.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

std::string Base64Decode(std::string_view text) {
    if (text.size() % 4 != 0)
        throw EPasswordFormatError("The encoded password has a length that is not a multiple of four");
    std::size_t padding = 0;
    while (padding < 2 && padding < text.size() && text[text.size() - 1 - padding] == '=')
        ++padding;
    std::string bytes;
    std::uint32_t bits = 0;
    int count = 0;
    for (std::size_t i = 0; i < text.size() - padding; ++i) {
        const int sextet = SextetOf(text[i]);
        if (sextet < 0)
            throw EPasswordFormatError("The encoded password holds a character outside the Base64 alphabet");
        bits = (bits << 6) | static_cast<std::uint32_t>(sextet);
        count += 6;
        if (count >= 8) {
            count -= 8;
            bytes += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    return bytes;
}

} // namespace

std::string EncodeSQLSa(std::string_view password) {
    std::string out;
    out.reserve((password.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < password.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, password.size() - i);
        std::uint32_t bits = 0;
        for (std::size_t k = 0; k < 3; ++k)
            bits = (bits << 8) | (k < n ? static_cast<unsigned char>(password[i + k]) : 0u);
        for (std::size_t k = 0; k < 4; ++k)
            out += k <= n ? kAlphabet[(bits >> (18 - 6 * k)) & 0x3F] : '=';
    }
    return out;
}

std::string DecodeSQLSa(std::string_view stored) {
    try {
        std::string password = Base64Decode(stored);
        if (!IsValidUtf8(password) || password.find('\0') != std::string::npos)
            throw EPasswordFormatError("The decoded password is not a text");
        return password;
    } catch (const std::exception& error) {
        WriteErrorReport(&error, EncodeSQLSa("DecodeSQLSa"), kPasswordErrorMessage);
        return kPasswordError;
    }
}

} // namespace vondrel
