#include "ui/BitBtn.h"

#include "ui/Canvas.h"

#include <algorithm>

namespace vondrel {

const TEnumInfo& TEnumTraits<TBitBtnKind>::Info() {
    static const TEnumInfo info("TBitBtnKind", {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo",
                                                "bkClose", "bkAbort", "bkRetry", "bkIgnore", "bkAll"});
    return info;
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), glyph_(std::make_unique<TBitmap>()) {
    static const TClassInfo& info = DescribeClass<TBitBtn>("TBitBtn", [](TClassBuilder<TBitBtn>& c) {
        c.Property("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph);
        c.Property("Kind", &TBitBtn::Kind, &TBitBtn::SetKind);
        c.Property("Layout", &TBitBtn::Layout, &TBitBtn::SetLayout);
        c.Property("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin);
        c.Property("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs);
        c.Property("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing);
    });
    SetClass(info);
    glyph_->OnChange = [this](TObject*) {
        if (const int count = GlyphCountOf(*glyph_))
            numGlyphs_ = count;
        Invalidate();
    };
}

void TBitBtn::SetGlyph(TBitmap* glyph) {
    if (glyph)
        glyph_->Assign(*glyph);
    else
        glyph_->Clear();
}

void TBitBtn::SetNumGlyphs(int value) {
    numGlyphs_ = std::clamp(value, 1, 4);
    Invalidate();
}

void TBitBtn::SetKind(TBitBtnKind kind) {
    kind_ = kind;
    struct KindDefaults {
        const char* Caption;
        TModalResult Result;
    };
    static constexpr KindDefaults kDefaults[] = {
        {"", mrNone},        {"OK", mrOk},          {"Cancel", mrCancel}, {"&Help", mrNone},
        {"&Yes", mrYes},     {"&No", mrNo},         {"&Close", mrNone},   {"Abort", mrAbort},
        {"&Retry", mrRetry}, {"&Ignore", mrIgnore}, {"&All", mrAll},
    };
    if (kind == bkCustom)
        return;
    SetCaption(kDefaults[kind].Caption);
    SetModalResult(kDefaults[kind].Result);
    SetDefault(kind == bkOK || kind == bkYes);
    SetCancel(kind == bkCancel || kind == bkNo);
}

TGlyphImage TBitBtn::CurrentGlyph() const {
    return GlyphImageFor(*glyph_, numGlyphs_, EnabledInChain() ? bsUp : bsDisabled);
}

void TBitBtn::Paint(TCanvas& canvas) {
    TButton::Paint(canvas);
    if (!glyph_->Empty()) {
        const TGlyphImage image = CurrentGlyph();
        const int left = margin_ >= 0 ? margin_ : 4;
        const int top = (Height() - image.Source.Height()) / 2;
        canvas.DrawGlyph(Bounds(left, top, image.Source.Width(), image.Source.Height()), *glyph_,
                         image.Source, glyph_->TransparentColor());
    }
    canvas.Font()->Assign(*Font());
    canvas.DrawText(Caption(), ClientRect(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

} // namespace vondrel
