#include "ui/Font.h"

#include <cstdlib>

namespace vondrel {

const TEnumInfo& TEnumTraits<TFontStyle>::Info() {
    static const TEnumInfo info("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
    return info;
}
const TEnumInfo& TEnumTraits<TFontPitch>::Info() {
    static const TEnumInfo info("TFontPitch", {"fpDefault", "fpVariable", "fpFixed"});
    return info;
}

const TIdentMap& CharsetIdents() {
    static const TIdentMap map("TFontCharset", {{"ANSI_CHARSET", 0},
                                                {"DEFAULT_CHARSET", 1},
                                                {"SYMBOL_CHARSET", 2},
                                                {"MAC_CHARSET", 77},
                                                {"SHIFTJIS_CHARSET", 128},
                                                {"HANGEUL_CHARSET", 129},
                                                {"JOHAB_CHARSET", 130},
                                                {"GB2312_CHARSET", 134},
                                                {"CHINESEBIG5_CHARSET", 136},
                                                {"GREEK_CHARSET", 161},
                                                {"TURKISH_CHARSET", 162},
                                                {"VIETNAMESE_CHARSET", 163},
                                                {"HEBREW_CHARSET", 177},
                                                {"ARABIC_CHARSET", 178},
                                                {"BALTIC_CHARSET", 186},
                                                {"RUSSIAN_CHARSET", 204},
                                                {"THAI_CHARSET", 222},
                                                {"EASTEUROPE_CHARSET", 238},
                                                {"OEM_CHARSET", 255}});
    return map;
}

namespace {

// The platform's MulDiv: the product divided with rounding half away from zero.
int MulDiv(int number, int numerator, int denominator) {
    const long long product = static_cast<long long>(number) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

} // namespace

TFont::TFont() {
    static const TClassInfo& info = DescribeClass<TFont>("TFont", [](TClassBuilder<TFont>& c) {
        c.Property("Charset", &TFont::Charset, &TFont::SetCharset, CharsetIdents());
        c.Property("Color", &TFont::Color, &TFont::SetColor, ColorIdents());
        c.Property("Height", &TFont::Height, &TFont::SetHeight);
        c.Property("Name", &TFont::Name, &TFont::SetName);
        c.Property("Pitch", &TFont::Pitch, &TFont::SetPitch);
        c.Property("Size", &TFont::Size, &TFont::SetSize);
        c.Property("Style", &TFont::Style, &TFont::SetStyle);
    });
    SetClass(info);
}

void TFont::SetName(const std::string& name) {
    if (name.empty() || name == name_)
        return;
    name_ = name;
    Changed();
}

int TFont::Size() const noexcept {
    return -MulDiv(height_, 72, kPixelsPerInch);
}

void TFont::SetSize(int points) {
    SetHeight(-MulDiv(points, kPixelsPerInch, 72));
}

void TFont::SetHeight(int height) {
    if (height == height_)
        return;
    height_ = height;
    Changed();
}

void TFont::SetCharset(TFontCharset charset) {
    if (charset == charset_)
        return;
    charset_ = charset;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == color_)
        return;
    color_ = color;
    Changed();
}

void TFont::SetStyle(TFontStyles style) {
    if (style == style_)
        return;
    style_ = style;
    Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch == pitch_)
        return;
    pitch_ = pitch;
    Changed();
}

void TFont::Assign(const TPersistent& source) {
    const auto* font = dynamic_cast<const TFont*>(&source);
    if (!font) {
        TPersistent::Assign(source);
        return;
    }
    if (SameAs(*font))
        return;
    name_ = font->name_;
    height_ = font->height_;
    charset_ = font->charset_;
    color_ = font->color_;
    style_ = font->style_;
    pitch_ = font->pitch_;
    Changed();
}

bool TFont::SameAs(const TFont& other) const noexcept {
    return name_ == other.name_ && height_ == other.height_ && charset_ == other.charset_ &&
           color_ == other.color_ && style_ == other.style_ && pitch_ == other.pitch_;
}

void TFont::Changed() {
    OnChange(this);
}

int TFont::TextHeight() const noexcept {
    return std::abs(height_);
}

int TFont::TextWidth(std::string_view text) const noexcept {
    const int height = std::abs(height_);
    int width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80)
            width += (height + 1) / 2;
        else if ((byte & 0xC0) != 0x80)
            width += height; // the lead byte of a wider character; continuation bytes add nothing
    }
    return width;
}

} // namespace vondrel
