#pragma once

#include "ui/Button.h"

namespace vondrel {

/// A radio button. Checking it unchecks the other radio buttons of the same parent and
/// fires OnClick (unless with TNotify::No); the checked button is the group's tab stop.
class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* owner);

    bool Checked() const noexcept { return checked_; }
    virtual void SetChecked(bool checked, TNotify notify = TNotify::Yes);
    TAlignment Alignment() const noexcept { return alignment_; }
    void SetAlignment(TAlignment value);

    bool DialogChar(char32_t key) override;
    TUserResult UserClick() override;
    int UserCheckState() const override { return checked_ ? 1 : 0; }

private:
    bool checked_ = false;
    TAlignment alignment_ = taRightJustify;
};

} // namespace vondrel
