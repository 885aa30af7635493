#pragma once

#include "ui/WinControl.h"

#include <vector>

namespace vondrel {

class TPageControl;
class TCanvas;

/// A page of a page control; only the active page is visible. A page whose tab is hidden
/// (TabVisible false) cannot be chosen by the user.
class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* owner);

    TPageControl* PageControl() const noexcept;
    void SetPageControl(TPageControl* control);
    bool TabVisible() const noexcept { return tabVisible_; }
    void SetTabVisible(bool value);
    int PageIndex() const noexcept;
    void SetPageIndex(int index);
    /// The position among the visible tabs; -1 when the tab is hidden.
    int TabIndex() const noexcept;
    int ImageIndex() const noexcept { return imageIndex_; }
    void SetImageIndex(int value) noexcept { imageIndex_ = value; }

    void SetParent(TWinControl* parent) override;
    bool UserTakesFocusOnClick() const override { return false; }

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

protected:
    void VisibleChanged() override;
    void TextChanged(TNotify notify) override;
    void BeforeDestruction() override;

private:
    bool tabVisible_ = true;
    int imageIndex_ = -1;
};

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };
template <>
struct TEnumTraits<TTabPosition> {
    static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TTabStyle> {
    static const TEnumInfo& Info();
};

using TTabChangingEvent = TEvent<TObject*, bool&>;
/// Control, tab index, the tab's rectangle, active.
using TDrawTabEvent = TEvent<TObject*, int, const TRect&, bool>;

/// Pages with tabs. Choosing a tab asks OnChanging (which may refuse), switches the page
/// and fires OnChange; ActivePage set from code switches without either event. The focus
/// leaves a page that is switched away from; when the control being left keeps it (its
/// exit check failed), the page stays.
class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* owner);

    int PageCount() const noexcept { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int index) const noexcept;
    TTabSheet* ActivePage() const noexcept { return activePage_; }
    /// Switches from code: no OnChanging, no OnChange. False when the focused control on
    /// the page left kept the focus.
    bool SetActivePage(TTabSheet* page);
    int ActivePageIndex() const noexcept { return activePage_ ? activePage_->PageIndex() : -1; }
    void SetActivePageIndex(int index);
    /// The index of the active page's tab among the visible tabs.
    int TabIndex() const noexcept { return activePage_ ? activePage_->TabIndex() : -1; }
    int VisibleTabCount() const noexcept;
    /// The page shown by a tab (hidden tabs skipped when counting).
    TTabSheet* PageOfTab(int tabIndex) const noexcept;
    TTabSheet* FindNextPage(TTabSheet* current, bool forward, bool checkTabVisible) const noexcept;
    /// The user's next or previous tab: OnChanging, switch, OnChange.
    bool SelectNextPage(bool forward);
    /// The user chooses a page (by its tab): OnChanging, switch, OnChange. False when
    /// refused or when the page's tab is hidden.
    bool UserSelectPage(TTabSheet* page);

    TTabPosition TabPosition() const noexcept { return tabPosition_; }
    void SetTabPosition(TTabPosition value) noexcept { tabPosition_ = value; }
    TTabStyle Style() const noexcept { return style_; }
    void SetStyle(TTabStyle value) noexcept { style_ = value; }
    bool MultiLine() const noexcept { return multiLine_; }
    void SetMultiLine(bool value) noexcept { multiLine_ = value; }
    bool OwnerDraw() const noexcept { return ownerDraw_; }
    void SetOwnerDraw(bool value) noexcept { ownerDraw_ = value; }
    bool HotTrack() const noexcept { return hotTrack_; }
    void SetHotTrack(bool value) noexcept { hotTrack_ = value; }
    int TabHeight() const noexcept { return tabHeight_; }
    void SetTabHeight(int value);
    int TabWidth() const noexcept { return tabWidth_; }
    void SetTabWidth(int value);

    /// The rectangle of a visible tab: tabs sit side by side along the top from x = 2,
    /// each as wide as its caption plus 12 (or TabWidth), as high as a text line plus 6
    /// (or TabHeight).
    TRect TabRect(int tabIndex) const;
    /// The canvas being painted on, for OnDrawTab handlers; nullptr outside Paint.
    TCanvas* Canvas() const noexcept { return canvas_; }

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;
    TDrawTabEvent OnDrawTab;

    void Paint(TCanvas& canvas) override;
    unsigned DialogCode() const override { return DLGC_WANTARROWS; }
    void KeyDown(Word& key, TShiftState shift) override;
    TUserResult UserChoose(int tabIndex) override;
    int UserChoiceIndex(std::string_view caption) const override;

protected:
    /// Asks OnChanging; true when the change may happen.
    virtual bool CanChange();
    virtual void Change();
    /// Draws one tab: OnDrawTab when assigned, otherwise DrawTabDefault.
    virtual void DrawTab(TCanvas& canvas, int tabIndex, const TRect& rect, bool active);
    virtual void DrawTabDefault(TCanvas& canvas, int tabIndex, const TRect& rect, bool active);
    void AdjustClientRect(TRect& rect) const override;
    void ContentResized() override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void TabVisibilityChanged(TTabSheet* page);
    void PlacePages();

    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
    TTabPosition tabPosition_ = tpTop;
    TTabStyle style_ = tsTabs;
    bool multiLine_ = false;
    bool ownerDraw_ = false;
    bool hotTrack_ = false;
    int tabHeight_ = 0;
    int tabWidth_ = 0;
    TCanvas* canvas_ = nullptr;
};

} // namespace vondrel
