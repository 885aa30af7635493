#pragma once

#include "ui/Edit.h"
#include "ui/EditMask.h"

namespace vondrel {

/// An edit with an edit mask. EditText is what the field shows (literals and blank
/// characters included); Text is what the program reads: the entered characters, with
/// the literals when the mask saves them. Typing follows the mask position by position;
/// leaving the field with a required position empty shows the platform's error and
/// keeps the focus there.
class TCustomMaskEdit : public TCustomEdit {
public:
    explicit TCustomMaskEdit(TComponent* owner);

    const std::string& EditMask() const noexcept { return mask_.Source(); }
    /// Changes the mask; the characters entered so far are kept (the new text fires
    /// OnChange unless told not to).
    void SetEditMask(const std::string& mask, TNotify notify = TNotify::Yes);
    bool IsMasked() const noexcept { return !mask_.Empty(); }
    const TEditMask& Mask() const noexcept { return mask_; }

    std::string EditText() const { return TCustomEdit::Text(); }
    void SetEditText(const std::string& text, TNotify notify = TNotify::Yes);
    std::string Text() const override;
    void SetText(const std::string& text, TNotify notify = TNotify::Yes) override;
    /// True when every required position is filled.
    bool ValidateEdit() const;
    /// Puts back the text the field had when it was entered.
    void Reset();

    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    bool WantSpecialKey(Word key) const override;
    void DoEnter() override;
    void DoExit() override;
    void UserCaretToEnd() override;

private:
    void FitBufferToMask();
    void TypeMasked(char32_t key);
    void ClearSelectionMasked();

    TEditMask mask_;
    std::string valueOnEnter_;
};

class TMaskEdit : public TCustomMaskEdit {
public:
    explicit TMaskEdit(TComponent* owner);
};

} // namespace vondrel
