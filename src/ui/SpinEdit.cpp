#include "ui/SpinEdit.h"

#include "platform/FormatSettings.h"
#include "platform/SysUtils.h"

namespace vondrel {

TSpinEdit::TSpinEdit(TComponent* owner) : TCustomEdit(owner) {
    static const TClassInfo& info = DescribeClass<TSpinEdit>("TSpinEdit", [](TClassBuilder<TSpinEdit>& c) {
        c.Property("EditorEnabled", &TSpinEdit::EditorEnabled, &TSpinEdit::SetEditorEnabled);
        c.Property("Increment", &TSpinEdit::Increment, &TSpinEdit::SetIncrement);
        c.Property("MaxValue", &TSpinEdit::MaxValue, &TSpinEdit::SetMaxValue);
        c.Property("MinValue", &TSpinEdit::MinValue, &TSpinEdit::SetMinValue);
        c.Property("Value", &TSpinEdit::Value, &TSpinEdit::SetValue);
        c.Publish({"AutoSelect",  "Color",       "Ctl3D",      "Enabled",        "Font",       "MaxLength",
                   "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu",  "ReadOnly",
                   "ShowHint",    "TabOrder",    "TabStop",    "Text",           "Visible",    "OnChange",
                   "OnClick",     "OnEnter",     "OnExit",     "OnKeyDown",      "OnKeyPress", "OnKeyUp"});
    });
    SetClass(info);
    SetText("0", TNotify::No);
}

int TSpinEdit::Value() const {
    const auto number = TryStrToInt(Text());
    return number ? *number : minValue_;
}

void TSpinEdit::SetValue(int value) {
    SetText(IntToStr(CheckValue(value)));
}

int TSpinEdit::CheckValue(int value) const noexcept {
    if (maxValue_ != minValue_) {
        if (value < minValue_)
            return minValue_;
        if (value > maxValue_)
            return maxValue_;
    }
    return value;
}

void TSpinEdit::UpClick() {
    if (!ReadOnly())
        SetValue(Value() + increment_);
}

void TSpinEdit::DownClick() {
    if (!ReadOnly())
        SetValue(Value() - increment_);
}

void TSpinEdit::KeyDown(Word& key, TShiftState shift) {
    if (key == VK_UP) {
        UpClick();
    } else if (key == VK_DOWN) {
        DownClick();
    }
    TCustomEdit::KeyDown(key, shift);
}

bool TSpinEdit::IsValidChar(char32_t key) const {
    const bool valid = key == static_cast<char32_t>(FormatSettings().DecimalSeparator) || key == U'+' ||
                       key == U'-' || (key >= U'0' && key <= U'9') || (key < 32 && key != U'\r');
    if (!editorEnabled_ && valid && (key >= 32 || key == 8))
        return false;
    return valid;
}

void TSpinEdit::KeyPress(char32_t& key) {
    if (!IsValidChar(key))
        key = 0;
    if (key != 0)
        TCustomEdit::KeyPress(key);
}

void TSpinEdit::DoExit() {
    if (CheckValue(Value()) != Value())
        SetValue(Value());
    TCustomEdit::DoExit();
}

} // namespace vondrel
