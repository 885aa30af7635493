#pragma once

#include "ui/Label.h"

namespace vondrel {

enum TPos { psTop, psLeft, psRight, psBottom };
template <>
struct TEnumTraits<TPos> {
    static const TEnumInfo& Info();
};

/// Where a label attached to a control goes: above it, left of it (vertically centred),
/// right of it or below it, Gap pixels away; the coordinates the placement computes are
/// kept at 0 or more.
TPoint AttachedLabelPosition(TPos position, int gap, const TRect& control, int labelWidth, int labelHeight);

/// A label attached to its FocusControl. While AutoAlign it is placed beside the control
/// whenever the control, Pos, Gap or AutoCaption change (and once the form is built);
/// with AutoCaption it takes the display label of the control's field (DataSource and
/// DataField). Two such labels on one parent may not point to the same control.
class TDBLabel : public TLabel {
public:
    explicit TDBLabel(TComponent* owner);

    bool AutoAlign() const noexcept { return autoAlign_; }
    void SetAutoAlign(bool value);
    bool AutoCaption() const noexcept { return autoCaption_; }
    void SetAutoCaption(bool value);
    std::uint8_t Gap() const noexcept { return gap_; }
    void SetGap(std::uint8_t value);
    TPos Pos() const noexcept { return pos_; }
    void SetPos(TPos value);
    /// Refused, with an error message, when another such label on the same parent already
    /// points to the control.
    void SetFocusControl(TWinControl* control) override;
    /// Takes the field's caption (AutoCaption) and moves beside the control (AutoAlign).
    void AlignToControl();

protected:
    void Loaded() override;

private:
    void TakeFieldCaption();

    bool autoAlign_ = true;
    bool autoCaption_ = true;
    std::uint8_t gap_ = 4;
    TPos pos_ = psLeft;
};

inline constexpr const char* kDBLabelTwiceError = "不能同时有两个 DBLabel 指到同一个 Control.";

} // namespace vondrel
