#include "ui/SpeedButton.h"

#include "ui/Canvas.h"
#include "ui/WinControl.h"

#include <algorithm>

namespace vondrel {

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), glyph_(std::make_unique<TBitmap>()) {
    static const TClassInfo& info =
        DescribeClass<TSpeedButton>("TSpeedButton", [](TClassBuilder<TSpeedButton>& c) {
            c.Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp);
            c.Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown);
            c.Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat);
            c.Property("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph);
            c.Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex);
            c.Property("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout);
            c.Property("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin);
            c.Property("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs);
            c.Property("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing);
            c.Publish({"BiDiMode", "Caption", "Enabled", "Font", "ParentFont", "ParentShowHint", "PopupMenu",
                       "ShowHint", "Visible", "OnClick", "OnDblClick"});
        });
    SetClass(info);
    SetBounds(0, 0, 23, 22);
    SetColor(clBtnFace);
    glyph_->OnChange = [this](TObject*) { GlyphChanged(); };
}

void TSpeedButton::GlyphChanged() {
    if (const int count = GlyphCountOf(*glyph_))
        numGlyphs_ = count;
    Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* glyph) {
    if (glyph)
        glyph_->Assign(*glyph);
    else
        glyph_->Clear();
}

void TSpeedButton::SetNumGlyphs(int value) {
    numGlyphs_ = std::clamp(value, 1, 4);
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int value) {
    groupIndex_ = value;
    if (value == 0)
        down_ = false;
}

void TSpeedButton::SetDown(bool value) {
    if (groupIndex_ == 0)
        value = false;
    if (value == down_)
        return;
    if (down_ && !value && !allowAllUp_)
        return;
    down_ = value;
    if (value && Parent()) {
        for (TControl* control : Parent()->ChildControls()) {
            auto* other = dynamic_cast<TSpeedButton*>(control);
            if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_)
                other->down_ = false, other->Invalidate();
        }
    }
    Invalidate();
}

void TSpeedButton::SetFlat(bool value) {
    flat_ = value;
    Invalidate();
}

TButtonState TSpeedButton::State() const noexcept {
    if (!EnabledInChain())
        return bsDisabled;
    if (down_)
        return groupIndex_ != 0 ? bsExclusive : bsDown;
    return bsUp;
}

TGlyphImage TSpeedButton::CurrentGlyph() const {
    return GlyphImageFor(*glyph_, numGlyphs_, State());
}

TUserResult TSpeedButton::UserClick() {
    // The mouse puts a grouped button down (or up again) before the click runs.
    if (groupIndex_ != 0) {
        if (!down_)
            SetDown(true);
        else if (allowAllUp_)
            SetDown(false);
    }
    Click();
    return TUserResult::Done();
}

bool TSpeedButton::DialogChar(char32_t key) {
    if (AcceleratorOf(Caption()) != key || !Parent() || !Parent()->Showing())
        return false;
    UserClick();
    return true;
}

void TSpeedButton::Paint(TCanvas& canvas) {
    if (!flat_ || down_) {
        canvas.SetBrushColor(Color());
        canvas.FillRect(ClientRect());
    }
    if (!glyph_->Empty()) {
        const TGlyphImage image = CurrentGlyph();
        const int width = image.Source.Width();
        const int height = image.Source.Height();
        const int left = Caption().empty() ? (Width() - width) / 2 : (margin_ >= 0 ? margin_ : 4);
        canvas.DrawGlyph(Bounds(left, (Height() - height) / 2, width, height), *glyph_, image.Source,
                         glyph_->TransparentColor());
    }
    if (!Caption().empty()) {
        canvas.Font()->Assign(*Font());
        canvas.DrawText(Caption(), ClientRect(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

} // namespace vondrel
