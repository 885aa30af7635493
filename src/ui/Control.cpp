#include "ui/Control.h"

#include "ui/Canvas.h"
#include "ui/Errors.h"
#include "ui/Form.h"
#include "ui/Menus.h"
#include "ui/UiDriver.h"
#include "ui/WinControl.h"

namespace vondrel {

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
    static const TClassInfo& info = DescribeClass<TControl>("TControl", [](TClassBuilder<TControl>& c) {
        c.Property("Left", &TControl::Left, &TControl::SetLeft);
        c.Property("Top", &TControl::Top, &TControl::SetTop);
        c.Property("Width", &TControl::Width, &TControl::SetWidth);
        c.Property("Height", &TControl::Height, &TControl::SetHeight);
        c.Property("Cursor", &TControl::Cursor, &TControl::SetCursor, CursorIdents());
        c.Property("Hint", &TControl::Hint, &TControl::SetHint);
        c.Property("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext);
        c.Declared("Align", &TControl::Align, &TControl::SetAlign);
        c.Declared("BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode);
        c.Declared("Caption", &TControl::Caption, &TControl::SetCaption);
        c.Declared("Color", &TControl::Color, &TControl::SetColor, &ColorIdents());
        c.Declared("Ctl3D", &TControl::Ctl3D, &TControl::SetCtl3D);
        c.Declared("Enabled", &TControl::Enabled, &TControl::SetEnabled);
        c.Declared("Font", &TControl::Font, &TControl::SetFont);
        c.Declared("ParentColor", &TControl::ParentColor, &TControl::SetParentColor);
        c.Declared("ParentCtl3D", &TControl::ParentCtl3D, &TControl::SetParentCtl3D);
        c.Declared("ParentFont", &TControl::ParentFont, &TControl::SetParentFont);
        c.Declared("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint);
        c.Declared("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
        c.Declared("ShowHint", &TControl::ShowHint, &TControl::SetShowHint);
        c.Declared("Text", &TControl::Text, &TControl::SetText);
        c.Declared("Visible", &TControl::Visible, &TControl::SetVisible);
        c.Event("OnClick", &TControl::OnClick, false);
        c.Event("OnDblClick", &TControl::OnDblClick, false);
        c.Event("OnResize", &TControl::OnResize, false);
    });
    SetClass(info);
    font_->OnChange = [this](TObject*) {
        if (!copyingFont_)
            parentFont_ = false;
        FontChanged();
    };
}

TControl::~TControl() = default;

void TControl::BeforeDestruction() {
    if (parent_)
        parent_->RemoveControl(this);
    TComponent::BeforeDestruction();
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_)
        return;
    if (parent == this)
        throw EInvalidOperation("A control cannot have itself as its parent");
    TWinControl* old = parent_;
    if (old) {
        if (auto* self = dynamic_cast<TWinControl*>(this))
            DefocusControl(self, true);
        old->RemoveControl(this);
        if (align_ != alNone)
            old->Realign();
    }
    if (parent) {
        parent->InsertControl(this);
        if (parentFont_)
            CopyFont(*parent->Font());
        if (parentColor_)
            ParentColorChanged();
        if (parentShowHint_)
            showHint_ = parent->ShowHint();
        if (parentCtl3D_)
            ctl3D_ = parent->Ctl3D();
        RequestAlign();
    }
    Invalidate();
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (width < 0)
        width = 0;
    if (height < 0)
        height = 0;
    const bool moved = left != left_ || top != top_;
    const bool resized = width != width_ || height != height_;
    if (!moved && !resized)
        return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    RequestAlign();
    if (resized)
        ContentResized();
    if (moved)
        Perform(WM_MOVE);
    if (resized)
        Perform(WM_SIZE);
    Invalidate();
}

bool TControl::Showing() const noexcept {
    if (!visible_)
        return false;
    return parent_ ? parent_->Showing() : false;
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    VisibleChanged();
}

void TControl::VisibleChanged() {
    RequestAlign();
    Invalidate();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    EnabledChanged();
}

void TControl::EnabledChanged() {
    Invalidate();
}

bool TControl::EnabledInChain() const noexcept {
    for (const TControl* control = this; control; control = control->parent_)
        if (!control->enabled_)
            return false;
    return true;
}

void TControl::SetAlign(TAlign align) {
    if (align == align_)
        return;
    align_ = align;
    RequestAlign();
}

void TControl::RequestAlign() {
    if (parent_ && align_ != alNone && !Destroying())
        parent_->Realign();
}

void TControl::SetColor(TColor color) {
    parentColor_ = false;
    if (color == color_)
        return;
    color_ = color;
    ColorChanged();
}

void TControl::SetParentColor(bool value) {
    parentColor_ = value;
    if (value && parent_)
        ParentColorChanged();
}

void TControl::ParentColorChanged() {
    if (!parentColor_ || !parent_ || parent_->Color() == color_)
        return;
    color_ = parent_->Color();
    ColorChanged();
}

void TControl::SetFont(TFont* font) {
    if (font && font != font_.get())
        font_->Assign(*font);
}

void TControl::CopyFont(const TFont& font) {
    copyingFont_ = true;
    font_->Assign(font);
    copyingFont_ = false;
}

void TControl::SetParentFont(bool value) {
    parentFont_ = value;
    if (value && parent_)
        CopyFont(*parent_->Font());
}

void TControl::ParentFontChanged() {
    if (parentFont_ && parent_)
        CopyFont(*parent_->Font());
}

void TControl::FontChanged() {
    Invalidate();
}

void TControl::SetShowHint(bool value) {
    showHint_ = value;
    parentShowHint_ = false;
}

void TControl::SetParentShowHint(bool value) {
    parentShowHint_ = value;
    if (value && parent_)
        showHint_ = parent_->ShowHint();
}

void TControl::SetCtl3D(bool value) {
    parentCtl3D_ = false;
    if (value == ctl3D_)
        return;
    ctl3D_ = value;
    Invalidate();
}

void TControl::SetParentCtl3D(bool value) {
    parentCtl3D_ = value;
    if (value && parent_)
        ctl3D_ = parent_->Ctl3D();
}

void TControl::SetBiDiMode(TBiDiMode mode) {
    if (mode == biDiMode_)
        return;
    biDiMode_ = mode;
    Invalidate();
}

TPopupMenu* TControl::PopupMenu() const noexcept {
    return popupMenu_.Get();
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
    popupMenu_ = menu;
}

void TControl::SetText(const std::string& text, TNotify notify) {
    if (text == text_)
        return;
    text_ = text;
    TextChanged(notify);
}

void TControl::TextChanged(TNotify) {
    Invalidate();
}

void TControl::Click() {
    if (!Destroying())
        OnClick(this);
}

void TControl::DblClick() {
    if (!Destroying())
        OnDblClick(this);
}

bool TControl::DialogChar(char32_t) {
    return false;
}

void TControl::Resize() {
    if (!Destroying() && !Loading())
        OnResize(this);
}

LRESULT TControl::Perform(UINT message, WPARAM wParam, LPARAM lParam) {
    TMessage m{message, wParam, lParam, 0};
    const auto found = messageHandlers_.find(message);
    if (found != messageHandlers_.end()) {
        const TMessageHandler handler = found->second; // the handler may replace itself
        handler(m);
    } else {
        WndProc(m);
    }
    return m.Result;
}

void TControl::SetMessageHandler(UINT message, TMessageHandler handler) {
    if (handler)
        messageHandlers_[message] = std::move(handler);
    else
        messageHandlers_.erase(message);
}

void TControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_SIZE:
        Resize();
        break;
    case WM_MOVE:
        Moved();
        break;
    default:
        break;
    }
}

void TControl::Paint(TCanvas& canvas) {
    canvas.SetBrushColor(color_);
    canvas.FillRect(ClientRect());
}

void TControl::Invalidate() {
    if (!Destroying() && !Loading())
        CurrentUiDriver().ControlChanged(*this);
}

TUserResult TControl::UserClick() {
    Click();
    return TUserResult::Done();
}

TUserResult TControl::UserDoubleClick() {
    Click();
    DblClick();
    return TUserResult::Done();
}

TUserResult TControl::UserChoose(int) {
    return TUserResult::Refused(ClassName() + " offers nothing to choose");
}

int TControl::UserChoiceIndex(std::string_view) const {
    return -1;
}

TUserResult TControl::UserSelect(std::span<const int>) {
    return TUserResult::Refused(ClassName() + " has no rows to select");
}

TUserResult TControl::UserCanType() const {
    return TUserResult::Refused(ClassName() + " takes no typing");
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {
    static const TClassInfo& info = DescribeClass("TGraphicControl");
    SetClass(info);
}

TForm* GetParentForm(const TControl* control) noexcept {
    for (const TControl* c = control; c; c = c->Parent())
        if (auto* form = dynamic_cast<const TForm*>(c))
            return const_cast<TForm*>(form);
    return nullptr;
}

} // namespace vondrel
