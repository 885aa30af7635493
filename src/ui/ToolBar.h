#pragma once

#include "ui/Control.h"
#include "ui/WinControl.h"

namespace vondrel {

class TImageList;
class TPopupMenu;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
template <>
struct TEnumTraits<TToolButtonStyle> {
    static const TEnumInfo& Info();
};

/// A button of a tool bar. A check-style button toggles Down when clicked; a drop-down
/// button shows its menu from its arrow.
class TToolButton : public TGraphicControl {
public:
    explicit TToolButton(TComponent* owner);

    TToolButtonStyle Style() const noexcept { return style_; }
    void SetStyle(TToolButtonStyle value) noexcept { style_ = value; }
    int ImageIndex() const noexcept { return imageIndex_; }
    void SetImageIndex(int value) noexcept { imageIndex_ = value; }
    bool Down() const noexcept { return down_; }
    void SetDown(bool value);
    bool Grouped() const noexcept { return grouped_; }
    void SetGrouped(bool value) noexcept { grouped_ = value; }
    bool AllowAllUp() const noexcept { return allowAllUp_; }
    void SetAllowAllUp(bool value) noexcept { allowAllUp_ = value; }
    TPopupMenu* DropdownMenu() const noexcept;
    void SetDropdownMenu(TPopupMenu* menu);

    /// The arrow of a drop-down button: shows the menu below the button.
    TUserResult UserDropDown();
    TUserResult UserClick() override;

private:
    TToolButtonStyle style_ = tbsButton;
    int imageIndex_ = -1;
    bool down_ = false;
    bool grouped_ = false;
    bool allowAllUp_ = false;
    TComponentRef<TPopupMenu> dropdownMenu_;
};

/// A bar of tool buttons that take their images from Images.
class TToolBar : public TWinControl {
public:
    explicit TToolBar(TComponent* owner);

    TImageList* Images() const noexcept;
    void SetImages(TImageList* images);
    bool Flat() const noexcept { return flat_; }
    void SetFlat(bool value) noexcept { flat_ = value; }
    bool ShowCaptions() const noexcept { return showCaptions_; }
    void SetShowCaptions(bool value) noexcept { showCaptions_ = value; }
    int ButtonWidth() const noexcept { return buttonWidth_; }
    void SetButtonWidth(int value) noexcept { buttonWidth_ = value; }
    int ButtonHeight() const noexcept { return buttonHeight_; }
    void SetButtonHeight(int value) noexcept { buttonHeight_ = value; }
    int ButtonCount() const noexcept;
    TToolButton* Buttons(int index) const noexcept;
    bool UserTakesFocusOnClick() const override { return false; }

private:
    TComponentRef<TImageList> images_;
    bool flat_ = false;
    bool showCaptions_ = false;
    int buttonWidth_ = 23;
    int buttonHeight_ = 22;
};

} // namespace vondrel
