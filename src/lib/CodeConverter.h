#pragma once

#include <vondrel/Variant.h>

#include "lib/DesignType.h"
#include "ui/Component.h"
#include "ui/Dialogs.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

namespace vondrel {

class TFont;
class TForm;
class TListView;
class TTranslator;

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
/// client settings ask, chooses Chinese fonts, converts whole forms for display and shows
/// message dialogs in the interface's font. Its translator (and with it the conversion
/// library) is loaded only when the interface is converted (UIConvertMode not 0); without
/// it no text is converted.
///
/// A component of the form that owns it (published as "KmConverter" on localised forms).
/// When the conversion library cannot be loaded, the converter raises the translator's
/// error at the end of its construction (Create<TCodeConverter>), freeing itself. Built
/// inside its owner's constructor with `new`, it keeps the failure in TranslatorFailure
/// for the owner to raise: the localised base form does so before its OnCreate.
class TCodeConverter : public TComponent {
public:
    /// Reads the client settings and, for a converted interface, loads the library.
    explicit TCodeConverter(TComponent* owner);
    ~TCodeConverter() override;

    void AfterConstruction() override;
    /// Why the conversion library could not be loaded; empty when it was (or not needed).
    std::exception_ptr TranslatorFailure() const noexcept { return translatorFailure_; }

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
    void SetChineseFont(int mode, TFont& font) const;

    /// Converts a whole form for display when the interface is converted (UIConvertMode 2
    /// or 4): its caption and hints, the screen's fonts, the fonts and texts of every
    /// component it owns by their published properties, then what each kind of control
    /// keeps beyond them (see TClassLocalisation for classes of the layers above). Does
    /// nothing without translator.
    void ConvertForm(TForm& form) const;
    /// On a traditional-Chinese system (SysCodePage "950") the caption goes to traditional
    /// Chinese whatever the modes.
    void ConvertFormCaption(TForm& form) const;
    /// Shows a standard message dialog with the owner form's caption in the interface's
    /// font and returns the button's modal result; an empty text shows nothing and gives 0.
    TModalResult ShowMessageDlg(const std::string& text, TMsgDlgType dialogType,
                                TMsgDlgButtons buttons) const;

private:
    Variant Convert(int mode, const Variant& value, int depth) const;
    Variant Reverse(int mode, const Variant& value) const;

    std::unique_ptr<TTranslator> translator_;
    std::string sysCodePage_ = "936";
    std::string uiCodePage_ = "936";
    std::string dbCodePage_ = "936";
    std::uint8_t uiConvertMode_ = 0;
    std::uint8_t dbConvertMode_ = 0;
    TDesignType designType_ = dtClient;
    std::exception_ptr translatorFailure_;
};

/// A list view's column captions, row captions and the sub items under a column, from
/// simplified to traditional Chinese.
void ConvertListView(const TCodeConverter& converter, TListView& list);

} // namespace vondrel
