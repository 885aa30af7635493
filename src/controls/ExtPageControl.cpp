#include "controls/ExtPageControl.h"

#include "ui/Canvas.h"

namespace vondrel {

TExtPageControl::TExtPageControl(TComponent* owner) : TPageControl(owner) {
    static const TClassInfo& info = DescribeClass("TExtPageControl");
    SetClass(info);
    SetOwnerDraw(true);
}

TTabLook TExtPageControl::TabLook(int tabIndex, const TRect& rect, bool active) const {
    TTabLook look;
    const TTabSheet* page = PageOfTab(tabIndex);
    look.Text = page ? page->Caption() : std::string();
    if (active) {
        look.Rect = rect.Inflated(-2, -2);
        look.Back = clActiveCaption;
        look.TextColor = clCaptionText;
        look.Bold = true;
    } else {
        look.Rect = rect;
        look.Back = clInactiveCaption;
        look.TextColor = clInactiveCaptionText;
        look.TextOffset = 2;
    }
    return look;
}

void TExtPageControl::DrawTabDefault(TCanvas& canvas, int tabIndex, const TRect& rect, bool active) {
    const TTabLook look = TabLook(tabIndex, rect, active);
    canvas.SetBrushColor(look.Back);
    canvas.FillRect(look.Rect);
    canvas.Font()->Assign(*Font());
    canvas.Font()->SetColor(look.TextColor);
    TFontStyles style = canvas.Font()->Style();
    if (look.Bold)
        style.Include(fsBold);
    else
        style.Exclude(fsBold);
    canvas.Font()->SetStyle(style);
    canvas.DrawText(look.Text, look.Rect.Offset(0, look.TextOffset), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

} // namespace vondrel
