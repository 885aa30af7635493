#include "ui/ToolBar.h"

#include "ui/ImageList.h"
#include "ui/Menus.h"

namespace vondrel {

const TEnumInfo& TEnumTraits<TToolButtonStyle>::Info() {
    static const TEnumInfo info("TToolButtonStyle",
                                {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider"});
    return info;
}

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) {
    static const TClassInfo& info = DescribeClass<TToolButton>("TToolButton", [](TClassBuilder<TToolButton>&
                                                                                     c) {
        c.Property("AllowAllUp", &TToolButton::AllowAllUp, &TToolButton::SetAllowAllUp);
        c.Property("Down", &TToolButton::Down, &TToolButton::SetDown);
        c.Property("DropdownMenu", &TToolButton::DropdownMenu, &TToolButton::SetDropdownMenu);
        c.Property("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped);
        c.Property("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex);
        c.Property("Style", &TToolButton::Style, &TToolButton::SetStyle);
        c.Publish({"Caption", "Enabled", "ParentShowHint", "PopupMenu", "ShowHint", "Visible", "OnClick"});
    });
    SetClass(info);
    SetBounds(0, 0, 23, 22);
}

void TToolButton::SetDown(bool value) {
    if (value == down_)
        return;
    down_ = value;
    if (value && grouped_ && Parent())
        for (TControl* control : Parent()->ChildControls()) {
            auto* other = dynamic_cast<TToolButton*>(control);
            if (other && other != this && other->grouped_ && other->style_ == tbsCheck)
                other->down_ = false;
        }
    Invalidate();
}

TPopupMenu* TToolButton::DropdownMenu() const noexcept {
    return dropdownMenu_.Get();
}

void TToolButton::SetDropdownMenu(TPopupMenu* menu) {
    dropdownMenu_ = menu;
}

TUserResult TToolButton::UserClick() {
    if (style_ == tbsSeparator || style_ == tbsDivider)
        return TUserResult::Refused(Name() + " is a separator");
    if (style_ == tbsCheck) {
        if (!down_)
            SetDown(true);
        else if (!grouped_ || allowAllUp_)
            SetDown(false);
    }
    Click();
    return TUserResult::Done();
}

TUserResult TToolButton::UserDropDown() {
    TPopupMenu* menu = DropdownMenu();
    if (style_ != tbsDropDown || !menu)
        return TUserResult::Refused(Name() + " has no drop-down menu");
    menu->SetPopupComponent(this);
    menu->Popup(Left(), Top() + Height());
    return TUserResult::Done();
}

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
    static const TClassInfo& info = DescribeClass<TToolBar>("TToolBar", [](TClassBuilder<TToolBar>& c) {
        c.Property("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight);
        c.Property("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth);
        c.Property("Flat", &TToolBar::Flat, &TToolBar::SetFlat);
        c.Property("Images", &TToolBar::Images, &TToolBar::SetImages);
        c.Property("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions);
        c.Publish({"Align", "Color", "Enabled", "Font", "ParentColor", "ParentFont", "ParentShowHint",
                   "PopupMenu", "ShowHint", "TabOrder", "TabStop", "Visible"});
    });
    SetClass(info);
    SetAlign(alTop);
    SetBounds(0, 0, 150, 29);
    SetColor(clBtnFace);
}

TImageList* TToolBar::Images() const noexcept {
    return images_.Get();
}

void TToolBar::SetImages(TImageList* images) {
    images_ = images;
}

int TToolBar::ButtonCount() const noexcept {
    int count = 0;
    for (TControl* control : ChildControls())
        if (dynamic_cast<TToolButton*>(control))
            ++count;
    return count;
}

TToolButton* TToolBar::Buttons(int index) const noexcept {
    for (TControl* control : ChildControls())
        if (auto* button = dynamic_cast<TToolButton*>(control); button && index-- == 0)
            return button;
    return nullptr;
}

} // namespace vondrel
