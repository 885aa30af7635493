#include "ui/Panel.h"

#include "ui/Canvas.h"

namespace vondrel {

const TEnumInfo& TEnumTraits<TBevelCut>::Info() {
    static const TEnumInfo info("TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"});
    return info;
}
const TEnumInfo& TEnumTraits<TBorderStyle>::Info() {
    static const TEnumInfo info("TBorderStyle", {"bsNone", "bsSingle"});
    return info;
}
const TEnumInfo& TEnumTraits<TResizeStyle>::Info() {
    static const TEnumInfo info("TResizeStyle", {"rsNone", "rsLine", "rsUpdate", "rsPattern"});
    return info;
}

namespace {
const char* const kContainerProperties[] = {
    "Align",       "BiDiMode",    "Caption",    "Color",          "Ctl3D",     "Enabled",  "Font",
    "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder",
    "TabStop",     "Visible",     "OnClick",    "OnDblClick",     "OnEnter",   "OnExit",   "OnResize"};
} // namespace

TPanel::TPanel(TComponent* owner) : TWinControl(owner) {
    static const TClassInfo& info = DescribeClass<TPanel>("TPanel", [](TClassBuilder<TPanel>& c) {
        c.Property("Alignment", &TPanel::Alignment, &TPanel::SetAlignment);
        c.Property("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner);
        c.Property("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter);
        c.Property("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth);
        c.Property("BorderStyle", &TPanel::BorderStyle, &TPanel::SetBorderStyle);
        c.Property("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth);
        for (const char* name : kContainerProperties)
            c.Publish({name});
    });
    SetClass(info);
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TPanel::SetAlignment(TAlignment value) {
    alignment_ = value;
    Invalidate();
}

void TPanel::SetBevelInner(TBevelCut value) {
    bevelInner_ = value;
    Realign();
}

void TPanel::SetBevelOuter(TBevelCut value) {
    bevelOuter_ = value;
    Realign();
}

void TPanel::SetBevelWidth(int value) {
    bevelWidth_ = value < 1 ? 1 : value;
    Realign();
}

void TPanel::SetBorderWidth(int value) {
    borderWidth_ = value < 0 ? 0 : value;
    Realign();
}

void TPanel::SetBorderStyle(TBorderStyle value) {
    borderStyle_ = value;
    Realign();
}

void TPanel::AdjustClientRect(TRect& rect) const {
    int inset = borderWidth_;
    if (bevelOuter_ != bvNone)
        inset += bevelWidth_;
    if (bevelInner_ != bvNone)
        inset += bevelWidth_;
    if (borderStyle_ == bsSingleBorder)
        inset += 1;
    rect = rect.Inflated(-inset, -inset);
}

void TPanel::Paint(TCanvas& canvas) {
    TWinControl::Paint(canvas);
    if (bevelOuter_ != bvNone)
        canvas.FrameRect(ClientRect(), bevelOuter_ == bvRaised ? clBtnHighlight : clBtnShadow);
    if (!Caption().empty()) {
        canvas.Font()->Assign(*Font());
        const unsigned align = alignment_ == taCenter         ? DT_CENTER
                               : alignment_ == taRightJustify ? DT_RIGHT
                                                              : DT_LEFT;
        canvas.DrawText(Caption(), ClientRect(), align | DT_VCENTER | DT_SINGLELINE);
    }
}

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
    static const TClassInfo& info = DescribeClass<TGroupBox>("TGroupBox", [](TClassBuilder<TGroupBox>& c) {
        for (const char* name : kContainerProperties)
            c.Publish({name});
    });
    SetClass(info);
    SetBounds(0, 0, 185, 105);
    SetParentColor(true);
}

void TGroupBox::AdjustClientRect(TRect& rect) const {
    rect.Top += Font()->TextHeight();
    rect = rect.Inflated(Ctl3D() ? -2 : -1, Ctl3D() ? -2 : -1);
}

void TGroupBox::Paint(TCanvas& canvas) {
    TWinControl::Paint(canvas);
    const int textHeight = Font()->TextHeight();
    canvas.FrameRect(Rect(0, textHeight / 2, Width(), Height()), clBtnShadow);
    if (!Caption().empty()) {
        canvas.Font()->Assign(*Font());
        canvas.DrawText(Caption(), Bounds(8, 0, Font()->TextWidth(StripAccelerator(Caption())), textHeight),
                        DT_LEFT | DT_SINGLELINE);
    }
}

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner) {
    static const TClassInfo& info = DescribeClass<TSplitter>("TSplitter", [](TClassBuilder<TSplitter>& c) {
        c.Property("Beveled", &TSplitter::Beveled, &TSplitter::SetBeveled);
        c.Property("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize);
        c.Property("ResizeStyle", &TSplitter::ResizeStyle, &TSplitter::SetResizeStyle);
        c.Publish({"Align", "Color", "ParentColor", "Visible"});
        c.Event("OnMoved", &TSplitter::OnMoved);
    });
    SetClass(info);
    SetAlign(alLeft);
    SetBounds(0, 0, 3, 100);
    SetCursor(-14);
    SetParentColor(true);
}

} // namespace vondrel
