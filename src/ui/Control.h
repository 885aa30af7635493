#pragma once

#include "ui/Colors.h"
#include "ui/Component.h"
#include "ui/Font.h"
#include "ui/Messages.h"
#include "ui/Types.h"
#include "ui/UserResult.h"

#include <map>
#include <memory>
#include <span>
#include <string>

namespace vondrel {

class TCanvas;
class TForm;
class TPopupMenu;
class TWinControl;

using TKeyEvent = TEvent<TObject*, Word&, TShiftState>;
using TKeyPressEvent = TEvent<TObject*, char32_t&>;

/// A visible part of a form: position and size in its parent, visibility, enabled state,
/// colour, font, hint and text. Non-windowed controls (labels, speed buttons) cannot take
/// the focus.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const noexcept { return parent_; }
    virtual void SetParent(TWinControl* parent);

    int Left() const noexcept { return left_; }
    int Top() const noexcept { return top_; }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const noexcept { return Bounds(left_, top_, width_, height_); }
    /// The inner area in the control's own coordinates.
    virtual TRect ClientRect() const { return {0, 0, width_, height_}; }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }

    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    /// Visible, and so are all its parents (for a form: the form itself is visible).
    virtual bool Showing() const noexcept;
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled);
    /// Enabled, and so are all its parents.
    bool EnabledInChain() const noexcept;

    TAlign Align() const noexcept { return align_; }
    void SetAlign(TAlign align);
    TColor Color() const noexcept { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const noexcept { return parentColor_; }
    void SetParentColor(bool value);
    TFont* Font() const noexcept { return font_.get(); }
    void SetFont(TFont* font);
    bool ParentFont() const noexcept { return parentFont_; }
    void SetParentFont(bool value);
    const std::string& Hint() const noexcept { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    bool ShowHint() const noexcept { return showHint_; }
    void SetShowHint(bool value);
    bool ParentShowHint() const noexcept { return parentShowHint_; }
    void SetParentShowHint(bool value);
    bool Ctl3D() const noexcept { return ctl3D_; }
    void SetCtl3D(bool value);
    bool ParentCtl3D() const noexcept { return parentCtl3D_; }
    void SetParentCtl3D(bool value);
    TCursor Cursor() const noexcept { return cursor_; }
    void SetCursor(TCursor cursor) noexcept { cursor_ = cursor; }
    TBiDiMode BiDiMode() const noexcept { return biDiMode_; }
    void SetBiDiMode(TBiDiMode mode);
    bool UseRightToLeftAlignment() const noexcept { return biDiMode_ == bdRightToLeft; }
    TPopupMenu* PopupMenu() const noexcept;
    void SetPopupMenu(TPopupMenu* menu);
    int HelpContext() const noexcept { return helpContext_; }
    void SetHelpContext(int value) noexcept { helpContext_ = value; }

    /// The control's text: the caption of labels, buttons and forms, the text of edits.
    virtual std::string Text() const { return text_; }
    /// Changes the text; with TNotify::Yes an edit fires OnChange, as for typing.
    virtual void SetText(const std::string& text, TNotify notify = TNotify::Yes);
    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& caption) { SetText(caption); }

    /// Fires OnClick (and does what a click on the control does in subclasses).
    virtual void Click();
    virtual void DblClick();
    /// An accelerator character ("&" letter of a caption) typed on the form; true when
    /// this control took it.
    virtual bool DialogChar(char32_t key);

    /// Sends a message to the control: a handler installed for it runs, or the control's
    /// own handling (WndProc).
    LRESULT Perform(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    /// Installs a handler for one message; it replaces the control's own handling of that
    /// message, which the handler may still call through WndProc.
    void SetMessageHandler(UINT message, TMessageHandler handler);
    virtual void WndProc(TMessage& message);

    /// Paints the control's face (in its own coordinates) onto a canvas.
    virtual void Paint(TCanvas& canvas);
    /// Tells the front end that the control's face changed.
    void Invalidate();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;

    // What a person can do with the control; the user simulation calls these after it
    // checked that the control is visible, enabled and not behind a modal form.
    virtual bool UserTakesFocusOnClick() const { return false; }
    virtual TUserResult UserClick();
    virtual TUserResult UserDoubleClick();
    /// 0 unchecked, 1 checked, 2 grayed; -1 when the control has no check state.
    virtual int UserCheckState() const { return -1; }
    virtual TUserResult UserChoose(int index);
    /// The index of the choice with that text (caption, item, page), or -1.
    virtual int UserChoiceIndex(std::string_view text) const;
    virtual TUserResult UserSelect(std::span<const int> rows);
    /// Whether typing goes into this control (edits that are not read-only).
    virtual TUserResult UserCanType() const;
    /// Selects the whole text, as a person does before typing over it.
    virtual void UserSelectAll() {}
    /// Puts the caret after the text, as a click behind it does.
    virtual void UserCaretToEnd() {}

protected:
    virtual void TextChanged(TNotify notify);
    virtual void FontChanged();
    virtual void ColorChanged() { Invalidate(); }
    virtual void EnabledChanged();
    virtual void VisibleChanged();
    virtual void Resize();
    virtual void Moved() {}
    /// The size changed; runs before OnResize (windowed controls lay out their children).
    virtual void ContentResized() {}
    /// The parent's font, colour, hint or 3-D setting changed.
    virtual void ParentFontChanged();
    virtual void ParentColorChanged();
    void RequestAlign();
    /// Sets the font without ending ParentFont (used for the parent's font).
    void CopyFont(const TFont& font);
    void BeforeDestruction() override;

private:
    friend class TWinControl;

    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    TAlign align_ = alNone;
    TColor color_ = clWindow;
    bool parentColor_ = false;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    bool copyingFont_ = false;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    bool ctl3D_ = true;
    bool parentCtl3D_ = true;
    TCursor cursor_ = crDefault;
    TBiDiMode biDiMode_ = bdLeftToRight;
    TComponentRef<TPopupMenu> popupMenu_;
    int helpContext_ = 0;
    std::string text_;
    std::map<UINT, TMessageHandler> messageHandlers_;
};

/// A control drawn by the class library itself, without a window (labels, speed buttons).
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
};

/// The form a control sits on, or nullptr.
TForm* GetParentForm(const TControl* control) noexcept;

} // namespace vondrel
