#pragma once

#include "ui/Colors.h"
#include "ui/Object.h"

#include <string>
#include <string_view>

namespace vondrel {

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };

template <>
struct TEnumTraits<TFontStyle> {
    static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TFontPitch> {
    static const TEnumInfo& Info();
};

using TFontCharset = std::uint8_t;
inline constexpr TFontCharset ANSI_CHARSET = 0;
inline constexpr TFontCharset DEFAULT_CHARSET = 1;
inline constexpr TFontCharset GB2312_CHARSET = 134;
inline constexpr TFontCharset CHINESEBIG5_CHARSET = 136;
/// ANSI_CHARSET, GB2312_CHARSET and the other character-set names.
const TIdentMap& CharsetIdents();

/// The screen resolution the model lays out for; sizes in points convert to pixels with it.
inline constexpr int kPixelsPerInch = 96;

/// A font: name, size (points) or height (pixels, negative for the character height),
/// character set, colour and style. Size and Height are two views of one value.
class TFont : public TPersistent {
public:
    TFont();

    const std::string& Name() const noexcept { return name_; }
    void SetName(const std::string& name);
    int Size() const noexcept;
    void SetSize(int points);
    int Height() const noexcept { return height_; }
    void SetHeight(int height);
    TFontCharset Charset() const noexcept { return charset_; }
    void SetCharset(TFontCharset charset);
    TColor Color() const noexcept { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const noexcept { return style_; }
    void SetStyle(TFontStyles style);
    TFontPitch Pitch() const noexcept { return pitch_; }
    void SetPitch(TFontPitch pitch);

    void Assign(const TPersistent& source) override;
    bool SameAs(const TFont& other) const noexcept;

    TNotifyEvent OnChange;

    /// The model's text metric, deterministic so that layout can be tested: a line is
    /// |Height| pixels high; a character of the ASCII range is (|Height| + 1) / 2 pixels
    /// wide, any other character (Chinese, full-width) |Height| pixels. Style does not
    /// change the widths.
    int TextHeight() const noexcept;
    int TextWidth(std::string_view text) const noexcept;

private:
    void Changed();

    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    TFontCharset charset_ = DEFAULT_CHARSET;
    TColor color_ = clWindowText;
    TFontStyles style_;
    TFontPitch pitch_ = fpDefault;
};

} // namespace vondrel
