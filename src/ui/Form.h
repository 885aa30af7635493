#pragma once

#include "ui/WinControl.h"

namespace vondrel {

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

template <>
struct TEnumTraits<TCloseAction> {
    static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TPosition> {
    static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TBorderIcon> {
    static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TFormBorderStyle> {
    static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TWindowState> {
    static const TEnumInfo& Info();
};

using TCloseEvent = TEvent<TObject*, TCloseAction&>;
using TCloseQueryEvent = TEvent<TObject*, bool&>;

/// A top-level window. Forms are created with Create<T>() and start hidden; Show,
/// ShowModal (through the UI driver) and Close drive their life. Closing with the close
/// action caFree frees the form once pending messages are processed, so the handler that
/// closed it can finish first.
class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    TPosition Position() const noexcept { return position_; }
    void SetPosition(TPosition position) noexcept { position_ = position; }
    TBorderIcons BorderIcons() const noexcept { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons) noexcept { borderIcons_ = icons; }
    TFormBorderStyle BorderStyle() const noexcept { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style) noexcept { borderStyle_ = style; }
    bool KeyPreview() const noexcept { return keyPreview_; }
    void SetKeyPreview(bool value) noexcept { keyPreview_ = value; }
    TWindowState WindowState() const noexcept { return windowState_; }
    void SetWindowState(TWindowState state);
    bool Scaled() const noexcept { return scaled_; }
    void SetScaled(bool value) noexcept { scaled_ = value; }
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    TRect ClientRect() const override;

    TModalResult ModalResult() const noexcept { return modalResult_; }
    void SetModalResult(TModalResult result) noexcept { modalResult_ = result; }
    bool Modal() const noexcept { return modal_; }

    /// The control that has the focus while the form is active (or gets it when the
    /// form becomes active).
    TWinControl* ActiveControl() const noexcept { return activeControl_.Get(); }
    void SetActiveControl(TWinControl* control);
    /// The form is the one the user works in.
    bool Active() const noexcept { return active_; }

    /// Makes the form visible (OnShow) and active.
    void Show();
    void Hide();
    /// Shows the form modally through the UI driver and returns its modal result; raises
    /// EInvalidOperation for a visible form.
    virtual TModalResult ShowModal();
    /// Asks the form to close: OnCloseQuery, then OnClose with the close action.
    void Close();
    /// Frees the form once pending messages are processed.
    void Release();
    /// Brings the form to the front and makes it active.
    void BringToFront();
    void SetFocus() override;
    /// Moves the focus to one of the form's controls.
    void FocusControl(TWinControl* control);

    /// A key from the keyboard while this form is active: dialog keys, key preview, the
    /// focused control, accelerators. The character is what the key types (0 for none).
    void KeyboardInput(Word key, TShiftState shift, char32_t character);
    /// A character from an input method (no key of its own).
    void CharacterInput(char32_t character);

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

    bool DialogKey(Word key, TShiftState shift) override;
    void WndProc(TMessage& message) override;
    bool Showing() const noexcept override { return Visible(); }
    TUserResult UserCanType() const override;
    bool UserTakesFocusOnClick() const override { return false; }

    void AfterConstruction() override;

protected:
    void BeforeDestruction() override;
    void VisibleChanged() override;
    virtual void DoCreate();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    virtual bool CloseQuery();
    /// Ends a modal run: false when the form refused to close.
    bool CloseModal();
    /// Every move of the focus inside the form passes here, with the control about to get
    /// it (nullptr or the form itself for none); a form that tracks the focus overrides it
    /// and calls this one.
    virtual bool SetFocusedControl(TWinControl* control);

private:
    friend class TWinControl;
    friend void DefocusControl(TWinControl* control, bool removing);
    friend class TScreen;

    void Activate();
    void Deactivate();
    void PlaceOnScreen();

    TPosition position_ = poDesigned;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TFormBorderStyle borderStyle_ = bsSizeable;
    bool keyPreview_ = false;
    TWindowState windowState_ = wsNormal;
    bool scaled_ = true;
    TModalResult modalResult_ = mrNone;
    bool modal_ = false;
    bool active_ = false;
    bool created_ = false;
    bool releasing_ = false;
    TComponentRef<TWinControl> activeControl_;
    TComponentRef<TWinControl> focusedControl_;
    bool focusChanging_ = false;
    bool redirected_ = false;
    TComponentRef<TWinControl> redirect_;
};

} // namespace vondrel
