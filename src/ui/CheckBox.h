#pragma once

#include "ui/Button.h"

namespace vondrel {

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
template <>
struct TEnumTraits<TCheckBoxState> {
    static const TEnumInfo& Info();
};

/// The state a click gives: unchecked → grayed (when allowed) or checked → unchecked,
/// grayed → checked.
TCheckBoxState NextCheckBoxState(TCheckBoxState state, bool allowGrayed) noexcept;

/// A check box. A click toggles it (unchecked → grayed when AllowGrayed, else checked;
/// checked → unchecked; grayed → checked); every change of the state fires OnClick unless
/// made with TNotify::No or while clicks are disabled.
class TCheckBox : public TButtonControl {
public:
    explicit TCheckBox(TComponent* owner);

    bool Checked() const noexcept { return state_ == cbChecked; }
    void SetChecked(bool checked, TNotify notify = TNotify::Yes);
    TCheckBoxState State() const noexcept { return state_; }
    void SetState(TCheckBoxState state, TNotify notify = TNotify::Yes);
    bool AllowGrayed() const noexcept { return allowGrayed_; }
    void SetAllowGrayed(bool value) noexcept { allowGrayed_ = value; }
    TAlignment Alignment() const noexcept { return alignment_; }
    void SetAlignment(TAlignment value);
    /// The state change of one click.
    void Toggle();

    bool DialogChar(char32_t key) override;
    void KeyUp(Word& key, TShiftState shift) override;
    TUserResult UserClick() override;
    int UserCheckState() const override { return state_; }

private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
    TAlignment alignment_ = taRightJustify;
};

} // namespace vondrel
