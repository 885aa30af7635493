#include "platform/Unicode.h"

#include <unicode/ustring.h>
#include <unicode/utf8.h>

namespace vondrel {

std::u16string Utf8ToUtf16(std::string_view text) {
    if (text.empty())
        return {};
    std::u16string result(text.size(), u'\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(result.data()), static_cast<int32_t>(result.size()),
                         &length, text.data(), static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &status);
    if (U_FAILURE(status))
        return {};
    result.resize(static_cast<std::size_t>(length));
    return result;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    if (text.empty())
        return {};
    std::string result(text.size() * 3, '\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(result.data(), static_cast<int32_t>(result.size()), &length,
                       reinterpret_cast<const UChar*>(text.data()), static_cast<int32_t>(text.size()), 0xFFFD,
                       nullptr, &status);
    if (U_FAILURE(status))
        return {};
    result.resize(static_cast<std::size_t>(length));
    return result;
}

bool IsValidUtf8(std::string_view text) noexcept {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    int32_t i = 0;
    while (i < length) {
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        if (c < 0)
            return false;
    }
    return true;
}

} // namespace vondrel

namespace vondrel {

std::string DecodeTextBytes(std::string_view bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::u16string wide((bytes.size() - 2) / 2, u'\0');
        for (std::size_t i = 0; i < wide.size(); ++i)
            wide[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                            (static_cast<unsigned char>(bytes[3 + 2 * i]) << 8));
        return Utf16ToUtf8(wide);
    }
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    return std::string(bytes);
}

} // namespace vondrel
