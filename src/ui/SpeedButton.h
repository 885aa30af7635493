#pragma once

#include "ui/ButtonGlyph.h"
#include "ui/Control.h"

namespace vondrel {

/// A flat-capable button without a window (it never takes the focus). With a
/// GroupIndex it stays down when clicked, and the other buttons of its group on the same
/// parent come up; AllowAllUp lets a click bring it up again.
class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* owner);

    TBitmap* Glyph() const noexcept { return glyph_.get(); }
    void SetGlyph(TBitmap* glyph);
    int NumGlyphs() const noexcept { return numGlyphs_; }
    void SetNumGlyphs(int value);
    int GroupIndex() const noexcept { return groupIndex_; }
    void SetGroupIndex(int value);
    bool Down() const noexcept { return down_; }
    void SetDown(bool value);
    bool AllowAllUp() const noexcept { return allowAllUp_; }
    void SetAllowAllUp(bool value) noexcept { allowAllUp_ = value; }
    bool Flat() const noexcept { return flat_; }
    void SetFlat(bool value);
    TButtonLayout Layout() const noexcept { return layout_; }
    void SetLayout(TButtonLayout layout) noexcept { layout_ = layout; }
    int Margin() const noexcept { return margin_; }
    void SetMargin(int value) noexcept { margin_ = value; }
    int Spacing() const noexcept { return spacing_; }
    void SetSpacing(int value) noexcept { spacing_ = value; }

    /// The state the button shows: disabled, down (exclusive in a group) or up.
    TButtonState State() const noexcept;
    TGlyphImage CurrentGlyph() const;

    TUserResult UserClick() override;
    bool DialogChar(char32_t key) override;
    void Paint(TCanvas& canvas) override;

protected:
    /// The glyph changed (assigned, loaded or drawn on).
    virtual void GlyphChanged();

private:
    std::unique_ptr<TBitmap> glyph_;
    int numGlyphs_ = 1;
    int groupIndex_ = 0;
    bool down_ = false;
    bool allowAllUp_ = false;
    bool flat_ = false;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
};

} // namespace vondrel
