#include "ui/Button.h"

#include "ui/Canvas.h"
#include "ui/Form.h"
#include "ui/Screen.h"

namespace vondrel {

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
    static const TClassInfo& info = DescribeClass("TButtonControl");
    SetClass(info);
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
    static const TClassInfo& info = DescribeClass<TButton>("TButton", [](TClassBuilder<TButton>& c) {
        c.Property("Cancel", &TButton::Cancel, &TButton::SetCancel);
        c.Property("Default", &TButton::Default, &TButton::SetDefault);
        c.Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult);
        c.Publish({"BiDiMode", "Caption", "Enabled", "Font", "ParentFont", "ParentShowHint", "PopupMenu",
                   "ShowHint", "TabOrder", "TabStop", "Visible", "OnClick", "OnEnter", "OnExit", "OnKeyDown",
                   "OnKeyPress", "OnKeyUp"});
    });
    SetClass(info);
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
    SetColor(clBtnFace);
}

void TButton::Click() {
    if (Destroying())
        return;
    if (TForm* form = GetParentForm(this))
        form->SetModalResult(modalResult_);
    TButtonControl::Click();
}

bool TButton::IsActiveDefault() const noexcept {
    if (Focused())
        return true;
    return default_ && !dynamic_cast<const TButton*>(Screen().ActiveControl());
}

bool TButton::DialogKey(Word key, TShiftState shift) {
    if (!shift.Empty())
        return false;
    if ((key == VK_RETURN && IsActiveDefault()) || (key == VK_ESCAPE && cancel_)) {
        if (!CanFocus())
            return false;
        Click();
        return true;
    }
    return false;
}

bool TButton::DialogChar(char32_t key) {
    if (AcceleratorOf(Caption()) != key || !CanFocus())
        return false;
    Click();
    return true;
}

void TButton::KeyUp(Word& key, TShiftState shift) {
    TButtonControl::KeyUp(key, shift);
    if (key == VK_SPACE)
        Click();
}

} // namespace vondrel
