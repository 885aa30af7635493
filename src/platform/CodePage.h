#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vondrel {

/// The code pages the conversions know, by their Windows numbers.
inline constexpr int kCodePageUS = 437;     ///< the OEM code page of the United States
inline constexpr int kCodePageGBK = 936;    ///< simplified Chinese (GBK)
inline constexpr int kCodePageBig5 = 950;   ///< traditional Chinese (Big5)
inline constexpr int kCodePageUTF8 = 65001; ///< UTF-8

/// True for a code page the conversions below know.
bool IsValidCodePage(int codePage) noexcept;

/// Converts bytes in a code page to UTF-16. Bytes that form no character of the code page
/// become U+FFFD, one for each byte, and the conversion goes on, so the rest of the text is
/// kept. Empty (no value) when the code page is unknown.
std::optional<std::u16string> MultiByteToWideChar(int codePage, std::string_view bytes);

/// Converts UTF-16 text to bytes in a code page. A character the code page cannot hold
/// becomes the default character ("?"; U+FFFD for UTF-8, which has no character it cannot
/// hold, only lone surrogates) and usedDefaultChar, when given, is set; the rest of the text
/// is converted. Empty (no value) when the code page is unknown.
std::optional<std::string> WideCharToMultiByte(int codePage, std::u16string_view text,
                                               bool* usedDefaultChar = nullptr);

/// The ANSI code page a locale name implies, reduced to the three the suite knows: "936"
/// for zh_CN and zh_SG, "950" for zh_TW and zh_HK, "437" for every other locale. The name
/// may carry an encoding and a modifier ("zh_TW.UTF-8@radical"); case does not matter.
std::string AnsiCodePageOfLocale(std::string_view localeName);

/// The code page of the process locale: the first of LC_ALL, LC_CTYPE and LANG that is set
/// and not empty, read by AnsiCodePageOfLocale.
std::string ProcessAnsiCodePage();

} // namespace vondrel
