#pragma once

#include "ui/Control.h"

namespace vondrel {

/// A caption on a form. With AutoSize it takes the size of its text (in the model's font
/// metric); its accelerator ("&" letter) focuses the FocusControl.
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);

    bool AutoSize() const noexcept { return autoSize_; }
    void SetAutoSize(bool value);
    TAlignment Alignment() const noexcept { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TTextLayout Layout() const noexcept { return layout_; }
    void SetLayout(TTextLayout layout);
    TWinControl* FocusControl() const noexcept { return focusControl_.Get(); }
    virtual void SetFocusControl(TWinControl* control);
    bool ShowAccelChar() const noexcept { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    bool Transparent() const noexcept { return transparent_; }
    void SetTransparent(bool value);
    bool WordWrap() const noexcept { return wordWrap_; }
    void SetWordWrap(bool value);

    /// The text as shown (the accelerator marker removed).
    std::string DisplayText() const;
    /// Sizes the label to its text when AutoSize is on.
    void AdjustBounds();

    bool DialogChar(char32_t key) override;
    void Paint(TCanvas& canvas) override;

protected:
    void TextChanged(TNotify notify) override;
    void FontChanged() override;
    void Loaded() override;

private:
    bool autoSize_ = true;
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    TComponentRef<TWinControl> focusControl_;
    bool showAccelChar_ = true;
    bool transparent_ = false;
    bool wordWrap_ = false;
};

} // namespace vondrel
