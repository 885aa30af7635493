#include "ui/PageControl.h"

#include "ui/Canvas.h"
#include "ui/Form.h"

#include <algorithm>

namespace vondrel {

const TEnumInfo& TEnumTraits<TTabPosition>::Info() {
    static const TEnumInfo info("TTabPosition", {"tpTop", "tpBottom", "tpLeft", "tpRight"});
    return info;
}
const TEnumInfo& TEnumTraits<TTabStyle>::Info() {
    static const TEnumInfo info("TTabStyle", {"tsTabs", "tsButtons", "tsFlatButtons"});
    return info;
}

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    static const TClassInfo& info = DescribeClass<TTabSheet>("TTabSheet", [](TClassBuilder<TTabSheet>& c) {
        c.Property("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex);
        c.Property("PageControl", &TTabSheet::PageControl, &TTabSheet::SetPageControl);
        c.Property("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex);
        c.Property("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible);
        c.Publish({"BiDiMode", "Caption", "Enabled", "Font", "ParentFont", "ParentShowHint", "PopupMenu",
                   "ShowHint", "OnEnter", "OnExit", "OnResize"});
        c.Event("OnHide", &TTabSheet::OnHide);
        c.Event("OnShow", &TTabSheet::OnShow);
    });
    SetClass(info);
    SetVisible(false);
    SetParentColor(true);
}

TPageControl* TTabSheet::PageControl() const noexcept {
    return dynamic_cast<TPageControl*>(Parent());
}

void TTabSheet::SetPageControl(TPageControl* control) {
    SetParent(control);
}

void TTabSheet::SetParent(TWinControl* parent) {
    if (TPageControl* old = PageControl(); old && old != parent)
        old->RemovePage(this);
    TWinControl::SetParent(parent);
    if (TPageControl* control = PageControl())
        control->InsertPage(this);
}

int TTabSheet::PageIndex() const noexcept {
    const TPageControl* control = PageControl();
    if (!control)
        return -1;
    const auto& pages = control->pages_;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int index) {
    TPageControl* control = PageControl();
    if (!control)
        return;
    auto& pages = control->pages_;
    index = std::clamp(index, 0, static_cast<int>(pages.size()) - 1);
    pages.erase(std::find(pages.begin(), pages.end(), this));
    pages.insert(pages.begin() + index, this);
    control->Invalidate();
}

int TTabSheet::TabIndex() const noexcept {
    const TPageControl* control = PageControl();
    if (!control || !tabVisible_)
        return -1;
    int index = 0;
    for (const TTabSheet* page : control->pages_) {
        if (page == this)
            return index;
        if (page->tabVisible_)
            ++index;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool value) {
    if (value == tabVisible_)
        return;
    tabVisible_ = value;
    if (TPageControl* control = PageControl())
        control->TabVisibilityChanged(this);
}

void TTabSheet::BeforeDestruction() {
    if (TPageControl* control = PageControl())
        control->RemovePage(this);
    TWinControl::BeforeDestruction();
}

void TTabSheet::VisibleChanged() {
    TWinControl::VisibleChanged();
    if (Loading() || Destroying())
        return;
    if (Visible())
        OnShow(this);
    else
        OnHide(this);
}

void TTabSheet::TextChanged(TNotify notify) {
    TWinControl::TextChanged(notify);
    if (TPageControl* control = PageControl())
        control->Invalidate();
}

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
    static const TClassInfo& info =
        DescribeClass<TPageControl>("TPageControl", [](TClassBuilder<TPageControl>& c) {
            c.Property("ActivePage", &TPageControl::ActivePage,
                       [](TPageControl& control, TTabSheet* page) { control.SetActivePage(page); });
            c.Property("HotTrack", &TPageControl::HotTrack, &TPageControl::SetHotTrack);
            c.Property("MultiLine", &TPageControl::MultiLine, &TPageControl::SetMultiLine);
            c.Property("OwnerDraw", &TPageControl::OwnerDraw, &TPageControl::SetOwnerDraw);
            c.Property("Style", &TPageControl::Style, &TPageControl::SetStyle);
            c.Property("TabHeight", &TPageControl::TabHeight, &TPageControl::SetTabHeight);
            c.Property("TabPosition", &TPageControl::TabPosition, &TPageControl::SetTabPosition);
            c.Property("TabWidth", &TPageControl::TabWidth, &TPageControl::SetTabWidth);
            c.Publish({"Align", "BiDiMode", "Enabled", "Font", "ParentFont", "ParentShowHint", "PopupMenu",
                       "ShowHint", "TabOrder", "TabStop", "Visible", "OnEnter", "OnExit", "OnResize"});
            c.Event("OnChange", &TPageControl::OnChange);
            c.Event("OnChanging", &TPageControl::OnChanging);
            c.Event("OnDrawTab", &TPageControl::OnDrawTab);
        });
    SetClass(info);
    SetTabStop(true);
    SetBounds(0, 0, 289, 193);
    SetColor(clBtnFace);
}

TTabSheet* TPageControl::Pages(int index) const noexcept {
    return index >= 0 && index < PageCount() ? pages_[static_cast<std::size_t>(index)] : nullptr;
}

void TPageControl::InsertPage(TTabSheet* page) {
    if (std::find(pages_.begin(), pages_.end(), page) != pages_.end())
        return;
    pages_.push_back(page);
    PlacePages();
    if (!activePage_ && page->TabVisible())
        SetActivePage(page);
    else
        page->SetVisible(page == activePage_);
    Invalidate();
}

void TPageControl::RemovePage(TTabSheet* page) {
    const auto found = std::find(pages_.begin(), pages_.end(), page);
    if (found == pages_.end())
        return;
    if (page == activePage_) {
        TTabSheet* next = FindNextPage(page, true, true);
        if (next == page)
            next = nullptr;
        activePage_ = nullptr;
        pages_.erase(std::find(pages_.begin(), pages_.end(), page));
        if (next && !Destroying())
            SetActivePage(next);
    } else {
        pages_.erase(found);
    }
    Invalidate();
}

int TPageControl::VisibleTabCount() const noexcept {
    return static_cast<int>(
        std::count_if(pages_.begin(), pages_.end(), [](const TTabSheet* p) { return p->TabVisible(); }));
}

TTabSheet* TPageControl::PageOfTab(int tabIndex) const noexcept {
    for (TTabSheet* page : pages_)
        if (page->TabVisible() && tabIndex-- == 0)
            return page;
    return nullptr;
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool forward, bool checkTabVisible) const noexcept {
    if (pages_.empty())
        return nullptr;
    const int count = PageCount();
    int start = static_cast<int>(std::find(pages_.begin(), pages_.end(), current) - pages_.begin());
    if (start == count)
        start = forward ? count - 1 : 0;
    int i = start;
    do {
        i = forward ? (i + 1) % count : (i + count - 1) % count;
        TTabSheet* page = pages_[static_cast<std::size_t>(i)];
        if (!checkTabVisible || page->TabVisible())
            return page;
    } while (i != start);
    return nullptr;
}

bool TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->PageControl() != this)
        return false;
    if (page == activePage_)
        return true;
    TForm* form = GetParentForm(this);
    TTabSheet* old = activePage_;
    if (form && old && old->ContainsControl(form->ActiveControl()) && form->Active() && old->CanFocus()) {
        // The focus leaves the page first; a control that keeps it keeps the page too.
        form->SetActiveControl(old);
        if (form->ActiveControl() != old)
            return false;
    }
    activePage_ = page;
    if (page)
        page->SetVisible(true);
    if (form && old && form->ActiveControl() == old) {
        if (page && page->CanFocus())
            form->SetActiveControl(page);
        else if (CanFocus())
            form->SetActiveControl(this);
    }
    if (old && old != page)
        old->SetVisible(false);
    if (form && page && form->ActiveControl() == page && form->Active())
        if (TWinControl* first = page->FindNextControl(nullptr, true, true, false))
            first->SetFocus();
    Invalidate();
    return true;
}

void TPageControl::SetActivePageIndex(int index) {
    SetActivePage(Pages(index));
}

void TPageControl::TabVisibilityChanged(TTabSheet* page) {
    if (page == activePage_ && !page->TabVisible()) {
        // The page of the tab that takes its place (or of the last tab) becomes active.
        int tabIndex = 0;
        for (TTabSheet* p : pages_) {
            if (p == page)
                break;
            if (p->TabVisible())
                ++tabIndex;
        }
        const int count = VisibleTabCount();
        SetActivePage(count == 0 ? nullptr : PageOfTab(std::min(tabIndex, count - 1)));
    } else if (!activePage_ && page->TabVisible()) {
        SetActivePage(page);
    }
    Invalidate();
}

bool TPageControl::CanChange() {
    bool allow = true;
    if (!Destroying())
        OnChanging(this, allow);
    return allow;
}

void TPageControl::Change() {
    if (!Destroying())
        OnChange(this);
}

bool TPageControl::UserSelectPage(TTabSheet* page) {
    if (!page || page->PageControl() != this || !page->TabVisible())
        return false;
    if (page == activePage_)
        return true;
    if (!CanChange())
        return false;
    if (!SetActivePage(page))
        return false;
    Change();
    return true;
}

bool TPageControl::SelectNextPage(bool forward) {
    TTabSheet* page = FindNextPage(activePage_, forward, true);
    if (!page || page == activePage_)
        return false;
    return UserSelectPage(page);
}

void TPageControl::SetTabHeight(int value) {
    tabHeight_ = value < 0 ? 0 : value;
    PlacePages();
}

void TPageControl::SetTabWidth(int value) {
    tabWidth_ = value < 0 ? 0 : value;
    Invalidate();
}

TRect TPageControl::TabRect(int tabIndex) const {
    const int height = tabHeight_ > 0 ? tabHeight_ : Font()->TextHeight() + 6;
    int left = 2;
    for (int i = 0; i <= tabIndex; ++i) {
        const TTabSheet* page = PageOfTab(i);
        if (!page)
            return {};
        const int width =
            tabWidth_ > 0 ? tabWidth_ : Font()->TextWidth(StripAccelerator(page->Caption())) + 12;
        if (i == tabIndex)
            return Bounds(left, 2, width, height);
        left += width;
    }
    return {};
}

void TPageControl::AdjustClientRect(TRect& rect) const {
    const int height = tabHeight_ > 0 ? tabHeight_ : Font()->TextHeight() + 6;
    rect.Top += height + 2;
    rect = rect.Inflated(-4, -4);
}

void TPageControl::ContentResized() {
    TWinControl::ContentResized();
    PlacePages();
}

void TPageControl::PlacePages() {
    TRect area = ClientRect();
    AdjustClientRect(area);
    for (TTabSheet* page : pages_)
        page->SetBounds(area.Left, area.Top, area.Width(), area.Height());
}

void TPageControl::Paint(TCanvas& canvas) {
    TWinControl::Paint(canvas);
    canvas_ = &canvas;
    const int count = VisibleTabCount();
    for (int i = 0; i < count; ++i)
        DrawTab(canvas, i, TabRect(i), i == TabIndex());
    canvas_ = nullptr;
}

void TPageControl::DrawTab(TCanvas& canvas, int tabIndex, const TRect& rect, bool active) {
    if (OnDrawTab) {
        OnDrawTab(this, tabIndex, rect, active);
        return;
    }
    DrawTabDefault(canvas, tabIndex, rect, active);
}

void TPageControl::DrawTabDefault(TCanvas& canvas, int tabIndex, const TRect& rect, bool) {
    const TTabSheet* page = PageOfTab(tabIndex);
    canvas.Font()->Assign(*Font());
    canvas.DrawText(page ? page->Caption() : std::string(), rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TPageControl::KeyDown(Word& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if (key == VK_LEFT || key == VK_RIGHT)
        SelectNextPage(key == VK_RIGHT);
}

TUserResult TPageControl::UserChoose(int tabIndex) {
    TTabSheet* page = PageOfTab(tabIndex);
    if (!page)
        return TUserResult::Refused(Name() + " has no tab " + std::to_string(tabIndex));
    if (page == activePage_)
        return TUserResult::Done();
    if (!UserSelectPage(page))
        return TUserResult::Refused("the page of " + Name() + " did not change");
    return TUserResult::Done();
}

int TPageControl::UserChoiceIndex(std::string_view caption) const {
    for (int i = 0; i < VisibleTabCount(); ++i)
        if (StripAccelerator(PageOfTab(i)->Caption()) == StripAccelerator(caption))
            return i;
    return -1;
}

} // namespace vondrel
