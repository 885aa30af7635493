#include "ui/ComboBox.h"

#include "platform/SysUtils.h"

namespace vondrel {

const TEnumInfo& TEnumTraits<TComboBoxStyle>::Info() {
    static const TEnumInfo info("TComboBoxStyle", {"csDropDown", "csSimple", "csDropDownList",
                                                   "csOwnerDrawFixed", "csOwnerDrawVariable"});
    return info;
}

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner), items_(std::make_unique<TStringList>()) {
    static const TClassInfo& info = DescribeClass<TComboBox>("TComboBox", [](TClassBuilder<TComboBox>& c) {
        c.Property("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount);
        c.Property("ImeName", &TComboBox::ImeName, &TComboBox::SetImeName);
        // Written by name, as from code, a combo box fires no events.
        c.Property("ItemIndex", &TComboBox::ItemIndex,
                   [](TComboBox& box, int index) { box.SetItemIndex(index); });
        c.Property("Items", &TComboBox::Items);
        c.Property("MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength);
        c.Property("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted);
        c.Property("Style", &TComboBox::Style, &TComboBox::SetStyle);
        c.Property("Text", &TComboBox::Text,
                   [](TComboBox& box, const std::string& text) { box.SetText(text); });
        c.Publish({"BiDiMode",    "Color",      "Ctl3D",          "Enabled",    "Font",     "ParentColor",
                   "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu",  "ShowHint", "TabOrder",
                   "TabStop",     "Visible",    "OnClick",        "OnDblClick", "OnEnter",  "OnExit",
                   "OnKeyDown",   "OnKeyPress", "OnKeyUp"});
        c.Event("OnChange", &TComboBox::OnChange);
        c.Event("OnDropDown", &TComboBox::OnDropDown);
    });
    SetClass(info);
    SetTabStop(true);
    SetBounds(0, 0, 145, 21);
    SetColor(clWindow);
    items_->OnChange = [this](TObject*) { ItemsChanged(); };
}

void TComboBox::ItemsChanged() {
    if (itemIndex_ >= items_->Count()) {
        itemIndex_ = -1;
        if (!Editable())
            edit_.Assign({});
    }
    Invalidate();
}

std::string TComboBox::Text() const {
    if (Editable())
        return edit_.Utf8();
    return itemIndex_ >= 0 && itemIndex_ < items_->Count() ? items_->Get(itemIndex_) : std::string();
}

void TComboBox::SetText(const std::string& text, TNotify notify) {
    if (!Editable()) {
        SetItemIndex(items_->IndexOf(text), notify);
        return;
    }
    if (text == edit_.Utf8())
        return;
    edit_.Assign(text);
    int exact = -1;
    for (int i = 0; i < items_->Count() && exact < 0; ++i)
        if (items_->Get(i) == text)
            exact = i;
    itemIndex_ = exact;
    Invalidate();
    if (notify == TNotify::Yes)
        Change();
}

void TComboBox::SetItemIndex(int index, TNotify notify) {
    if (index < -1 || index >= items_->Count())
        index = -1;
    if (index == itemIndex_ && (index < 0 || edit_.Utf8() == items_->Get(index)))
        return;
    itemIndex_ = index;
    edit_.Assign(index >= 0 ? items_->Get(index) : std::string());
    Invalidate();
    if (notify == TNotify::Yes) {
        Click();
        Change();
    }
}

void TComboBox::SetStyle(TComboBoxStyle style) {
    if (style == style_)
        return;
    const int index = itemIndex_;
    style_ = style;
    if (!Editable())
        edit_.Assign(index >= 0 && index < items_->Count() ? items_->Get(index) : std::string());
    Invalidate();
}

void TComboBox::Change() {
    if (!Destroying() && !Loading())
        OnChange(this);
}

void TComboBox::Select(int index) {
    if (index == itemIndex_)
        return;
    SetItemIndex(index, TNotify::Yes);
}

void TComboBox::DropDown() {
    if (!Destroying())
        OnDropDown(this);
}

void TComboBox::CommitEdit() {
    int exact = -1;
    const std::string text = edit_.Utf8();
    for (int i = 0; i < items_->Count() && exact < 0; ++i)
        if (items_->Get(i) == text)
            exact = i;
    itemIndex_ = exact;
    Invalidate();
    Change();
}

void TComboBox::KeyDown(Word& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if (key == VK_UP || key == VK_DOWN) {
        if (shift.Contains(ssAlt)) {
            DropDown();
            return;
        }
        const int count = items_->Count();
        if (count == 0)
            return;
        int index = itemIndex_ < 0 ? 0 : itemIndex_ + (key == VK_DOWN ? 1 : -1);
        index = std::clamp(index, 0, count - 1);
        Select(index);
    } else if (key == VK_DELETE && Editable()) {
        if (edit_.Delete())
            CommitEdit();
    }
}

void TComboBox::KeyPress(char32_t& key) {
    TWinControl::KeyPress(key);
    if (key == 0 || key == 13 || key == 27)
        return;
    if (!Editable()) {
        // A letter chooses the next item that begins with it.
        if (key < 32)
            return;
        const std::string letter = FromChars(std::u32string(1, key));
        const int count = items_->Count();
        for (int step = 1; step <= count; ++step) {
            const int index = (itemIndex_ + step + count) % count;
            if (StartsText(letter, items_->Get(index))) {
                Select(index);
                break;
            }
        }
        return;
    }
    if (key == 8) {
        if (edit_.Backspace())
            CommitEdit();
    } else if (key >= 32) {
        if (edit_.Insert(std::u32string_view(&key, 1), maxLength_))
            CommitEdit();
    }
}

void TComboBox::DoEnter() {
    if (FocusingByMouse())
        edit_.SetCaret(static_cast<int>(edit_.Text.size()));
    else
        edit_.SelectAll();
    TWinControl::DoEnter();
}

TUserResult TComboBox::UserChoose(int index) {
    if (index < 0 || index >= items_->Count())
        return TUserResult::Refused(Name() + " has no item " + std::to_string(index));
    DropDown();
    Select(index);
    return TUserResult::Done();
}

int TComboBox::UserChoiceIndex(std::string_view text) const {
    for (int i = 0; i < items_->Count(); ++i)
        if (items_->Get(i) == text)
            return i;
    return -1;
}

TUserResult TComboBox::UserCanType() const {
    if (!Editable())
        return TUserResult::Refused(Name() + " is a list to choose from");
    return TUserResult::Done();
}

} // namespace vondrel
