#pragma once

#include "ui/Bitmap.h"
#include "ui/CheckBox.h"
#include "ui/WinControl.h"

namespace vondrel {

/// A check box drawn with bitmaps, one glyph per state. A glyph may hold two images side
/// by side, the second shown while the box is disabled. Clicking it, pressing space or
/// its accelerator toggles it: unchecked → grayed (AllowGrayed) or checked, checked →
/// unchecked, grayed → checked.
class TBitCheckBox : public TWinControl {
public:
    explicit TBitCheckBox(TComponent* owner);

    bool AllowGrayed() const noexcept { return allowGrayed_; }
    void SetAllowGrayed(bool value) noexcept { allowGrayed_ = value; }
    TAlignment Alignment() const noexcept { return alignment_; }
    void SetAlignment(TAlignment value);
    bool Checked() const noexcept { return state_ == cbChecked; }
    void SetChecked(bool checked, TNotify notify = TNotify::Yes);
    TCheckBoxState State() const noexcept { return state_; }
    void SetState(TCheckBoxState state, TNotify notify = TNotify::Yes);
    void Toggle();

    /// The glyphs of the three states; assigning no (or an empty) bitmap brings back
    /// the default image of that state.
    TBitmap* CheckedGlyph() const noexcept { return glyphs_[cbChecked].get(); }
    void SetCheckedGlyph(TBitmap* glyph) { SetGlyph(cbChecked, glyph); }
    TBitmap* UncheckedGlyph() const noexcept { return glyphs_[cbUnchecked].get(); }
    void SetUncheckedGlyph(TBitmap* glyph) { SetGlyph(cbUnchecked, glyph); }
    TBitmap* GrayedGlyph() const noexcept { return glyphs_[cbGrayed].get(); }
    void SetGrayedGlyph(TBitmap* glyph) { SetGlyph(cbGrayed, glyph); }
    void SetGlyph(TCheckBoxState state, const TBitmap* glyph);
    /// Images per glyph, 1 or 2 (other values are clamped).
    int CheckedNumGlyphs() const noexcept { return numGlyphs_[cbChecked]; }
    void SetCheckedNumGlyphs(int value) { SetNumGlyphs(cbChecked, value); }
    int UncheckedNumGlyphs() const noexcept { return numGlyphs_[cbUnchecked]; }
    void SetUncheckedNumGlyphs(int value) { SetNumGlyphs(cbUnchecked, value); }
    int GrayedNumGlyphs() const noexcept { return numGlyphs_[cbGrayed]; }
    void SetGrayedNumGlyphs(int value) { SetNumGlyphs(cbGrayed, value); }
    void SetNumGlyphs(TCheckBoxState state, int value);

    /// Where the current glyph is drawn and which of its images.
    TRect GlyphRect() const;
    TRect GlyphSource() const;
    /// Where the caption starts.
    int CaptionLeft() const;

    void Paint(TCanvas& canvas) override;
    bool DialogChar(char32_t key) override;
    void KeyPress(char32_t& key) override;
    TUserResult UserClick() override;
    int UserCheckState() const override { return state_; }

protected:
    void EnabledChanged() override;

private:
    void GlyphAssigned(TCheckBoxState state);

    bool allowGrayed_ = false;
    TAlignment alignment_ = taRightJustify;
    TCheckBoxState state_ = cbUnchecked;
    std::unique_ptr<TBitmap> glyphs_[3];
    int numGlyphs_[3] = {1, 1, 1};
};

/// The default glyph of a state: 19 x 14 pixels, a box with its mark.
void LoadDefaultCheckGlyph(TCheckBoxState state, TBitmap& bitmap);

} // namespace vondrel
