#pragma once

#include <vondrel/Variant.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace vondrel {

class TTranslator;

/// Where a converter is used: in a client form or in a server-side one.
enum class TDesignType { dtClient, dtServer };

/// The font every Chinese interface uses, and its two character sets.
inline constexpr const char* kChineseFontName = "SimSun";
inline constexpr int kGB2312Charset = 134;
inline constexpr int kChineseBig5Charset = 136;

/// Conversion modes of texts (the numbers the settings give): 1 traditional to
/// simplified, 2 simplified to traditional. Modes 0, 3 and 4 convert no text but choose
/// the character set of the font.
inline constexpr int kConvertBig5ToGB = 1;
inline constexpr int kConvertGBToBig5 = 2;

/// Converts values between the code pages of the interface and of the database, as the
/// client settings ask, and chooses Chinese fonts. Its translator (and with it the
/// conversion library) is loaded only when the interface is converted (UIConvertMode not
/// 0); without it no text is converted.
class TCodeConverter {
public:
    /// Reads the client settings. Raises the translator's errors when the interface is
    /// converted and the conversion library cannot be loaded.
    TCodeConverter();
    virtual ~TCodeConverter();
    TCodeConverter(const TCodeConverter&) = delete;
    TCodeConverter& operator=(const TCodeConverter&) = delete;

    const std::string& SysCodePage() const noexcept { return sysCodePage_; }
    const std::string& UICodePage() const noexcept { return uiCodePage_; }
    const std::string& DBCodePage() const noexcept { return dbCodePage_; }
    std::uint8_t UIConvertMode() const noexcept { return uiConvertMode_; }
    std::uint8_t DBConvertMode() const noexcept { return dbConvertMode_; }
    TDesignType DesignType() const noexcept { return designType_; }
    void SetDesignType(TDesignType designType) noexcept { designType_ = designType; }
    bool HasTranslator() const noexcept { return translator_ != nullptr; }

    /// The value converted by the mode: a text (or a number, date or flag, which becomes
    /// text), every element of a one-dimensional array (into nested arrays) and of a
    /// two-dimensional one. Empty, null and object values, arrays of more dimensions and
    /// modes other than 1 and 2 leave the value as it is, as does a converter without
    /// translator. Raises Exception for arrays nested deeper than kMaxArrayNesting.
    Variant ConvertValue(int mode, const Variant& value) const;
    /// A value read from the database, for display.
    Variant ConvertDBValue(const Variant& value) const;
    /// A source (simplified) text, for display.
    Variant ConvertUIValue(const Variant& value) const;
    /// A displayed value, for the database: the reverse of the database mode. Never
    /// raises: on any failure the value comes back unchanged.
    Variant ToDBValue(const Variant& value) const;
    /// A displayed value, back to the source code page: the reverse of the interface mode.
    /// Never raises.
    Variant UIToSourceValue(const Variant& value) const;

    std::string Big5ToGB(std::string_view text) const;
    std::string GBToBig5(std::string_view text) const;

    /// Sets the font name and character set the mode asks for; a mode outside 0..4 leaves
    /// them unchanged.
    void SetChineseFont(int mode, std::string& fontName, int& charset) const;

private:
    Variant Convert(int mode, const Variant& value, int depth) const;
    Variant Reverse(int mode, const Variant& value) const;

    std::unique_ptr<TTranslator> translator_;
    std::string sysCodePage_ = "936";
    std::string uiCodePage_ = "936";
    std::string dbCodePage_ = "936";
    std::uint8_t uiConvertMode_ = 0;
    std::uint8_t dbConvertMode_ = 0;
    TDesignType designType_ = TDesignType::dtClient;
};

} // namespace vondrel
