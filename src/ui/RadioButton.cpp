#include "ui/RadioButton.h"

#include "ui/Canvas.h"

namespace vondrel {

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
    static const TClassInfo& info =
        DescribeClass<TRadioButton>("TRadioButton", [](TClassBuilder<TRadioButton>& c) {
            c.Property("Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment);
            c.Property("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked);
            c.Publish({"BiDiMode",    "Caption",     "Color",      "Ctl3D",          "Enabled",    "Font",
                       "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu",  "ShowHint",
                       "TabOrder",    "TabStop",     "Visible",    "OnClick",        "OnDblClick", "OnEnter",
                       "OnExit",      "OnKeyDown",   "OnKeyPress", "OnKeyUp"});
        });
    SetClass(info);
    SetBounds(0, 0, 113, 17);
    SetParentColor(true);
}

void TRadioButton::SetChecked(bool checked, TNotify notify) {
    if (checked == checked_)
        return;
    checked_ = checked;
    SetTabStop(checked);
    Invalidate();
    if (!checked)
        return;
    if (Parent())
        for (TControl* control : Parent()->ChildControls()) {
            auto* sibling = dynamic_cast<TRadioButton*>(control);
            if (sibling && sibling != this)
                sibling->SetChecked(false, TNotify::No);
        }
    if (notify == TNotify::Yes && !ClicksDisabled())
        Click();
}

void TRadioButton::SetAlignment(TAlignment value) {
    alignment_ = value;
    Invalidate();
}

bool TRadioButton::DialogChar(char32_t key) {
    if (AcceleratorOf(Caption()) != key || !CanFocus())
        return false;
    SetFocus();
    SetChecked(true);
    return true;
}

TUserResult TRadioButton::UserClick() {
    SetChecked(true);
    return TUserResult::Done();
}

} // namespace vondrel
