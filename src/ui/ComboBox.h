#pragma once

#include "ui/Strings.h"
#include "ui/TextEditing.h"
#include "ui/WinControl.h"

namespace vondrel {

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
template <>
struct TEnumTraits<TComboBoxStyle> {
    static const TEnumInfo& Info();
};

/// A combo box: a list of items with the chosen one shown. Choosing an item (mouse or
/// arrow keys) fires OnClick and OnChange; typing into an editable one fires OnChange.
/// ItemIndex set from code fires nothing unless asked to.
class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* owner);

    TStrings* Items() const noexcept { return items_.get(); }
    int ItemIndex() const noexcept { return itemIndex_; }
    void SetItemIndex(int index, TNotify notify = TNotify::No);
    TComboBoxStyle Style() const noexcept { return style_; }
    void SetStyle(TComboBoxStyle style);
    /// The text can be typed (csDropDown, csSimple).
    bool Editable() const noexcept { return style_ == csDropDown || style_ == csSimple; }
    bool Sorted() const noexcept { return items_->Sorted(); }
    void SetSorted(bool value) { items_->SetSorted(value); }
    int MaxLength() const noexcept { return maxLength_; }
    void SetMaxLength(int value) noexcept { maxLength_ = value < 0 ? 0 : value; }
    int DropDownCount() const noexcept { return dropDownCount_; }
    void SetDropDownCount(int value) noexcept { dropDownCount_ = value; }
    const std::string& ImeName() const noexcept { return imeName_; }
    void SetImeName(const std::string& name) { imeName_ = name; }

    std::string Text() const override;
    /// Editable styles take the text; list styles choose the item of that text.
    void SetText(const std::string& text, TNotify notify = TNotify::No) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;

    unsigned DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void DoEnter() override;
    /// Opens the list (OnDropDown).
    void DropDown();

    TUserResult UserChoose(int index) override;
    int UserChoiceIndex(std::string_view text) const override;
    TUserResult UserCanType() const override;
    void UserSelectAll() override { edit_.SelectAll(); }
    void UserCaretToEnd() override { edit_.SetCaret(static_cast<int>(edit_.Text.size())); }

protected:
    virtual void Change();
    void Select(int index);

private:
    void ItemsChanged();
    void CommitEdit();

    std::unique_ptr<TStringList> items_;
    int itemIndex_ = -1;
    TComboBoxStyle style_ = csDropDown;
    int maxLength_ = 0;
    int dropDownCount_ = 8;
    std::string imeName_;
    TEditBuffer edit_;
};

} // namespace vondrel
