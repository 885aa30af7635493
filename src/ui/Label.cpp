#include "ui/Label.h"

#include "ui/Canvas.h"
#include "ui/WinControl.h"

namespace vondrel {

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    static const TClassInfo& info = DescribeClass<TLabel>("TLabel", [](TClassBuilder<TLabel>& c) {
        c.Property("Alignment", &TLabel::Alignment, &TLabel::SetAlignment);
        c.Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize);
        c.Property("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
        c.Property("Layout", &TLabel::Layout, &TLabel::SetLayout);
        c.Property("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar);
        c.Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent);
        c.Property("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap);
        c.Publish({"Align", "BiDiMode", "Caption", "Color", "Enabled", "Font", "ParentColor", "ParentFont",
                   "ParentShowHint", "PopupMenu", "ShowHint", "Visible", "OnClick", "OnDblClick"});
    });
    SetClass(info);
    SetParentColor(true);
    SetBounds(0, 0, 65, 17);
    AdjustBounds();
}

void TLabel::SetAutoSize(bool value) {
    if (value == autoSize_)
        return;
    autoSize_ = value;
    AdjustBounds();
}

void TLabel::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_)
        return;
    alignment_ = alignment;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout layout) {
    if (layout == layout_)
        return;
    layout_ = layout;
    Invalidate();
}

void TLabel::SetFocusControl(TWinControl* control) {
    focusControl_ = control;
}

void TLabel::SetShowAccelChar(bool value) {
    if (value == showAccelChar_)
        return;
    showAccelChar_ = value;
    AdjustBounds();
}

void TLabel::SetTransparent(bool value) {
    transparent_ = value;
    Invalidate();
}

void TLabel::SetWordWrap(bool value) {
    if (value == wordWrap_)
        return;
    wordWrap_ = value;
    AdjustBounds();
}

std::string TLabel::DisplayText() const {
    return showAccelChar_ ? StripAccelerator(Caption()) : Caption();
}

void TLabel::AdjustBounds() {
    if (!autoSize_ || wordWrap_ || Destroying())
        return;
    // An empty caption still measures as one blank: the label keeps a line's height.
    std::string text = DisplayText();
    if (text.empty())
        text = " ";
    const int width = Font()->TextWidth(text);
    const int height = Font()->TextHeight();
    int left = Left();
    if (alignment_ == taRightJustify)
        left = Left() + Width() - width;
    SetBounds(left, Top(), width, height);
}

void TLabel::TextChanged(TNotify notify) {
    TGraphicControl::TextChanged(notify);
    AdjustBounds();
}

void TLabel::FontChanged() {
    TGraphicControl::FontChanged();
    AdjustBounds();
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

bool TLabel::DialogChar(char32_t key) {
    TWinControl* target = focusControl_.Get();
    if (!showAccelChar_ || !target || AcceleratorOf(Caption()) != key || !target->CanFocus())
        return false;
    target->SetFocus();
    return true;
}

void TLabel::Paint(TCanvas& canvas) {
    if (!transparent_) {
        canvas.SetBrushColor(Color());
        canvas.FillRect(ClientRect());
    }
    canvas.Font()->Assign(*Font());
    unsigned flags = alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
    if (layout_ != tlTop)
        flags |= DT_SINGLELINE | (layout_ == tlCenter ? DT_VCENTER : DT_BOTTOM);
    if (!showAccelChar_)
        flags |= DT_NOPREFIX;
    canvas.DrawText(Caption(), ClientRect(), flags);
}

} // namespace vondrel
