#include "controls/KmRadioButton.h"

#include "ui/Canvas.h"

namespace vondrel {

int KmRadioCaptionOffset(int pointSize) noexcept {
    struct Step {
        int Upto;
        int Offset;
    };
    static constexpr Step kSteps[] = {{8, 17},  {15, 19}, {17, 20}, {23, 21}, {29, 23},
                                      {35, 25}, {41, 27}, {43, 29}, {60, 31}, {80, 39}};
    if (pointSize < 1)
        return 44;
    for (const Step& step : kSteps)
        if (pointSize <= step.Upto)
            return step.Offset;
    return 44;
}

TKmRadioButton::TKmRadioButton(TComponent* owner) : TRadioButton(owner) {
    static const TClassInfo& info = DescribeClass("TKmRadioButton");
    SetClass(info);
    SetBounds(0, 0, 113, 17);
}

TRect TKmRadioButton::CaptionRect() const {
    return Rect(KmRadioCaptionOffset(Font()->Size()), 0, Width(), Height());
}

TRect TKmRadioButton::FillRect() const {
    return CaptionRect().Inflated(4, 4);
}

void TKmRadioButton::Paint(TCanvas& canvas) {
    TRadioButton::Paint(canvas);
    canvas.SetBrushColor(Color());
    canvas.FillRect(FillRect());
    canvas.Font()->Assign(*Font());
    canvas.DrawText(Caption(), CaptionRect(), DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

bool TKmRadioButton::DialogChar(char32_t key) {
    if (AcceleratorOf(Caption()) != key || !CanFocus())
        return false;
    SetFocus();
    return true;
}

TUserResult TKmRadioButton::UserDoubleClick() {
    UserClick();
    DblClick();
    return TUserResult::Done();
}

void TKmRadioButton::EnabledChanged() {
    TRadioButton::EnabledChanged();
    Invalidate();
}

} // namespace vondrel
