#include "ui/WinControl.h"

#include "ui/Errors.h"
#include "ui/Form.h"
#include "ui/Screen.h"

#include <algorithm>

namespace vondrel {

namespace {
bool gFocusingByMouse = false;
} // namespace

bool FocusingByMouse() noexcept {
    return gFocusingByMouse;
}

TMouseFocusScope::TMouseFocusScope() noexcept : previous_(gFocusingByMouse) {
    gFocusingByMouse = true;
}

TMouseFocusScope::~TMouseFocusScope() {
    gFocusingByMouse = previous_;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
    static const TClassInfo& info =
        DescribeClass<TWinControl>("TWinControl", [](TClassBuilder<TWinControl>& c) {
            c.Declared("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
            c.Declared("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop);
            c.Event("OnEnter", &TWinControl::OnEnter, false);
            c.Event("OnExit", &TWinControl::OnExit, false);
            c.Event("OnKeyDown", &TWinControl::OnKeyDown, false);
            c.Event("OnKeyPress", &TWinControl::OnKeyPress, false);
            c.Event("OnKeyUp", &TWinControl::OnKeyUp, false);
        });
    SetClass(info);
}

TWinControl::~TWinControl() = default;

void TWinControl::MarkDestroying() {
    TControl::MarkDestroying();
    for (TControl* control : controls_)
        if (!control->Destroying())
            control->MarkDestroying();
}

void TWinControl::BeforeDestruction() {
    DefocusControl(this, true);
    while (!controls_.empty())
        controls_.back()->Free();
    if (handle_) {
        ReleaseWindowHandle(handle_);
        handle_ = 0;
    }
    TControl::BeforeDestruction();
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return controls_[static_cast<std::size_t>(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const noexcept {
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

void TWinControl::InsertControl(TControl* control) {
    controls_.push_back(control);
    control->parent_ = this;
    if (auto* windowed = dynamic_cast<TWinControl*>(control))
        tabList_.push_back(windowed);
    ControlsChanged();
}

void TWinControl::RemoveControl(TControl* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), control), tabList_.end());
    control->parent_ = nullptr;
    if (!Destroying())
        ControlsChanged();
}

HWND TWinControl::Handle() {
    if (!handle_)
        handle_ = AllocateWindowHandle(this);
    return handle_;
}

int TWinControl::TabOrder() const noexcept {
    if (!Parent())
        return -1;
    const auto& list = Parent()->tabList_;
    const auto found = std::find(list.begin(), list.end(), this);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (!Parent())
        return;
    auto& list = Parent()->tabList_;
    const int count = static_cast<int>(list.size());
    if (order < 0 || order >= count)
        order = count - 1;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.insert(list.begin() + order, this);
}

void TWinControl::SetTabStop(bool value) {
    tabStop_ = value;
}

bool TWinControl::CanFocus() const noexcept {
    const TForm* form = GetParentForm(this);
    if (!form)
        return false;
    for (const TControl* control = this; control != form; control = control->Parent()) {
        if (!control || !control->Visible() || !control->Enabled())
            return false;
    }
    return true;
}

bool TWinControl::Focused() const noexcept {
    return Screen().ActiveControl() == this;
}

void TWinControl::SetFocus() {
    TForm* form = GetParentForm(this);
    if (!form)
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    form->FocusControl(this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* control : tabList_) {
        list.push_back(control);
        control->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop,
                                          bool checkParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return nullptr;
    const int count = static_cast<int>(list.size());
    int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
    if (start == count)
        start = forward ? count - 1 : 0;
    int i = start;
    do {
        if (forward) {
            if (++i == count)
                i = 0;
        } else {
            if (i == 0)
                i = count;
            --i;
        }
        TWinControl* candidate = list[static_cast<std::size_t>(i)];
        if (candidate->CanFocus() && (!checkTabStop || candidate->TabStop()) &&
            (!checkParent || candidate->Parent() == this))
            return candidate;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, forward, checkTabStop, !checkTabStop))
        next->SetFocus();
}

void TWinControl::AdjustClientRect(TRect&) const {}

void TWinControl::Realign() {
    if (aligning_ || Destroying())
        return;
    aligning_ = true;
    TRect area = ClientRect();
    AdjustClientRect(area);
    auto place = [&](TAlign align) {
        std::vector<TControl*> aligned;
        for (TControl* control : controls_)
            if (control->Align() == align && control->Visible())
                aligned.push_back(control);
        std::stable_sort(aligned.begin(), aligned.end(), [align](const TControl* a, const TControl* b) {
            switch (align) {
            case alTop:
                return a->Top() < b->Top();
            case alBottom:
                return a->Top() + a->Height() > b->Top() + b->Height();
            case alLeft:
                return a->Left() < b->Left();
            case alRight:
                return a->Left() + a->Width() > b->Left() + b->Width();
            default:
                return false;
            }
        });
        for (TControl* control : aligned) {
            switch (align) {
            case alTop:
                control->SetBounds(area.Left, area.Top, area.Width(), control->Height());
                area.Top += control->Height();
                break;
            case alBottom:
                control->SetBounds(area.Left, area.Bottom - control->Height(), area.Width(),
                                   control->Height());
                area.Bottom -= control->Height();
                break;
            case alLeft:
                control->SetBounds(area.Left, area.Top, control->Width(), area.Height());
                area.Left += control->Width();
                break;
            case alRight:
                control->SetBounds(area.Right - control->Width(), area.Top, control->Width(), area.Height());
                area.Right -= control->Width();
                break;
            case alClient:
                control->SetBounds(area.Left, area.Top, area.Width(), area.Height());
                break;
            default:
                break;
            }
        }
    };
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient})
        place(align);
    aligning_ = false;
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    for (TControl* control : controls_)
        control->ParentFontChanged();
}

void TWinControl::ColorChanged() {
    TControl::ColorChanged();
    for (TControl* control : controls_)
        control->ParentColorChanged();
}

void TWinControl::VisibleChanged() {
    TControl::VisibleChanged();
    if (!Visible())
        DefocusControl(this, true);
}

void TWinControl::EnabledChanged() {
    TControl::EnabledChanged();
    if (!Enabled())
        DefocusControl(this, false);
}

void TWinControl::KeyDown(Word& key, TShiftState shift) {
    if (!Destroying())
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyPress(char32_t& key) {
    if (!Destroying())
        OnKeyPress(this, key);
}

void TWinControl::KeyUp(Word& key, TShiftState shift) {
    if (!Destroying())
        OnKeyUp(this, key, shift);
}

bool TWinControl::DialogKey(Word key, TShiftState shift) {
    const std::vector<TControl*> children = controls_;
    for (TControl* control : children) {
        auto* windowed = dynamic_cast<TWinControl*>(control);
        if (windowed && windowed->Visible() && windowed->Enabled() && windowed->DialogKey(key, shift))
            return true;
    }
    return false;
}

bool TWinControl::DialogChar(char32_t key) {
    const std::vector<TControl*> children = controls_;
    for (TControl* control : children)
        if (control->Visible() && control->Enabled() && control->DialogChar(key))
            return true;
    return false;
}

void TWinControl::DoEnter() {
    if (!Destroying())
        OnEnter(this);
}

void TWinControl::DoExit() {
    if (!Destroying())
        OnExit(this);
}

} // namespace vondrel
