#include "platform/CodePage.h"

#include "platform/SysUtils.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace vondrel {

namespace {

/// The iconv name of a code page, nullptr for one we do not know. 936 and 950 are the
/// Windows forms of GBK and Big5 (with the euro sign and the vendor extensions).
const char* IconvName(int codePage) noexcept {
    switch (codePage) {
    case kCodePageUS:
        return "CP437";
    case kCodePageGBK:
        return "CP936";
    case kCodePageBig5:
        return "CP950";
    case kCodePageUTF8:
        return "UTF-8";
    default:
        return nullptr;
    }
}

/// An iconv conversion descriptor that closes itself.
class IconvHandle {
public:
    IconvHandle(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~IconvHandle() {
        if (IsOpen())
            iconv_close(handle_);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    bool IsOpen() const noexcept { return handle_ != reinterpret_cast<iconv_t>(-1); }

    /// Converts as much as it can; returns 0 when all input was used, else the errno that
    /// stopped it. The output grows as needed.
    int Run(const char*& in, std::size_t& inLeft, std::string& out) {
        char buffer[4096];
        for (;;) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(handle_, const_cast<char**>(&in), &inLeft, &outPtr, &outLeft);
            const int error = result == static_cast<std::size_t>(-1) ? errno : 0;
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (error != E2BIG)
                return error;
        }
    }
    /// Forgets any shift state after a skipped sequence.
    void Reset() { iconv(handle_, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t handle_;
};

std::u16string FromUtf16LE(const std::string& bytes) {
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return text;
}

std::string ToUtf16LE(std::u16string_view text) {
    std::string bytes(text.size() * 2, '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    return bytes;
}

bool IsHighSurrogate(char16_t c) noexcept {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) noexcept {
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

bool IsValidCodePage(int codePage) noexcept {
    return IconvName(codePage) != nullptr;
}

std::optional<std::u16string> MultiByteToWideChar(int codePage, std::string_view bytes) {
    const char* name = IconvName(codePage);
    if (!name)
        return std::nullopt;
    if (bytes.empty())
        return std::u16string();
    IconvHandle converter("UTF-16LE", name);
    if (!converter.IsOpen())
        return std::nullopt;
    std::string wide;
    const char* in = bytes.data();
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        const int error = converter.Run(in, inLeft, wide);
        if (error == 0)
            break;
        // A byte that starts no character, or a sequence cut off at the end: replace one
        // byte and go on with the next.
        wide += ToUtf16LE(u"\uFFFD");
        ++in;
        --inLeft;
        converter.Reset();
    }
    return FromUtf16LE(wide);
}

std::optional<std::string> WideCharToMultiByte(int codePage, std::u16string_view text,
                                               bool* usedDefaultChar) {
    if (usedDefaultChar)
        *usedDefaultChar = false;
    const char* name = IconvName(codePage);
    if (!name)
        return std::nullopt;
    if (text.empty())
        return std::string();
    IconvHandle converter(name, "UTF-16LE");
    if (!converter.IsOpen())
        return std::nullopt;
    const std::string_view defaultChar = codePage == kCodePageUTF8 ? "\xEF\xBF\xBD" : "?";
    const std::string wide = ToUtf16LE(text);
    std::string out;
    const char* in = wide.data();
    std::size_t inLeft = wide.size();
    while (inLeft > 0) {
        const int error = converter.Run(in, inLeft, out);
        if (error == 0)
            break;
        // The character at the input position has no form in the code page (or is a lone
        // surrogate): write the default character and skip it, a surrogate pair as one.
        out += defaultChar;
        if (usedDefaultChar)
            *usedDefaultChar = true;
        const std::size_t at = (wide.size() - inLeft) / 2;
        const std::size_t units =
            at + 1 < text.size() && IsHighSurrogate(text[at]) && IsLowSurrogate(text[at + 1]) ? 2 : 1;
        const std::size_t skip = std::min(inLeft, units * 2);
        in += skip;
        inLeft -= skip;
        converter.Reset();
    }
    return out;
}

std::string AnsiCodePageOfLocale(std::string_view localeName) {
    const std::size_t end = localeName.find_first_of(".@");
    std::string territory = UpperCase(localeName.substr(0, end));
    for (char& c : territory)
        if (c == '-')
            c = '_';
    if (territory == "ZH_CN" || territory == "ZH_SG")
        return "936";
    if (territory == "ZH_TW" || territory == "ZH_HK")
        return "950";
    return "437";
}

std::string ProcessAnsiCodePage() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"})
        if (const char* value = std::getenv(variable); value && *value)
            return AnsiCodePageOfLocale(value);
    return AnsiCodePageOfLocale("C");
}

} // namespace vondrel
