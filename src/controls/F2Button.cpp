#include "controls/F2Button.h"

#include "controls/LookupRequest.h"

#include "ui/Dialogs.h"
#include "ui/WinControl.h"

#include <algorithm>

namespace vondrel {

std::vector<TComponent*> SiblingsOf(const TControl& control) {
    std::vector<TComponent*> siblings;
    const TWinControl* parent = control.Parent();
    if (!parent)
        return siblings;
    for (TComponent* owned : parent->OwnedComponents())
        siblings.push_back(owned);
    for (TControl* child : parent->ChildControls())
        if (std::find(siblings.begin(), siblings.end(), child) == siblings.end())
            siblings.push_back(child);
    return siblings;
}

TF2Button::TF2Button(TComponent* owner) : TGSpeedButton(owner) {
    static const TClassInfo& info = DescribeClass<TF2Button>("TF2Button", [](TClassBuilder<TF2Button>& c) {
        c.Property("AutoAlign", &TF2Button::AutoAlign, &TF2Button::SetAutoAlign);
        c.Property("F2Control", &TF2Button::F2Control, &TF2Button::SetF2Control);
        c.Property("Gap", &TF2Button::Gap, &TF2Button::SetGap);
    });
    SetClass(info);
    SetFlat(true);
    SetGlyphIndex(8);
}

void TF2Button::SetF2Control(TWinControl* control) {
    if (control == control_.Get())
        return;
    if (control)
        for (TComponent* sibling : SiblingsOf(*this)) {
            const auto* other = dynamic_cast<const TF2Button*>(sibling);
            if (other && other != this && other->F2Control() == control) {
                MessageDlg(kF2ButtonTwiceError, mtError, {mbOK});
                return;
            }
        }
    control_ = control;
    AlignToControl();
}

void TF2Button::SetAutoAlign(bool value) {
    autoAlign_ = value;
    AlignToControl();
}

void TF2Button::SetGap(std::uint8_t value) {
    gap_ = value;
    AlignToControl();
}

void TF2Button::AlignToControl() {
    const TWinControl* control = control_.Get();
    if (!autoAlign_ || !control)
        return;
    const int size = control->Height();
    SetBounds(control->Left() + control->Width() + gap_, control->Top(), size, size);
}

void TF2Button::Click() {
    TComponentRef<TF2Button> self(this);
    TGSpeedButton::Click();
    TWinControl* control = self ? control_.Get() : nullptr;
    if (!control || !control->Enabled())
        return;
    if (control->CanFocus())
        control->SetFocus();
    if (control->Focused())
        SendLookupRequest(*this, *control);
}

} // namespace vondrel
