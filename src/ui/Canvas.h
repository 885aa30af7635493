#pragma once

#include "ui/Bitmap.h"
#include "ui/Font.h"
#include "ui/Types.h"

#include <string>
#include <vector>

namespace vondrel {

// Flags of DrawText.
inline constexpr unsigned DT_LEFT = 0x0;
inline constexpr unsigned DT_CENTER = 0x1;
inline constexpr unsigned DT_RIGHT = 0x2;
inline constexpr unsigned DT_VCENTER = 0x4;
inline constexpr unsigned DT_BOTTOM = 0x8;
inline constexpr unsigned DT_SINGLELINE = 0x20;
inline constexpr unsigned DT_NOPREFIX = 0x800;

/// One drawing step a control asked for.
struct TDrawOp {
    enum class Kind { FillRect, Glyph, Text, FocusRect, Frame };
    Kind What = Kind::FillRect;
    TRect Rect;            ///< the target area (a glyph's destination, a text's box)
    TColor Color = clNone; ///< fill or frame colour, the text colour
    std::string Text;      ///< Text: the characters, with "&" prefixes resolved
    TPoint At;             ///< Text: where its first character starts
    unsigned Flags = 0;    ///< Text: DT_ flags
    std::string FontName;  ///< Text: the font in use
    int FontHeight = 0;
    TFontStyles FontStyle;
    const TBitmap* Bitmap = nullptr;  ///< Glyph: the bitmap drawn from
    TRect Source;                     ///< Glyph: the part of the bitmap drawn
    TColor TransparentColor = clNone; ///< Glyph: pixels of this colour are left out
};

/// A drawing surface that records what is drawn on it, in order. Controls paint onto
/// it; tests read the steps and a visual front end replays them.
class TCanvas : public TPersistent {
public:
    TCanvas();

    TFont* Font() const noexcept { return font_.get(); }
    TColor BrushColor() const noexcept { return brushColor_; }
    void SetBrushColor(TColor color) noexcept { brushColor_ = color; }

    void FillRect(const TRect& rect);
    void FrameRect(const TRect& rect, TColor color);
    /// Draws a part of a bitmap into a rectangle, leaving out its transparent colour.
    void DrawGlyph(const TRect& dest, const TBitmap& bitmap, const TRect& source, TColor transparentColor);
    void TextOut(int x, int y, const std::string& text);
    /// Text laid out in a box by DT_ flags; the starting point follows the model's metric.
    void DrawText(const std::string& text, const TRect& box, unsigned flags);
    void DrawFocusRect(const TRect& rect);

    int TextWidth(std::string_view text) const noexcept { return font_->TextWidth(text); }
    int TextHeight() const noexcept { return font_->TextHeight(); }

    const std::vector<TDrawOp>& Ops() const noexcept { return ops_; }
    void Clear() { ops_.clear(); }

private:
    TDrawOp TextOp(const std::string& text) const;

    std::unique_ptr<TFont> font_;
    TColor brushColor_ = clWhite;
    std::vector<TDrawOp> ops_;
};

/// The text of a caption as shown: "&&" becomes "&", a single "&" (the accelerator
/// marker) disappears.
std::string StripAccelerator(std::string_view caption);
/// The accelerator character of a caption (upper case), or 0.
char32_t AcceleratorOf(std::string_view caption);

} // namespace vondrel
