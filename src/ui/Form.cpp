#include "ui/Form.h"

#include "ui/Application.h"
#include "ui/Errors.h"
#include "ui/Screen.h"
#include "ui/UiDriver.h"

#include <cassert>

namespace vondrel {

namespace {

const char* const kCannotFocus = "Cannot focus a disabled or invisible window";

int FrameWidth(TFormBorderStyle style) {
    switch (style) {
    case bsNone:
        return 0;
    case bsSizeable:
    case bsSizeToolWin:
        return 4;
    default:
        return 3;
    }
}

int CaptionHeight(TFormBorderStyle style) {
    switch (style) {
    case bsNone:
        return 0;
    case bsToolWindow:
    case bsSizeToolWin:
        return 16;
    default:
        return 19;
    }
}

} // namespace

const TEnumInfo& TEnumTraits<TCloseAction>::Info() {
    static const TEnumInfo info("TCloseAction", {"caNone", "caHide", "caFree", "caMinimize"});
    return info;
}
const TEnumInfo& TEnumTraits<TPosition>::Info() {
    static const TEnumInfo info("TPosition", {"poDesigned", "poDefault", "poDefaultPosOnly",
                                              "poDefaultSizeOnly", "poScreenCenter", "poDesktopCenter",
                                              "poMainFormCenter", "poOwnerFormCenter"});
    return info;
}
const TEnumInfo& TEnumTraits<TBorderIcon>::Info() {
    static const TEnumInfo info("TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"});
    return info;
}
const TEnumInfo& TEnumTraits<TFormBorderStyle>::Info() {
    static const TEnumInfo info("TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog",
                                                     "bsToolWindow", "bsSizeToolWin"});
    return info;
}
const TEnumInfo& TEnumTraits<TWindowState>::Info() {
    static const TEnumInfo info("TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"});
    return info;
}

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    static const TClassInfo& info = DescribeClass<TForm>("TForm", [](TClassBuilder<TForm>& c) {
        c.Property("ActiveControl", &TForm::ActiveControl, &TForm::SetActiveControl);
        c.Property("BorderIcons", &TForm::BorderIcons, &TForm::SetBorderIcons);
        c.Property("BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle);
        c.Property("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight);
        c.Property("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth);
        c.Property("KeyPreview", &TForm::KeyPreview, &TForm::SetKeyPreview);
        c.Property("ModalResult", &TForm::ModalResult, &TForm::SetModalResult);
        c.Property("Position", &TForm::Position, &TForm::SetPosition);
        c.Property("Scaled", &TForm::Scaled, &TForm::SetScaled);
        c.Property("WindowState", &TForm::WindowState, &TForm::SetWindowState);
        c.Publish({"BiDiMode", "Caption", "Color", "Ctl3D", "Enabled", "Font", "ParentFont", "PopupMenu",
                   "ShowHint", "Visible"});
        c.Event("OnActivate", &TForm::OnActivate);
        c.Event("OnClose", &TForm::OnClose);
        c.Event("OnCloseQuery", &TForm::OnCloseQuery);
        c.Event("OnCreate", &TForm::OnCreate);
        c.Event("OnDeactivate", &TForm::OnDeactivate);
        c.Event("OnDestroy", &TForm::OnDestroy);
        c.Event("OnHide", &TForm::OnHide);
        c.Event("OnShow", &TForm::OnShow);
        c.Publish({"OnClick", "OnDblClick", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnResize"});
    });
    SetClass(info);
    // A form is built in its constructors; it and its components load until
    // AfterConstruction.
    BeginLoading();
    SetVisible(false);
    SetColor(clBtnFace);
    SetParentFont(false);
    SetBounds(0, 0, 400, 300);
    Screen().AddForm(this);
}

TForm::~TForm() = default;

void TForm::AfterConstruction() {
    TWinControl::AfterConstruction();
    created_ = true;
    DoCreate();
}

void TForm::DoCreate() {
    OnCreate(this);
}

void TForm::BeforeDestruction() {
    if (Screen().TopModalForm() == this)
        Screen().PopModal(this);
    // The form goes whatever its handler does: a failure is reported, as the message
    // loop would, instead of leaving a half-destroyed form behind (or ending the program
    // when the form is freed from a destructor).
    try {
        OnDestroy(this);
    } catch (const std::exception& error) {
        Application().HandleException(error);
    }
    if (active_) {
        active_ = false;
        Screen().FormDeactivated(this);
        if (TForm* next = Screen().NextFormToActivate(this))
            next->Activate();
    }
    Screen().RemoveForm(this);
    TWinControl::BeforeDestruction();
}

void TForm::SetWindowState(TWindowState state) {
    if (state == windowState_)
        return;
    windowState_ = state;
    Invalidate();
}

TRect TForm::ClientRect() const {
    const int frame = FrameWidth(borderStyle_);
    return {0, 0, std::max(Width() - 2 * frame, 0),
            std::max(Height() - 2 * frame - CaptionHeight(borderStyle_), 0)};
}

void TForm::SetClientWidth(int width) {
    SetWidth(width + 2 * FrameWidth(borderStyle_));
}

void TForm::SetClientHeight(int height) {
    SetHeight(height + 2 * FrameWidth(borderStyle_) + CaptionHeight(borderStyle_));
}

void TForm::SetActiveControl(TWinControl* control) {
    if (control == activeControl_.Get())
        return;
    if (control &&
        (control == this || GetParentForm(control) != this || (!Loading() && !control->CanFocus())))
        throw EInvalidOperation(kCannotFocus);
    if (Loading() || !active_) {
        activeControl_ = control;
        return;
    }
    SetFocusedControl(control);
}

void TForm::Show() {
    assert(created_ && "forms are created with Create<T>()");
    if (Visible())
        BringToFront();
    else
        SetVisible(true);
}

void TForm::Hide() {
    SetVisible(false);
}

void TForm::VisibleChanged() {
    TControl::VisibleChanged();
    if (Loading() || Destroying())
        return;
    if (Visible()) {
        PlaceOnScreen();
        DoShow();
        CurrentUiDriver().FormShown(*this);
        if (Visible() && !Destroying())
            Activate();
    } else {
        DoHide();
        CurrentUiDriver().FormHidden(*this);
        if (active_) {
            Deactivate();
            if (TForm* next = Screen().NextFormToActivate(this))
                next->Activate();
        }
    }
}

void TForm::DoShow() {
    OnShow(this);
}

void TForm::DoHide() {
    OnHide(this);
}

void TForm::PlaceOnScreen() {
    const TForm* center = nullptr;
    switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
        break;
    case poMainFormCenter:
    case poOwnerFormCenter:
        center = dynamic_cast<const TForm*>(Owner());
        break;
    default:
        return;
    }
    if (center)
        SetBounds(center->Left() + (center->Width() - Width()) / 2,
                  center->Top() + (center->Height() - Height()) / 2, Width(), Height());
    else
        SetBounds((Screen().Width() - Width()) / 2, (Screen().Height() - Height()) / 2, Width(), Height());
}

void TForm::BringToFront() {
    if (Visible())
        Activate();
}

void TForm::Activate() {
    if (active_ || Destroying())
        return;
    if (TForm* previous = Screen().ActiveForm(); previous && previous != this)
        previous->Deactivate();
    active_ = true;
    Screen().FormActivated(this);
    TWinControl* target = activeControl_.Get();
    if (target && !target->CanFocus())
        target = nullptr;
    if (!target)
        target = FindNextControl(nullptr, true, true, false);
    TComponentRef<TForm> self(this);
    SetFocusedControl(target);
    if (self && active_)
        OnActivate(this);
}

void TForm::Deactivate() {
    if (!active_)
        return;
    active_ = false;
    Screen().FormDeactivated(this);
    if (!Destroying())
        OnDeactivate(this);
}

void TForm::SetFocus() {
    if (!Visible() || !Enabled())
        throw EInvalidOperation(kCannotFocus);
    if (!active_)
        Activate();
}

void TForm::FocusControl(TWinControl* control) {
    if (focusChanging_) {
        // Someone moves the focus while the control being left runs its OnExit: that
        // request wins over the move in progress.
        redirect_ = control;
        redirected_ = true;
        return;
    }
    if (!control->CanFocus() || !Visible() || !Enabled())
        throw EInvalidOperation(kCannotFocus);
    if (!active_) {
        activeControl_ = control;
        Activate();
        return;
    }
    SetFocusedControl(control);
}

bool TForm::SetFocusedControl(TWinControl* target) {
    TWinControl* goal = target == this ? nullptr : target;
    if (focusChanging_) {
        redirect_ = goal;
        redirected_ = true;
        return false;
    }
    TWinControl* old = focusedControl_.Get();
    activeControl_ = goal;
    if (old == goal)
        return true;

    TComponentRef<TForm> self(this);
    // The new control counts as focused while the old one runs its OnExit, as on the
    // platform: an exit handler can tell where the focus is going.
    focusChanging_ = true;
    redirected_ = false;
    TWinControl* container = old;
    TWinControl* lastExited = nullptr;
    while (container && container != this && !(goal && container->ContainsControl(goal))) {
        lastExited = container;
        TComponentRef<TWinControl> exiting(container);
        try {
            container->DoExit();
        } catch (...) {
            // The move is abandoned: the control being left keeps the focus.
            focusChanging_ = false;
            redirected_ = false;
            if (self) {
                activeControl_ = old;
                focusedControl_ = old;
            }
            throw;
        }
        if (!self)
            return false;
        if (redirected_ || !exiting)
            break;
        container = container->Parent();
    }
    focusChanging_ = false;

    if (redirected_) {
        redirected_ = false;
        TWinControl* redirect = redirect_.Get();
        redirect_ = nullptr;
        if (redirect == old) {
            // The control being left took the focus back: it keeps it.
            activeControl_ = old;
            focusedControl_ = old;
            return false;
        }
        TWinControl* stillFocused = lastExited ? lastExited->Parent() : old;
        focusedControl_ = stillFocused == this ? nullptr : stillFocused;
        SetFocusedControl(redirect);
        return false;
    }

    std::vector<TWinControl*> entering;
    for (TWinControl* c = goal; c && c != this && c != container; c = c->Parent())
        entering.push_back(c);
    focusedControl_ = container == this ? nullptr : container;
    for (auto it = entering.rbegin(); it != entering.rend(); ++it) {
        focusedControl_ = *it;
        (*it)->DoEnter();
        if (!self)
            return false;
        if (activeControl_.Get() != goal)
            return false; // an OnEnter moved the focus on
    }
    focusedControl_ = goal;
    return true;
}

void DefocusControl(TWinControl* control, bool removing) {
    TForm* form = GetParentForm(control);
    if (!form || form == control)
        return;
    if (removing && control->ContainsControl(form->focusedControl_.Get())) {
        TWinControl* parent = control->Parent();
        form->focusedControl_ = parent == form ? nullptr : parent;
    }
    if (control->ContainsControl(form->activeControl_.Get())) {
        if (form->active_ && !form->Destroying() && !form->focusChanging_)
            form->SetFocusedControl(nullptr);
        else
            form->activeControl_ = nullptr;
    }
}

TModalResult TForm::ShowModal() {
    if (Visible() || !Enabled() || modal_)
        throw EInvalidOperation("Cannot make a visible window modal");
    assert(created_ && "forms are created with Create<T>()");
    TComponentRef<TForm> self(this);
    modal_ = true;
    Screen().PushModal(this);
    TModalResult result = mrCancel;
    try {
        Show();
        modalResult_ = mrNone;
        CurrentUiDriver().ProcessMessages();
        while (self) {
            const TModalResult answer = CurrentUiDriver().RunModal(*this);
            if (!self)
                break;
            if (modalResult_ == mrNone)
                modalResult_ = answer != mrNone ? answer : mrCancel;
            if (CloseModal())
                break;
        }
        if (self)
            result = modalResult_;
    } catch (...) {
        if (self) {
            modal_ = false;
            Screen().PopModal(this);
            Hide();
        }
        throw;
    }
    if (self) {
        modal_ = false;
        Screen().PopModal(this);
        Hide();
    }
    return result;
}

bool TForm::CloseModal() {
    try {
        TCloseAction action = caNone;
        if (CloseQuery()) {
            action = caHide;
            DoClose(action);
        }
        if (action == caNone) {
            modalResult_ = mrNone;
            return false;
        }
        if (action == caFree)
            Release();
        return true;
    } catch (const std::exception& error) {
        modalResult_ = mrNone;
        Application().HandleException(error);
        return false;
    }
}

void TForm::Close() {
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    DoClose(action);
    switch (action) {
    case caNone:
        break;
    case caHide:
        Hide();
        break;
    case caMinimize:
        SetWindowState(wsMinimized);
        break;
    case caFree:
        Release();
        break;
    }
}

bool TForm::CloseQuery() {
    bool canClose = true;
    OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::DoClose(TCloseAction& action) {
    OnClose(this, action);
}

void TForm::Release() {
    if (releasing_)
        return;
    releasing_ = true;
    PostMessage(Handle(), CM_RELEASE);
}

void TForm::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case CM_RELEASE:
        Free();
        return;
    default:
        TWinControl::WndProc(message);
    }
}

bool TForm::DialogKey(Word key, TShiftState shift) {
    if (!shift.Contains(ssAlt)) {
        if (key == VK_TAB && !shift.Contains(ssCtrl)) {
            SelectNext(ActiveControl(), !shift.Contains(ssShift), true);
            return true;
        }
        if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) {
            if (TWinControl* active = ActiveControl()) {
                if (TWinControl* parent = active->Parent())
                    parent->SelectNext(active, key == VK_RIGHT || key == VK_DOWN, false);
                return true;
            }
        }
    }
    return TWinControl::DialogKey(key, shift);
}

namespace {

char32_t UpperAscii(char32_t c) {
    return c >= 'a' && c <= 'z' ? c - 32 : c;
}

} // namespace

void TForm::KeyboardInput(Word key, TShiftState shift, char32_t character) {
    TComponentRef<TForm> self(this);
    TComponentRef<TWinControl> target(ActiveControl() ? ActiveControl() : this);
    const bool toControl = target.Get() != this;

    unsigned wanted = 0;
    switch (key) {
    case VK_TAB:
        wanted = DLGC_WANTTAB;
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        wanted = DLGC_WANTARROWS;
        break;
    case VK_RETURN:
    case VK_ESCAPE:
        wanted = DLGC_WANTALLKEYS;
        break;
    default:
        break;
    }
    if (wanted && !(toControl && ((target->DialogCode() & wanted) || target->WantSpecialKey(key))) &&
        DialogKey(key, shift))
        return;
    if (!self || !target)
        return;

    Word down = key;
    if (keyPreview_ && toControl) {
        KeyDown(down, shift);
        if (down == 0 || !self)
            return;
    }
    if (target)
        target->KeyDown(down, shift);
    if (down == 0 || !self)
        return;

    if (character) {
        if (shift.Contains(ssAlt) && !shift.Contains(ssCtrl)) {
            DialogChar(UpperAscii(character));
        } else if (target) {
            const bool wantsChars = toControl && (target->DialogCode() & DLGC_WANTCHARS);
            if (!wantsChars && DialogChar(UpperAscii(character)))
                return;
            char32_t typed = character;
            if (keyPreview_ && toControl && self)
                KeyPress(typed);
            if (typed && self && target)
                target->KeyPress(typed);
        }
    } else if (shift.Contains(ssAlt) && !shift.Contains(ssCtrl) && key >= 'A' && key <= 'Z') {
        DialogChar(key);
    }
    if (!self)
        return;

    Word up = key;
    TWinControl* focused = ActiveControl() ? ActiveControl() : this;
    if (keyPreview_ && focused != this) {
        KeyUp(up, shift);
        if (up == 0 || !self)
            return;
    }
    focused->KeyUp(up, shift);
}

void TForm::CharacterInput(char32_t character) {
    TComponentRef<TForm> self(this);
    TWinControl* target = ActiveControl() ? ActiveControl() : this;
    char32_t typed = character;
    if (keyPreview_ && target != this)
        KeyPress(typed);
    if (typed && self && ActiveControl() == target)
        target->KeyPress(typed);
}

TUserResult TForm::UserCanType() const {
    return TUserResult::Refused("a form takes no typing");
}

} // namespace vondrel
