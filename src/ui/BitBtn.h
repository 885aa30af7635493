#pragma once

#include "ui/Button.h"
#include "ui/ButtonGlyph.h"

namespace vondrel {

enum TBitBtnKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};
template <>
struct TEnumTraits<TBitBtnKind> {
    static const TEnumInfo& Info();
};

/// A push button with a glyph. Assigning a glyph whose width is a whole multiple of its
/// height sets NumGlyphs to the number of images.
class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* owner);

    TBitmap* Glyph() const noexcept { return glyph_.get(); }
    void SetGlyph(TBitmap* glyph);
    int NumGlyphs() const noexcept { return numGlyphs_; }
    void SetNumGlyphs(int value);
    TBitBtnKind Kind() const noexcept { return kind_; }
    void SetKind(TBitBtnKind kind);
    TButtonLayout Layout() const noexcept { return layout_; }
    void SetLayout(TButtonLayout layout) noexcept { layout_ = layout; }
    int Margin() const noexcept { return margin_; }
    void SetMargin(int value) noexcept { margin_ = value; }
    int Spacing() const noexcept { return spacing_; }
    void SetSpacing(int value) noexcept { spacing_ = value; }

    /// The glyph image the button shows now.
    TGlyphImage CurrentGlyph() const;
    void Paint(TCanvas& canvas) override;

private:
    std::unique_ptr<TBitmap> glyph_;
    int numGlyphs_ = 1;
    TBitBtnKind kind_ = bkCustom;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
};

} // namespace vondrel
