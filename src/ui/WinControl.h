#pragma once

#include "ui/Control.h"

#include <vector>

namespace vondrel {

// What a control wants of the special keys, the platform's dialog codes: keys a control
// does not want are handled by the form (Tab moves on, Enter clicks the default button).
inline constexpr unsigned DLGC_WANTARROWS = 0x0001;
inline constexpr unsigned DLGC_WANTTAB = 0x0002;
inline constexpr unsigned DLGC_WANTALLKEYS = 0x0004;
inline constexpr unsigned DLGC_WANTCHARS = 0x0080;

/// A control with a window: it has child controls, a handle and can take the focus.
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    int ControlCount() const noexcept { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const;
    const std::vector<TControl*>& ChildControls() const noexcept { return controls_; }
    /// True when the control is this one or lies inside it.
    bool ContainsControl(const TControl* control) const noexcept;

    /// The window handle, created when first asked for.
    HWND Handle();
    bool HandleAllocated() const noexcept { return handle_ != 0; }
    HWND ParentWindow() const noexcept { return parentWindow_; }
    void SetParentWindow(HWND window) noexcept { parentWindow_ = window; }

    int TabOrder() const noexcept;
    void SetTabOrder(int order);
    bool TabStop() const noexcept { return tabStop_; }
    void SetTabStop(bool value);
    /// Visible and enabled, as are all its parents up to the form.
    bool CanFocus() const noexcept;
    /// The control has the keyboard focus.
    bool Focused() const noexcept;
    /// Moves the focus here (OnExit of the control left, then OnEnter); raises
    /// EInvalidOperation when the control cannot take the focus.
    virtual void SetFocus();

    /// This control and the controls inside it in tab order (containers before their
    /// contents).
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop,
                                 bool checkParent) const;
    /// Focuses the next control after the current one (Tab, arrow keys).
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop);
    /// Lays out the children that have an alignment.
    void Realign();

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    // The keyboard path: the form routes a key here after its own preview.
    /// Which special keys the control handles itself (DLGC_ flags).
    virtual unsigned DialogCode() const { return 0; }
    /// A dialog key the control wants in its present state (a masked edit takes Esc
    /// while it has changes to abandon).
    virtual bool WantSpecialKey(Word /*key*/) const { return false; }
    virtual void KeyDown(Word& key, TShiftState shift);
    virtual void KeyPress(char32_t& key);
    virtual void KeyUp(Word& key, TShiftState shift);
    /// A dialog key (Enter, Esc, Tab, arrows) offered to the controls of the form; true
    /// when one of them took it.
    virtual bool DialogKey(Word key, TShiftState shift);
    /// Offers an accelerator to the children.
    bool DialogChar(char32_t key) override;

    /// Runs OnEnter / OnExit (the form calls them when the focus moves).
    virtual void DoEnter();
    virtual void DoExit();

    bool UserTakesFocusOnClick() const override { return true; }

protected:
    /// The area the aligned children share (a panel leaves its border, a group box its
    /// caption).
    virtual void AdjustClientRect(TRect& rect) const;
    virtual void ControlsChanged() {}
    void ContentResized() override { Realign(); }
    void FontChanged() override;
    void ColorChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void BeforeDestruction() override;
    void MarkDestroying() override;

private:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);

    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    HWND handle_ = 0;
    HWND parentWindow_ = 0;
    bool tabStop_ = false;
    bool aligning_ = false;
};

/// True while a person clicks into a control (set by the user simulation and front
/// ends): an edit focused by the mouse keeps its text unselected.
bool FocusingByMouse() noexcept;
class TMouseFocusScope {
public:
    TMouseFocusScope() noexcept;
    ~TMouseFocusScope();
    TMouseFocusScope(const TMouseFocusScope&) = delete;
    TMouseFocusScope& operator=(const TMouseFocusScope&) = delete;

private:
    bool previous_;
};

/// Exits the focus from a control that is going away or can no longer hold it.
void DefocusControl(TWinControl* control, bool removing);

} // namespace vondrel
