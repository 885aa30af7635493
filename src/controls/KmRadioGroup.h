#pragma once

#include "controls/KmRadioButton.h"

#include "ui/Panel.h"
#include "ui/Strings.h"

#include <vector>

namespace vondrel {

class TKmRadioGroup;

/// One button of a radio group; a click chooses its line.
class TKmGroupButton : public TKmRadioButton {
public:
    explicit TKmGroupButton(TKmRadioGroup* group);
    void Click() override;

private:
    TKmRadioGroup* group_;
};

/// The layout of a radio group's buttons: buttons per column = ceil(count / columns);
/// width = (group width - 10) / columns; height = (group height - text height - 5) /
/// buttons per column; top margin = half the remainder of that division + text height +
/// 1; button i in column i div buttons-per-column, at left = column * width + 8 (mirrored
/// for right-to-left reading) and top = (i mod buttons-per-column) * height + top margin.
std::vector<TRect> KmRadioGroupLayout(int count, int columns, int groupWidth, int groupHeight, int textHeight,
                                      bool rightToLeft);

/// A group box with one radio button per line of Items. Columns is kept within 1..16,
/// ItemIndex within -1..count-1. Clicking a button sets ItemIndex and fires the group's
/// OnClick; setting ItemIndex from code clicks the button the same way.
class TKmRadioGroup : public TGroupBox {
public:
    explicit TKmRadioGroup(TComponent* owner);

    TStrings* Items() const noexcept { return items_.get(); }
    int ItemIndex() const noexcept { return itemIndex_; }
    void SetItemIndex(int index);
    int Columns() const noexcept { return columns_; }
    void SetColumns(int value);
    int ButtonCount() const noexcept { return static_cast<int>(buttons_.size()); }
    TKmGroupButton* Buttons(int index) const noexcept;
    /// Places the buttons by the layout rule.
    void ArrangeButtons();

    TUserResult UserChoose(int index) override;
    int UserChoiceIndex(std::string_view text) const override;

protected:
    void ContentResized() override;
    void FontChanged() override;
    void EnabledChanged() override;
    void Loaded() override;

private:
    friend class TKmGroupButton;
    void ButtonClicked(TKmGroupButton* button);
    void UpdateButtons();

    std::unique_ptr<TStringList> items_;
    std::vector<TKmGroupButton*> buttons_;
    int itemIndex_ = -1;
    int columns_ = 1;
    bool updating_ = false;
};

} // namespace vondrel
