#include "ui/Edit.h"

#include "ui/Canvas.h"

namespace vondrel {

const TEnumInfo& TEnumTraits<TEditCharCase>::Info() {
    static const TEnumInfo info("TEditCharCase", {"ecNormal", "ecUpperCase", "ecLowerCase"});
    return info;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    static const TClassInfo& info =
        DescribeClass<TCustomEdit>("TCustomEdit", [](TClassBuilder<TCustomEdit>& c) {
            c.Declared("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect);
            c.Declared("CharCase", &TCustomEdit::CharCase, &TCustomEdit::SetCharCase);
            c.Declared("ImeName", &TCustomEdit::ImeName, &TCustomEdit::SetImeName);
            c.Declared("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength);
            c.Declared("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly);
            c.Event("OnChange", &TCustomEdit::OnChange, false);
        });
    SetClass(info);
    SetTabStop(true);
    SetBounds(0, 0, 121, 21);
}

void TCustomEdit::SetMaxLength(int value) {
    maxLength_ = value < 0 ? 0 : value;
}

void TCustomEdit::SetCharCase(TEditCharCase value) {
    if (value == charCase_)
        return;
    charCase_ = value;
    if (value == ecNormal)
        return;
    std::u32string chars = buffer_.Text;
    for (char32_t& c : chars)
        c = ApplyCharCase(c);
    SetText(FromChars(chars));
}

void TCustomEdit::SetSelLength(int length) noexcept {
    buffer_.SelLength = std::clamp(length, 0, static_cast<int>(buffer_.Text.size()) - buffer_.SelStart);
}

std::string TCustomEdit::SelText() const {
    return FromChars(
        std::u32string_view(buffer_.Text)
            .substr(static_cast<std::size_t>(buffer_.SelStart), static_cast<std::size_t>(buffer_.SelLength)));
}

char32_t TCustomEdit::ApplyCharCase(char32_t key) const noexcept {
    if (charCase_ == ecUpperCase && key >= 'a' && key <= 'z')
        return key - 32;
    if (charCase_ == ecLowerCase && key >= 'A' && key <= 'Z')
        return key + 32;
    return key;
}

void TCustomEdit::SetText(const std::string& text, TNotify notify) {
    if (text == TWinControl::Text())
        return;
    TWinControl::SetText(text, notify);
}

void TCustomEdit::TextChanged(TNotify notify) {
    if (!committing_)
        buffer_.Assign(TWinControl::Text());
    TWinControl::TextChanged(notify);
    if (notify == TNotify::Yes)
        Change();
}

void TCustomEdit::CommitBuffer() {
    committing_ = true;
    const int start = buffer_.SelStart;
    const int length = buffer_.SelLength;
    TWinControl::SetText(buffer_.Utf8(), TNotify::No);
    buffer_.SelStart = start;
    buffer_.SelLength = length;
    committing_ = false;
    modified_ = true;
    Change();
}

void TCustomEdit::Change() {
    if (!Destroying() && !Loading())
        OnChange(this);
}

void TCustomEdit::KeyDown(Word& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    switch (key) {
    case VK_DELETE:
        if (!readOnly_ && buffer_.Delete())
            CommitBuffer();
        break;
    case VK_LEFT:
        buffer_.SetCaret(buffer_.SelStart - (buffer_.SelLength ? 0 : 1));
        break;
    case VK_RIGHT:
        buffer_.SetCaret(buffer_.SelStart + (buffer_.SelLength ? buffer_.SelLength : 1));
        break;
    case VK_HOME:
        buffer_.SetCaret(0);
        break;
    case VK_END:
        buffer_.SetCaret(static_cast<int>(buffer_.Text.size()));
        break;
    default:
        break;
    }
}

void TCustomEdit::KeyPress(char32_t& key) {
    TWinControl::KeyPress(key);
    if (key == 0 || readOnly_)
        return;
    if (key == 8) {
        if (buffer_.Backspace())
            CommitBuffer();
    } else if (key >= 32) {
        const char32_t typed = ApplyCharCase(key);
        if (buffer_.Insert(std::u32string_view(&typed, 1), maxLength_))
            CommitBuffer();
    }
}

void TCustomEdit::DoEnter() {
    // Tabbing into a field selects its text (so typing replaces it); a click leaves the
    // caret after the text.
    if (autoSelect_ && !FocusingByMouse())
        buffer_.SelectAll();
    else
        buffer_.SetCaret(static_cast<int>(buffer_.Text.size()));
    TWinControl::DoEnter();
}

TUserResult TCustomEdit::UserCanType() const {
    if (readOnly_)
        return TUserResult::Refused(Name() + " is read-only");
    return TUserResult::Done();
}

TEdit::TEdit(TComponent* owner) : TCustomEdit(owner) {
    static const TClassInfo& info = DescribeClass<TEdit>("TEdit", [](TClassBuilder<TEdit>& c) {
        c.Publish({"Align",      "AutoSelect",     "BiDiMode",  "CharCase",   "Color",       "Ctl3D",
                   "Enabled",    "Font",           "ImeName",   "MaxLength",  "ParentColor", "ParentCtl3D",
                   "ParentFont", "ParentShowHint", "PopupMenu", "ReadOnly",   "ShowHint",    "TabOrder",
                   "TabStop",    "Text",           "Visible",   "OnChange",   "OnClick",     "OnDblClick",
                   "OnEnter",    "OnExit",         "OnKeyDown", "OnKeyPress", "OnKeyUp"});
    });
    SetClass(info);
}

} // namespace vondrel
