#include "controls/DBLabel.h"

#include "controls/F2Button.h"

#include "ui/DataSet.h"
#include "ui/DataSource.h"
#include "ui/Dialogs.h"
#include "ui/WinControl.h"

#include <algorithm>

namespace vondrel {

const TEnumInfo& TEnumTraits<TPos>::Info() {
    static const TEnumInfo info("TPos", {"psTop", "psLeft", "psRight", "psBottom"});
    return info;
}

TPoint AttachedLabelPosition(TPos position, int gap, const TRect& control, int labelWidth, int labelHeight) {
    const int middle = control.Top + control.Height() / 2 - labelHeight / 2;
    switch (position) {
    case psTop:
        return {control.Left, std::max(control.Top - labelHeight - gap, 0)};
    case psLeft:
        return {std::max(control.Left - labelWidth - gap, 0), middle};
    case psRight:
        return {std::max(control.Right + gap, 0), middle};
    case psBottom:
        return {control.Left, std::max(control.Bottom + gap, 0)};
    }
    return {control.Left, control.Top};
}

TDBLabel::TDBLabel(TComponent* owner) : TLabel(owner) {
    static const TClassInfo& info = DescribeClass<TDBLabel>("TDBLabel", [](TClassBuilder<TDBLabel>& c) {
        c.Property("AutoAlign", &TDBLabel::AutoAlign, &TDBLabel::SetAutoAlign);
        c.Property("AutoCaption", &TDBLabel::AutoCaption, &TDBLabel::SetAutoCaption);
        c.Property("FocusControl", &TDBLabel::FocusControl, &TDBLabel::SetFocusControl);
        c.Property("Gap", &TDBLabel::Gap, &TDBLabel::SetGap);
        c.Property("Pos", &TDBLabel::Pos, &TDBLabel::SetPos);
    });
    SetClass(info);
    SetCaption("挂靠标签");
}

void TDBLabel::SetAutoAlign(bool value) {
    autoAlign_ = value;
    AlignToControl();
}

void TDBLabel::SetAutoCaption(bool value) {
    autoCaption_ = value;
    AlignToControl();
}

void TDBLabel::SetGap(std::uint8_t value) {
    gap_ = value;
    AlignToControl();
}

void TDBLabel::SetPos(TPos value) {
    pos_ = value;
    AlignToControl();
}

void TDBLabel::SetFocusControl(TWinControl* control) {
    if (control == FocusControl())
        return;
    if (control)
        for (TComponent* sibling : SiblingsOf(*this)) {
            const auto* other = dynamic_cast<const TDBLabel*>(sibling);
            if (other && other != this && other->FocusControl() == control) {
                MessageDlg(kDBLabelTwiceError, mtError, {mbOK});
                return;
            }
        }
    TLabel::SetFocusControl(control);
    AlignToControl();
}

void TDBLabel::TakeFieldCaption() {
    TWinControl* control = FocusControl();
    if (!control || !control->FindProperty("DataSource"))
        return;
    // Any failure leaves the caption as it is.
    try {
        const auto* source = dynamic_cast<const TDataSource*>(control->GetPropObject("DataSource"));
        const TDataSet* dataSet = source ? source->DataSet() : nullptr;
        std::string fieldName;
        if (!dataSet || control->GetPropText("DataField", fieldName) != TPropResult::Ok)
            return;
        if (const TField* field = dataSet->FindField(fieldName))
            SetCaption(field->DisplayLabel());
    } catch (const std::exception&) {
    }
}

void TDBLabel::AlignToControl() {
    TWinControl* control = FocusControl();
    if (!autoAlign_ || !control || Destroying())
        return;
    if (autoCaption_)
        TakeFieldCaption();
    const TPoint at = AttachedLabelPosition(pos_, gap_, control->BoundsRect(), Width(), Height());
    SetBounds(at.X, at.Y, Width(), Height());
}

void TDBLabel::Loaded() {
    TLabel::Loaded();
    AlignToControl();
}

} // namespace vondrel
