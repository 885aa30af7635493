#include "ui/Menus.h"

#include "ui/Errors.h"
#include "ui/UiDriver.h"

#include "platform/SysUtils.h"

#include <algorithm>

namespace vondrel {

const TEnumInfo& TEnumTraits<TPopupAlignment>::Info() {
    static const TEnumInfo info("TPopupAlignment", {"paLeft", "paRight", "paCenter"});
    return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {
    static const TClassInfo& info = DescribeClass<TMenuItem>("TMenuItem", [](TClassBuilder<TMenuItem>& c) {
        c.Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
        c.Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked);
        c.Property("Default", &TMenuItem::Default, &TMenuItem::SetDefault);
        c.Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled);
        c.Property("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex);
        c.Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
        c.Property("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex);
        c.Property("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem);
        c.Property("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut);
        c.Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible);
        c.Event("OnClick", &TMenuItem::OnClick);
    });
    SetClass(info);
}

TMenuItem::~TMenuItem() = default;

void TMenuItem::BeforeDestruction() {
    for (TMenuItem* item : items_)
        item->parent_ = nullptr;
    items_.clear();
    if (parent_)
        parent_->Remove(this);
    TComponent::BeforeDestruction();
}

void TMenuItem::SetChecked(bool value) {
    if (value == checked_)
        return;
    checked_ = value;
    if (value && radioItem_)
        TurnSiblingsOff();
}

void TMenuItem::SetRadioItem(bool value) {
    radioItem_ = value;
    if (value && checked_)
        TurnSiblingsOff();
}

void TMenuItem::SetGroupIndex(std::uint8_t value) {
    groupIndex_ = value;
    if (radioItem_ && checked_)
        TurnSiblingsOff();
}

void TMenuItem::TurnSiblingsOff() {
    if (!parent_)
        return;
    for (TMenuItem* sibling : parent_->items_)
        if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_)
            sibling->checked_ = false;
}

TMenuItem* TMenuItem::Items(int index) const noexcept {
    return index >= 0 && index < Count() ? items_[static_cast<std::size_t>(index)] : nullptr;
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item || item == this)
        return;
    if (item->parent_)
        item->parent_->Remove(item);
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    if (item->radioItem_ && item->checked_)
        item->TurnSiblingsOff();
}

void TMenuItem::Remove(TMenuItem* item) {
    const auto found = std::find(items_.begin(), items_.end(), item);
    if (found == items_.end())
        return;
    items_.erase(found);
    item->parent_ = nullptr;
}

int TMenuItem::IndexOf(const TMenuItem* item) const noexcept {
    const auto found = std::find(items_.begin(), items_.end(), item);
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

bool TMenuItem::Available() const noexcept {
    for (const TMenuItem* item = this; item; item = item->parent_)
        if (!item->enabled_ || !item->visible_)
            return false;
    return true;
}

void TMenuItem::Click() {
    if (!Destroying())
        OnClick(this);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(this)) {
    static const TClassInfo& info = DescribeClass<TPopupMenu>("TPopupMenu", [](TClassBuilder<TPopupMenu>& c) {
        c.Property("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment);
        c.Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup);
        c.Property("OwnerDraw", &TPopupMenu::OwnerDraw, &TPopupMenu::SetOwnerDraw);
        c.Event("OnPopup", &TPopupMenu::OnPopup);
    });
    SetClass(info);
}

TMenuItem* TPopupMenu::Popup(int x, int y) {
    TComponentRef<TPopupMenu> self(this);
    OnPopup(this);
    if (!self)
        return nullptr;
    TMenuItem* chosen = CurrentUiDriver().TrackPopupMenu(*this, TPoint{x, y});
    if (!self || !chosen)
        return nullptr;
    if (!chosen->Available())
        return nullptr;
    chosen->Click();
    return chosen;
}

namespace {

TMenuItem* FindIn(TMenuItem* item, std::string_view name) {
    for (int i = 0; i < item->Count(); ++i) {
        TMenuItem* child = item->Items(i);
        if (SameText(child->Name(), name))
            return child;
        if (TMenuItem* found = FindIn(child, name))
            return found;
    }
    return nullptr;
}

} // namespace

TMenuItem* TPopupMenu::FindItem(std::string_view name) const noexcept {
    return FindIn(items_, name);
}

} // namespace vondrel
