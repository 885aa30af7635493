#pragma once

#include "controls/GSpeedButton.h"

namespace vondrel {

class TWinControl;

/// The button beside an edit that opens its lookup window: a flat speed button with the
/// lookup glyph (8), placed right of its control (square, as high as the control, Gap
/// pixels away) while AutoAlign. A click runs OnClick, then focuses the control and, when
/// it has the focus, sends its form the lookup request for it. Two F2 buttons next to
/// each other may not point to the same control.
class TF2Button : public TGSpeedButton {
public:
    explicit TF2Button(TComponent* owner);

    TWinControl* F2Control() const noexcept { return control_.Get(); }
    /// Refused, with an error message, when another F2 button on the same parent already
    /// points to the control.
    void SetF2Control(TWinControl* control);
    bool AutoAlign() const noexcept { return autoAlign_; }
    void SetAutoAlign(bool value);
    std::uint8_t Gap() const noexcept { return gap_; }
    void SetGap(std::uint8_t value);
    /// Puts the button beside its control (when AutoAlign).
    void AlignToControl();

    void Click() override;

private:
    TComponentRef<TWinControl> control_;
    bool autoAlign_ = true;
    std::uint8_t gap_ = 2;
};

inline constexpr const char* kF2ButtonTwiceError = "不能同时有两个 F2Button 指到同一个 Edit.";

/// The components a button's parent holds for the purpose of "another one already
/// points there": those it owns and the controls placed on it.
std::vector<TComponent*> SiblingsOf(const TControl& control);

} // namespace vondrel
