#include "controls/BitCheckBox.h"

#include "ui/Canvas.h"

#include <algorithm>

namespace vondrel {

void LoadDefaultCheckGlyph(TCheckBoxState state, TBitmap& bitmap) {
    // A 13 x 13 box on an olive background (the transparent colour, bottom-left).
    TBitmap glyph(19, 14, clOlive);
    const TColor face = state == cbGrayed ? clSilver : clWhite;
    glyph.FillRect(Bounds(3, 0, 13, 13), clGray);
    glyph.FillRect(Bounds(4, 1, 11, 11), face);
    if (state != cbUnchecked) {
        const TColor mark = state == cbGrayed ? clGray : clBlack;
        // A check mark from (6, 6) down to (8, 8) and up to (12, 4).
        for (int i = 0; i < 3; ++i) {
            glyph.SetPixel(6 + i, 5 + i, mark);
            glyph.SetPixel(6 + i, 6 + i, mark);
        }
        for (int i = 1; i <= 4; ++i) {
            glyph.SetPixel(8 + i, 7 - i, mark);
            glyph.SetPixel(8 + i, 8 - i, mark);
        }
    }
    bitmap.Assign(glyph);
}

TBitCheckBox::TBitCheckBox(TComponent* owner) : TWinControl(owner) {
    static const TClassInfo& info =
        DescribeClass<TBitCheckBox>("TBitCheckBox", [](TClassBuilder<TBitCheckBox>& c) {
            c.Property("AllowGrayed", &TBitCheckBox::AllowGrayed, &TBitCheckBox::SetAllowGrayed);
            c.Property("Alignment", &TBitCheckBox::Alignment, &TBitCheckBox::SetAlignment);
            c.Property("Checked", &TBitCheckBox::Checked, &TBitCheckBox::SetChecked);
            c.Property("CheckedGlyph", &TBitCheckBox::CheckedGlyph, &TBitCheckBox::SetCheckedGlyph);
            c.Property("CheckedNumGlyphs", &TBitCheckBox::CheckedNumGlyphs,
                       &TBitCheckBox::SetCheckedNumGlyphs);
            c.Property("GrayedGlyph", &TBitCheckBox::GrayedGlyph, &TBitCheckBox::SetGrayedGlyph);
            c.Property("GrayedNumGlyphs", &TBitCheckBox::GrayedNumGlyphs, &TBitCheckBox::SetGrayedNumGlyphs);
            c.Property("State", &TBitCheckBox::State, &TBitCheckBox::SetState);
            c.Property("UncheckedGlyph", &TBitCheckBox::UncheckedGlyph, &TBitCheckBox::SetUncheckedGlyph);
            c.Property("UncheckedNumGlyphs", &TBitCheckBox::UncheckedNumGlyphs,
                       &TBitCheckBox::SetUncheckedNumGlyphs);
            c.Publish({"BiDiMode",    "Caption",     "Color",      "Ctl3D",          "Enabled",   "Font",
                       "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint",
                       "TabOrder",    "TabStop",     "Visible",    "OnClick",        "OnEnter",   "OnExit",
                       "OnKeyDown",   "OnKeyPress",  "OnKeyUp"});
        });
    SetClass(info);
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
    SetParentColor(true);
    SetParentCtl3D(true);
    for (int s = cbUnchecked; s <= cbGrayed; ++s) {
        const auto state = static_cast<TCheckBoxState>(s);
        glyphs_[s] = std::make_unique<TBitmap>();
        LoadDefaultCheckGlyph(state, *glyphs_[s]);
        glyphs_[s]->OnChange = [this, state](TObject*) { GlyphAssigned(state); };
    }
}

void TBitCheckBox::SetAlignment(TAlignment value) {
    alignment_ = value;
    Invalidate();
}

void TBitCheckBox::SetChecked(bool checked, TNotify notify) {
    SetState(checked ? cbChecked : cbUnchecked, notify);
}

void TBitCheckBox::SetState(TCheckBoxState state, TNotify notify) {
    if (state == state_)
        return;
    state_ = state;
    Invalidate();
    if (notify == TNotify::Yes)
        Click();
}

void TBitCheckBox::Toggle() {
    SetState(NextCheckBoxState(state_, allowGrayed_));
}

void TBitCheckBox::SetGlyph(TCheckBoxState state, const TBitmap* glyph) {
    if (!glyph || glyph->Empty()) {
        LoadDefaultCheckGlyph(state, *glyphs_[state]);
        SetNumGlyphs(state, 1);
    } else
        glyphs_[state]->Assign(*glyph);
}

void TBitCheckBox::GlyphAssigned(TCheckBoxState state) {
    const TBitmap& glyph = *glyphs_[state];
    if (glyph.Height() > 0 && glyph.Width() % glyph.Height() == 0)
        SetNumGlyphs(state, glyph.Width() / glyph.Height());
    Invalidate();
}

void TBitCheckBox::SetNumGlyphs(TCheckBoxState state, int value) {
    numGlyphs_[state] = std::clamp(value, 1, 2);
    Invalidate();
}

TRect TBitCheckBox::GlyphSource() const {
    const TBitmap& glyph = *glyphs_[state_];
    const int count = numGlyphs_[state_];
    const int width = glyph.Width() / count;
    const int image = count == 2 && !EnabledInChain() ? 1 : 0;
    return Bounds(image * width, 0, width, glyph.Height());
}

TRect TBitCheckBox::GlyphRect() const {
    const TRect source = GlyphSource();
    const int left = alignment_ == taRightJustify ? 0 : Width() - source.Width();
    return Bounds(left, (Height() - source.Height()) / 2, source.Width(), source.Height());
}

int TBitCheckBox::CaptionLeft() const {
    return alignment_ == taRightJustify ? GlyphSource().Width() + 4 : 1;
}

void TBitCheckBox::Paint(TCanvas& canvas) {
    canvas.SetBrushColor(Color());
    canvas.FillRect(ClientRect());
    const TBitmap& glyph = *glyphs_[state_];
    canvas.DrawGlyph(GlyphRect(), glyph, GlyphSource(), glyph.TransparentColor());

    canvas.Font()->Assign(*Font());
    const int left = CaptionLeft();
    const int right = alignment_ == taRightJustify ? Width() : Width() - GlyphSource().Width();
    const TRect box = Rect(left, 0, right, Height());
    const unsigned flags = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
    if (EnabledInChain()) {
        canvas.DrawText(Caption(), box, flags);
    } else {
        // Embossed: the highlight one pixel down and right (with a 3-D look), the shadow on top.
        if (Ctl3D()) {
            canvas.Font()->SetColor(clBtnHighlight);
            canvas.DrawText(Caption(), box.Offset(1, 1), flags);
        }
        canvas.Font()->SetColor(clBtnShadow);
        canvas.DrawText(Caption(), box, flags);
    }
    if (Focused()) {
        const int width = Font()->TextWidth(StripAccelerator(Caption()));
        const int height = Font()->TextHeight();
        const int top = (Height() - height) / 2;
        canvas.DrawFocusRect(Rect(left - 1, top - 1, left + width + 1, top + height + 1));
    }
}

bool TBitCheckBox::DialogChar(char32_t key) {
    if (AcceleratorOf(Caption()) != key || !CanFocus())
        return false;
    SetFocus();
    Toggle();
    return true;
}

void TBitCheckBox::KeyPress(char32_t& key) {
    TWinControl::KeyPress(key);
    if (key == U' ')
        Toggle();
}

TUserResult TBitCheckBox::UserClick() {
    Toggle();
    return TUserResult::Done();
}

void TBitCheckBox::EnabledChanged() {
    TWinControl::EnabledChanged();
    Invalidate();
}

} // namespace vondrel
