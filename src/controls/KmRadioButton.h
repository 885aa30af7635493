#pragma once

#include "ui/RadioButton.h"

namespace vondrel {

/// The left edge of a radio button's caption for a font size in points (the button
/// circle takes more room in larger fonts).
int KmRadioCaptionOffset(int pointSize) noexcept;

/// A radio button that paints its caption with its own font (so that a font set for
/// traditional Chinese shows): over the face the platform drew, the caption area from
/// the size's offset to the right edge, widened by 4 pixels on every side, is filled with
/// the control's colour and the caption drawn on one line, centred vertically. Checking
/// one unchecks the others on the same parent and makes it the group's tab stop; its
/// accelerator focuses it.
class TKmRadioButton : public TRadioButton {
public:
    explicit TKmRadioButton(TComponent* owner);

    /// The caption's area and the area filled before drawing it.
    TRect CaptionRect() const;
    TRect FillRect() const;

    void Paint(TCanvas& canvas) override;
    bool DialogChar(char32_t key) override;
    TUserResult UserDoubleClick() override;

protected:
    void EnabledChanged() override;
};

} // namespace vondrel
