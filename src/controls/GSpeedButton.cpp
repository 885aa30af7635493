#include "controls/GSpeedButton.h"

#include "controls/GlyphLibrary.h"

#include "ui/Dialogs.h"

#include "platform/SysUtils.h"

namespace vondrel {

TGSpeedButton::TGSpeedButton(TComponent* owner) : TSpeedButton(owner) {
    static const TClassInfo& info =
        DescribeClass<TGSpeedButton>("TGSpeedButton", [](TClassBuilder<TGSpeedButton>& c) {
            c.Property("GlyphIndex", &TGSpeedButton::GlyphIndex, &TGSpeedButton::SetGlyphIndex);
            c.Property("HintIndex", &TGSpeedButton::HintIndex, &TGSpeedButton::SetHintIndex);
        });
    SetClass(info);
}

void TGSpeedButton::SetGlyphIndex(int index) {
    if (index == glyphIndex_)
        return;
    glyphIndex_ = index;
    SetCaption(IntToStr(index));
    if (index <= 0 || index > MaxGlyphNumber()) {
        Glyph()->Clear();
        SetNumGlyphs(1);
        return;
    }
    TBitmap glyph;
    if (!LoadGlyph(index, glyph)) {
        MessageDlg(kGlyphLoadError, mtError, {mbOK});
        return;
    }
    Glyph()->Assign(glyph);
    SetCaption({});
    SetNumGlyphs(glyph.Height() > 0 ? glyph.Width() / glyph.Height() : 1);
}

} // namespace vondrel
