#include "controls/KmEdit.h"

#include "controls/GSpeedButton.h"
#include "controls/LookupRequest.h"

namespace vondrel {

const TEnumInfo& TEnumTraits<TLabelPosition>::Info() {
    static const TEnumInfo info("TLabelPosition", {"lpAbove", "lpBelow", "lpLeft", "lpRight"});
    return info;
}

TPoint EditLabelPosition(TLabelPosition position, int spacing, const TRect& edit, int labelWidth,
                         int labelHeight) {
    const int middle = edit.Top + (edit.Height() - labelHeight) / 2;
    switch (position) {
    case lpAbove:
        return {edit.Left, edit.Top - labelHeight - spacing};
    case lpBelow:
        return {edit.Left, edit.Bottom + spacing};
    case lpLeft:
        return {edit.Left - labelWidth - spacing, middle};
    case lpRight:
        return {edit.Right + spacing, middle};
    }
    return {edit.Left, edit.Top};
}

TEditLabelBinding::TEditLabelBinding(TWinControl& edit) : edit_(edit) {
    auto* label = new TLabel(&edit);
    label->SetName("EditLabel");
    label->SetCaption({});
    label->SetFocusControl(&edit);
    label_ = label;
    // The label goes where the edit goes as soon as its own size changes (font, caption).
    label->OnResize = [this](TObject*) { Place(); };
}

void TEditLabelBinding::SetPosition(TLabelPosition position) {
    position_ = position;
    Place();
}

void TEditLabelBinding::SetSpacing(int spacing) {
    if (spacing < 0)
        return;
    spacing_ = spacing;
    Place();
}

std::string TEditLabelBinding::Caption() const {
    const TLabel* label = label_.Get();
    return label ? label->Caption() : std::string();
}

void TEditLabelBinding::SetCaption(const std::string& caption) {
    if (TLabel* label = label_.Get()) {
        label->SetCaption(caption);
        Place();
    }
}

void TEditLabelBinding::Place() {
    TLabel* label = label_.Get();
    if (!label || edit_.Destroying())
        return;
    const TPoint at =
        EditLabelPosition(position_, spacing_, edit_.BoundsRect(), label->Width(), label->Height());
    label->SetBounds(at.X, at.Y, label->Width(), label->Height());
}

void TEditLabelBinding::ParentChanged() {
    if (TLabel* label = label_.Get()) {
        label->SetParent(edit_.Parent());
        Place();
    }
}

void TEditLabelBinding::VisibleChanged() {
    if (TLabel* label = label_.Get())
        label->SetVisible(edit_.Visible());
}

void TEditLabelBinding::EnabledChanged() {
    if (TLabel* label = label_.Get())
        label->SetEnabled(edit_.Enabled());
}

namespace {

template <class C>
void DescribeLabelled(TClassBuilder<C>& c) {
    c.Property("Caption", &C::Caption, &C::SetCaption);
    c.Property("LabelPosition", &C::LabelPosition, &C::SetLabelPosition);
    c.Property("LabelSpacing", &C::LabelSpacing, &C::SetLabelSpacing);
}

} // namespace

TKmEdit::TKmEdit(TComponent* owner) : TEdit(owner), binding_(*this) {
    static const TClassInfo& info =
        DescribeClass<TKmEdit>("TKmEdit", [](TClassBuilder<TKmEdit>& c) { DescribeLabelled(c); });
    SetClass(info);
}

void TKmEdit::SetParent(TWinControl* parent) {
    TEdit::SetParent(parent);
    binding_.ParentChanged();
}

void TKmEdit::SetBounds(int left, int top, int width, int height) {
    TEdit::SetBounds(left, top, width, height);
    binding_.Place();
}

void TKmEdit::VisibleChanged() {
    TEdit::VisibleChanged();
    binding_.VisibleChanged();
}

void TKmEdit::EnabledChanged() {
    TEdit::EnabledChanged();
    binding_.EnabledChanged();
}

void TKmEdit::Loaded() {
    TEdit::Loaded();
    binding_.Place();
}

TKmDBEdit::TKmDBEdit(TComponent* owner) : TDBEdit(owner), binding_(*this) {
    static const TClassInfo& info =
        DescribeClass<TKmDBEdit>("TKmDBEdit", [](TClassBuilder<TKmDBEdit>& c) { DescribeLabelled(c); });
    SetClass(info);
}

void TKmDBEdit::SetParent(TWinControl* parent) {
    TDBEdit::SetParent(parent);
    binding_.ParentChanged();
}

void TKmDBEdit::SetBounds(int left, int top, int width, int height) {
    TDBEdit::SetBounds(left, top, width, height);
    binding_.Place();
}

void TKmDBEdit::VisibleChanged() {
    TDBEdit::VisibleChanged();
    binding_.VisibleChanged();
}

void TKmDBEdit::EnabledChanged() {
    TDBEdit::EnabledChanged();
    binding_.EnabledChanged();
}

void TKmDBEdit::Loaded() {
    TDBEdit::Loaded();
    binding_.Place();
}

TKmBtnDBEdit::TKmBtnDBEdit(TComponent* owner) : TKmDBEdit(owner) {
    static const TClassInfo& info =
        DescribeClass<TKmBtnDBEdit>("TKmBtnDBEdit", [](TClassBuilder<TKmBtnDBEdit>& c) {
            c.Property("ButtonHint", &TKmBtnDBEdit::ButtonHint, &TKmBtnDBEdit::SetButtonHint);
            c.Property("ButtonSpacing", &TKmBtnDBEdit::ButtonSpacing, &TKmBtnDBEdit::SetButtonSpacing);
            c.Property("GlyphIndex", &TKmBtnDBEdit::GlyphIndex, &TKmBtnDBEdit::SetGlyphIndex);
            c.Event("OnDialog", &TKmBtnDBEdit::OnDialog);
        });
    SetClass(info);
    auto* button = new TGSpeedButton(this);
    button->SetName("F2Button");
    button->SetFlat(true);
    button->SetGlyphIndex(8);
    button->OnClick = TNotifyEvent(this, &TKmBtnDBEdit::ButtonClick);
    button_ = button;
    PlaceButton();
}

void TKmBtnDBEdit::SetButtonSpacing(int value) {
    buttonSpacing_ = value;
    PlaceButton();
}

int TKmBtnDBEdit::GlyphIndex() const noexcept {
    const TGSpeedButton* button = button_.Get();
    return button ? button->GlyphIndex() : 0;
}

void TKmBtnDBEdit::SetGlyphIndex(int value) {
    if (TGSpeedButton* button = button_.Get())
        button->SetGlyphIndex(value);
}

std::string TKmBtnDBEdit::ButtonHint() const {
    const TGSpeedButton* button = button_.Get();
    return button ? button->Hint() : std::string();
}

void TKmBtnDBEdit::SetButtonHint(const std::string& hint) {
    if (TGSpeedButton* button = button_.Get())
        button->SetHint(hint);
}

void TKmBtnDBEdit::PlaceButton() {
    TGSpeedButton* button = button_.Get();
    if (!button || Destroying())
        return;
    button->SetBounds(Left() + Width() + buttonSpacing_, Top(), Height(), Height());
}

void TKmBtnDBEdit::SetParent(TWinControl* parent) {
    TKmDBEdit::SetParent(parent);
    if (TGSpeedButton* button = button_.Get())
        button->SetParent(parent);
    PlaceButton();
}

void TKmBtnDBEdit::SetBounds(int left, int top, int width, int height) {
    TKmDBEdit::SetBounds(left, top, width, height);
    PlaceButton();
}

void TKmBtnDBEdit::VisibleChanged() {
    TKmDBEdit::VisibleChanged();
    if (TGSpeedButton* button = button_.Get())
        button->SetVisible(Visible());
}

void TKmBtnDBEdit::EnabledChanged() {
    TKmDBEdit::EnabledChanged();
    if (TGSpeedButton* button = button_.Get())
        button->SetEnabled(Enabled());
}

void TKmBtnDBEdit::ButtonClick(TObject*) {
    if (OnDialog) {
        OnDialog(this);
        return;
    }
    if (CanFocus())
        SetFocus();
    if (Focused())
        SendLookupRequest(*this, *this);
}

} // namespace vondrel
