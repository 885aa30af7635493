#pragma once

#include "ui/WinControl.h"

namespace vondrel {

/// Base of push buttons, check boxes and radio buttons: clicks can be held back while
/// the state is changed from code.
class TButtonControl : public TWinControl {
public:
    explicit TButtonControl(TComponent* owner);

    bool ClicksDisabled() const noexcept { return clicksDisabled_; }
    void SetClicksDisabled(bool value) noexcept { clicksDisabled_ = value; }

private:
    bool clicksDisabled_ = false;
};

/// A push button. A click sets the form's ModalResult to the button's and fires
/// OnClick; Enter presses the Default button (or the focused button), Esc the Cancel
/// button; the caption's "&" letter presses it.
class TButton : public TButtonControl {
public:
    explicit TButton(TComponent* owner);

    TModalResult ModalResult() const noexcept { return modalResult_; }
    void SetModalResult(TModalResult value) noexcept { modalResult_ = value; }
    bool Default() const noexcept { return default_; }
    void SetDefault(bool value) noexcept { default_ = value; }
    bool Cancel() const noexcept { return cancel_; }
    void SetCancel(bool value) noexcept { cancel_ = value; }

    void Click() override;
    bool DialogKey(Word key, TShiftState shift) override;
    bool DialogChar(char32_t key) override;
    void KeyUp(Word& key, TShiftState shift) override;
    /// The button Enter presses now: it has the focus, or it is the Default button and no
    /// other button has the focus.
    bool IsActiveDefault() const noexcept;

private:
    TModalResult modalResult_ = mrNone;
    bool default_ = false;
    bool cancel_ = false;
};

} // namespace vondrel
