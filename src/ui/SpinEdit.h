#pragma once

#include "ui/Edit.h"

namespace vondrel {

/// An edit for a whole number with up and down buttons (the arrow keys do the same).
/// Value reads the text (MinValue when it is not a number); MinValue..MaxValue bound the
/// value when they differ. Only digits, signs and control keys can be typed; leaving the
/// field puts an out-of-range number back into the range.
class TSpinEdit : public TCustomEdit {
public:
    explicit TSpinEdit(TComponent* owner);

    int MinValue() const noexcept { return minValue_; }
    void SetMinValue(int value) noexcept { minValue_ = value; }
    int MaxValue() const noexcept { return maxValue_; }
    void SetMaxValue(int value) noexcept { maxValue_ = value; }
    int Increment() const noexcept { return increment_; }
    void SetIncrement(int value) noexcept { increment_ = value; }
    bool EditorEnabled() const noexcept { return editorEnabled_; }
    void SetEditorEnabled(bool value) noexcept { editorEnabled_ = value; }
    int Value() const;
    void SetValue(int value);
    /// The value moved into the range (when MinValue and MaxValue differ).
    int CheckValue(int value) const noexcept;

    /// A click on the up or down button.
    void UpClick();
    void DownClick();

    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void DoExit() override;

protected:
    virtual bool IsValidChar(char32_t key) const;

private:
    int minValue_ = 0;
    int maxValue_ = 0;
    int increment_ = 1;
    bool editorEnabled_ = true;
};

} // namespace vondrel
