#pragma once

#include "ui/DBEdit.h"
#include "ui/Edit.h"
#include "ui/Label.h"

namespace vondrel {

class TGSpeedButton;

enum TLabelPosition { lpAbove, lpBelow, lpLeft, lpRight };
template <>
struct TEnumTraits<TLabelPosition> {
    static const TEnumInfo& Info();
};

/// Where an edit's caption label goes: left of the edit and vertically centred, or
/// above, below or right of it, `spacing` pixels away.
TPoint EditLabelPosition(TLabelPosition position, int spacing, const TRect& edit, int labelWidth,
                         int labelHeight);

/// The caption label an edit carries along: an owned label named "EditLabel" whose focus
/// control is the edit. It is placed again after every move, resize or caption change of
/// the edit and every change of its settings, and follows the edit's parent, visibility
/// and enabled state.
class TEditLabelBinding {
public:
    explicit TEditLabelBinding(TWinControl& edit);

    TLabel* Label() const noexcept { return label_.Get(); }
    TLabelPosition Position() const noexcept { return position_; }
    void SetPosition(TLabelPosition position);
    int Spacing() const noexcept { return spacing_; }
    /// Negative spacings are ignored.
    void SetSpacing(int spacing);
    std::string Caption() const;
    void SetCaption(const std::string& caption);

    /// Calls from the edit.
    void Place();
    void ParentChanged();
    void VisibleChanged();
    void EnabledChanged();

private:
    TWinControl& edit_;
    TComponentRef<TLabel> label_;
    TLabelPosition position_ = lpLeft;
    int spacing_ = 4;
};

/// An edit with a caption label (Caption is the label's text).
class TKmEdit : public TEdit {
public:
    explicit TKmEdit(TComponent* owner);

    TLabel* EditLabel() const noexcept { return binding_.Label(); }
    TLabelPosition LabelPosition() const noexcept { return binding_.Position(); }
    void SetLabelPosition(TLabelPosition value) { binding_.SetPosition(value); }
    int LabelSpacing() const noexcept { return binding_.Spacing(); }
    void SetLabelSpacing(int value) { binding_.SetSpacing(value); }
    /// The label's caption (not the edit's text).
    std::string Caption() const { return binding_.Caption(); }
    void SetCaption(const std::string& caption) { binding_.SetCaption(caption); }

    void SetParent(TWinControl* parent) override;
    void SetBounds(int left, int top, int width, int height) override;

protected:
    void VisibleChanged() override;
    void EnabledChanged() override;
    void Loaded() override;

private:
    TEditLabelBinding binding_;
};

/// A data-aware edit with a caption label.
class TKmDBEdit : public TDBEdit {
public:
    explicit TKmDBEdit(TComponent* owner);

    TLabel* EditLabel() const noexcept { return binding_.Label(); }
    TLabelPosition LabelPosition() const noexcept { return binding_.Position(); }
    void SetLabelPosition(TLabelPosition value) { binding_.SetPosition(value); }
    int LabelSpacing() const noexcept { return binding_.Spacing(); }
    void SetLabelSpacing(int value) { binding_.SetSpacing(value); }
    std::string Caption() const { return binding_.Caption(); }
    void SetCaption(const std::string& caption) { binding_.SetCaption(caption); }

    void SetParent(TWinControl* parent) override;
    void SetBounds(int left, int top, int width, int height) override;

protected:
    void VisibleChanged() override;
    void EnabledChanged() override;
    void Loaded() override;

private:
    TEditLabelBinding binding_;
};

/// A data-aware edit with a caption label and a lookup button ("F2Button") right of it,
/// ButtonSpacing pixels away, as high and as wide as the edit is high. Pressing the
/// button calls OnDialog (the edit as sender) when assigned; otherwise it focuses the
/// edit and sends the lookup request for it.
class TKmBtnDBEdit : public TKmDBEdit {
public:
    explicit TKmBtnDBEdit(TComponent* owner);

    TGSpeedButton* Button() const noexcept { return button_.Get(); }
    int ButtonSpacing() const noexcept { return buttonSpacing_; }
    void SetButtonSpacing(int value);
    int GlyphIndex() const noexcept;
    void SetGlyphIndex(int value);
    std::string ButtonHint() const;
    void SetButtonHint(const std::string& hint);
    /// Puts the button beside the edit.
    void PlaceButton();

    TNotifyEvent OnDialog;

    void SetParent(TWinControl* parent) override;
    void SetBounds(int left, int top, int width, int height) override;

protected:
    void VisibleChanged() override;
    void EnabledChanged() override;

private:
    void ButtonClick(TObject* sender);

    TComponentRef<TGSpeedButton> button_;
    int buttonSpacing_ = 2;
};

} // namespace vondrel
