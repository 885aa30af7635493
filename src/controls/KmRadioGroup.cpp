#include "controls/KmRadioGroup.h"

#include "ui/Form.h"

#include <algorithm>

namespace vondrel {

TKmGroupButton::TKmGroupButton(TKmRadioGroup* group) : TKmRadioButton(group), group_(group) {
    static const TClassInfo& info = DescribeClass("TKmGroupButton");
    SetClass(info);
}

void TKmGroupButton::Click() {
    TKmRadioButton::Click();
    if (group_ && !Destroying())
        group_->ButtonClicked(this);
}

std::vector<TRect> KmRadioGroupLayout(int count, int columns, int groupWidth, int groupHeight, int textHeight,
                                      bool rightToLeft) {
    std::vector<TRect> layout;
    if (count <= 0)
        return layout;
    columns = std::clamp(columns, 1, 16);
    const int perColumn = (count + columns - 1) / columns;
    const int width = (groupWidth - 10) / columns;
    const int space = groupHeight - textHeight - 5;
    const int height = space / perColumn;
    const int topMargin = (space % perColumn) / 2 + textHeight + 1;
    for (int i = 0; i < count; ++i) {
        int left = (i / perColumn) * width + 8;
        if (rightToLeft)
            left = groupWidth - left - width;
        layout.push_back(Bounds(left, (i % perColumn) * height + topMargin, width, height));
    }
    return layout;
}

TKmRadioGroup::TKmRadioGroup(TComponent* owner) : TGroupBox(owner), items_(std::make_unique<TStringList>()) {
    static const TClassInfo& info =
        DescribeClass<TKmRadioGroup>("TKmRadioGroup", [](TClassBuilder<TKmRadioGroup>& c) {
            c.Property("Columns", &TKmRadioGroup::Columns, &TKmRadioGroup::SetColumns);
            c.Property("ItemIndex", &TKmRadioGroup::ItemIndex, &TKmRadioGroup::SetItemIndex);
            c.Property("Items", &TKmRadioGroup::Items);
        });
    SetClass(info);
    items_->OnChange = [this](TObject*) { UpdateButtons(); };
}

TKmGroupButton* TKmRadioGroup::Buttons(int index) const noexcept {
    return index >= 0 && index < ButtonCount() ? buttons_[static_cast<std::size_t>(index)] : nullptr;
}

void TKmRadioGroup::SetColumns(int value) {
    value = std::clamp(value, 1, 16);
    if (value == columns_)
        return;
    columns_ = value;
    ArrangeButtons();
}

void TKmRadioGroup::SetItemIndex(int index) {
    if (Loading()) {
        // While the form is built the items may come later: the index waits for them.
        itemIndex_ = index;
        UpdateButtons();
        return;
    }
    index = std::clamp(index, -1, ButtonCount() - 1);
    if (index == itemIndex_)
        return;
    if (itemIndex_ >= 0)
        buttons_[static_cast<std::size_t>(itemIndex_)]->SetChecked(false, TNotify::No);
    itemIndex_ = index;
    if (index >= 0)
        buttons_[static_cast<std::size_t>(index)]->SetChecked(true);
}

void TKmRadioGroup::ButtonClicked(TKmGroupButton* button) {
    if (updating_)
        return;
    const auto found = std::find(buttons_.begin(), buttons_.end(), button);
    if (found == buttons_.end())
        return;
    itemIndex_ = static_cast<int>(found - buttons_.begin());
    Click();
}

void TKmRadioGroup::UpdateButtons() {
    updating_ = true;
    const int count = items_->Count();
    while (ButtonCount() > count) {
        TKmGroupButton* button = buttons_.back();
        buttons_.pop_back();
        button->Free();
    }
    while (ButtonCount() < count) {
        auto* button = new TKmGroupButton(this);
        button->SetParent(this);
        buttons_.push_back(button);
    }
    for (int i = 0; i < count; ++i) {
        TKmGroupButton* button = buttons_[static_cast<std::size_t>(i)];
        button->SetCaption(items_->Get(i));
        button->SetEnabled(Enabled());
        button->SetBiDiMode(BiDiMode());
    }
    if (!Loading() && itemIndex_ >= count)
        itemIndex_ = -1;
    for (int i = 0; i < count; ++i)
        buttons_[static_cast<std::size_t>(i)]->SetChecked(i == itemIndex_, TNotify::No);
    updating_ = false;
    ArrangeButtons();
}

void TKmRadioGroup::ArrangeButtons() {
    if (Destroying())
        return;
    const std::vector<TRect> layout = KmRadioGroupLayout(ButtonCount(), columns_, Width(), Height(),
                                                         Font()->TextHeight(), UseRightToLeftAlignment());
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const TRect& r = layout[i];
        buttons_[i]->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    }
}

void TKmRadioGroup::ContentResized() {
    TGroupBox::ContentResized();
    ArrangeButtons();
}

void TKmRadioGroup::FontChanged() {
    TGroupBox::FontChanged();
    ArrangeButtons();
}

void TKmRadioGroup::EnabledChanged() {
    TGroupBox::EnabledChanged();
    for (TKmGroupButton* button : buttons_)
        button->SetEnabled(Enabled());
}

void TKmRadioGroup::Loaded() {
    TGroupBox::Loaded();
    itemIndex_ = std::clamp(itemIndex_, -1, ButtonCount() - 1);
    UpdateButtons();
}

TUserResult TKmRadioGroup::UserChoose(int index) {
    TKmGroupButton* button = Buttons(index);
    if (!button)
        return TUserResult::Refused(Name() + " has no button " + std::to_string(index));
    if (button->CanFocus() && GetParentForm(this) && GetParentForm(this)->Visible()) {
        TMouseFocusScope mouse;
        button->SetFocus();
        if (!button->Focused())
            return TUserResult::Refused("the focus did not reach " + Name());
    }
    return button->UserClick();
}

int TKmRadioGroup::UserChoiceIndex(std::string_view text) const {
    for (int i = 0; i < items_->Count(); ++i)
        if (items_->Get(i) == text)
            return i;
    return -1;
}

} // namespace vondrel
