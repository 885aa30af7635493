#include "ui/CheckBox.h"

#include "ui/Canvas.h"

namespace vondrel {

const TEnumInfo& TEnumTraits<TCheckBoxState>::Info() {
    static const TEnumInfo info("TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"});
    return info;
}

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner) {
    static const TClassInfo& info = DescribeClass<TCheckBox>("TCheckBox", [](TClassBuilder<TCheckBox>& c) {
        c.Property("Alignment", &TCheckBox::Alignment, &TCheckBox::SetAlignment);
        c.Property("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed);
        c.Property("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked);
        c.Property("State", &TCheckBox::State, &TCheckBox::SetState);
        c.Publish({"BiDiMode",    "Caption",     "Color",      "Ctl3D",          "Enabled",   "Font",
                   "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint",
                   "TabOrder",    "TabStop",     "Visible",    "OnClick",        "OnEnter",   "OnExit",
                   "OnKeyDown",   "OnKeyPress",  "OnKeyUp"});
    });
    SetClass(info);
    SetTabStop(true);
    SetBounds(0, 0, 97, 17);
    SetParentColor(true);
}

void TCheckBox::SetChecked(bool checked, TNotify notify) {
    SetState(checked ? cbChecked : cbUnchecked, notify);
}

void TCheckBox::SetState(TCheckBoxState state, TNotify notify) {
    if (state == state_)
        return;
    state_ = state;
    Invalidate();
    if (notify == TNotify::Yes && !ClicksDisabled())
        Click();
}

void TCheckBox::SetAlignment(TAlignment value) {
    alignment_ = value;
    Invalidate();
}

TCheckBoxState NextCheckBoxState(TCheckBoxState state, bool allowGrayed) noexcept {
    switch (state) {
    case cbUnchecked:
        return allowGrayed ? cbGrayed : cbChecked;
    case cbChecked:
        return cbUnchecked;
    case cbGrayed:
        break;
    }
    return cbChecked;
}

void TCheckBox::Toggle() {
    SetState(NextCheckBoxState(state_, allowGrayed_));
}

bool TCheckBox::DialogChar(char32_t key) {
    if (AcceleratorOf(Caption()) != key || !CanFocus())
        return false;
    SetFocus();
    Toggle();
    return true;
}

void TCheckBox::KeyUp(Word& key, TShiftState shift) {
    TButtonControl::KeyUp(key, shift);
    if (key == VK_SPACE)
        Toggle();
}

TUserResult TCheckBox::UserClick() {
    Toggle();
    return TUserResult::Done();
}

} // namespace vondrel
