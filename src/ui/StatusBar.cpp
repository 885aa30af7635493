#include "ui/StatusBar.h"

namespace vondrel {

TStatusPanel::TStatusPanel(TCollection* collection) : TCollectionItem(collection) {
    static const TClassInfo& info =
        DescribeClass<TStatusPanel>("TStatusPanel", [](TClassBuilder<TStatusPanel>& c) {
            c.Property("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment);
            c.Property("Text", &TStatusPanel::Text, &TStatusPanel::SetText);
            c.Property("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth);
        });
    SetClass(info);
}

void TStatusPanel::SetText(const std::string& text) {
    text_ = text;
    Changed();
}

void TStatusPanel::SetWidth(int width) {
    width_ = width;
    Changed();
}

void TStatusPanel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Changed();
}

TStatusPanels::TStatusPanels()
    : TCollection([](TCollection* owner) { return std::make_unique<TStatusPanel>(owner); }) {
    static const TClassInfo& info = DescribeClass("TStatusPanels");
    SetClass(info);
}

TStatusPanel* TStatusPanels::Add() {
    return static_cast<TStatusPanel*>(AddItem());
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner), panels_(std::make_unique<TStatusPanels>()) {
    static const TClassInfo& info = DescribeClass<TStatusBar>("TStatusBar", [](TClassBuilder<TStatusBar>& c) {
        c.Property("Panels", &TStatusBar::Panels);
        c.Property("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel);
        c.Property("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
        c.Publish({"Align", "BiDiMode", "Color", "Enabled", "Font", "ParentColor", "ParentFont",
                   "ParentShowHint", "PopupMenu", "ShowHint", "Visible", "OnClick", "OnDblClick"});
    });
    SetClass(info);
    SetBounds(0, 0, 200, 19);
    SetColor(clBtnFace);
    SetAlign(alBottom);
    panels_->OnUpdate = [this](TCollectionItem*) { Invalidate(); };
}

TStatusBar::~TStatusBar() = default;

void TStatusBar::SetSimplePanel(bool value) {
    simplePanel_ = value;
    Invalidate();
}

void TStatusBar::SetSimpleText(const std::string& text) {
    simpleText_ = text;
    Invalidate();
}

} // namespace vondrel
