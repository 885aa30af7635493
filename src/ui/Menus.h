#pragma once

#include "ui/Component.h"
#include "ui/Types.h"

#include <vector>

namespace vondrel {

/// A menu command. Checking a RadioItem unchecks the other radio items of its GroupIndex
/// among its siblings. Clicking a checked-style item runs OnClick; the handler decides
/// about Checked, as on the platform.
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::string& Caption() const noexcept { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }
    bool Checked() const noexcept { return checked_; }
    void SetChecked(bool value);
    bool RadioItem() const noexcept { return radioItem_; }
    void SetRadioItem(bool value);
    std::uint8_t GroupIndex() const noexcept { return groupIndex_; }
    void SetGroupIndex(std::uint8_t value);
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool value) noexcept { enabled_ = value; }
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool value) noexcept { visible_ = value; }
    bool Default() const noexcept { return default_; }
    void SetDefault(bool value) noexcept { default_ = value; }
    const std::string& Hint() const noexcept { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    int ImageIndex() const noexcept { return imageIndex_; }
    void SetImageIndex(int value) noexcept { imageIndex_ = value; }
    int ShortCut() const noexcept { return shortCut_; }
    void SetShortCut(int value) noexcept { shortCut_ = value; }

    /// The items under this one.
    int Count() const noexcept { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const noexcept;
    TMenuItem* Parent() const noexcept { return parent_; }
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    int IndexOf(const TMenuItem* item) const noexcept;
    /// Visible and enabled, as are the items above it.
    bool Available() const noexcept;

    virtual void Click();

    TNotifyEvent OnClick;

protected:
    void BeforeDestruction() override;

private:
    void TurnSiblingsOff();

    std::string caption_;
    bool checked_ = false;
    bool radioItem_ = false;
    std::uint8_t groupIndex_ = 0;
    bool enabled_ = true;
    bool visible_ = true;
    bool default_ = false;
    std::string hint_;
    int imageIndex_ = -1;
    int shortCut_ = 0;
    TMenuItem* parent_ = nullptr;
    std::vector<TMenuItem*> items_;
};

enum TPopupAlignment { paLeft, paRight, paCenter };
template <>
struct TEnumTraits<TPopupAlignment> {
    static const TEnumInfo& Info();
};

/// A context menu. Popup shows it through the UI driver (OnPopup first) and runs the
/// Click of the item the person chose.
class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);

    TMenuItem* Items() const noexcept { return items_; }
    bool OwnerDraw() const noexcept { return ownerDraw_; }
    void SetOwnerDraw(bool value) noexcept { ownerDraw_ = value; }
    bool AutoPopup() const noexcept { return autoPopup_; }
    void SetAutoPopup(bool value) noexcept { autoPopup_ = value; }
    TPopupAlignment Alignment() const noexcept { return alignment_; }
    void SetAlignment(TPopupAlignment value) noexcept { alignment_ = value; }
    /// The control the menu was last shown for.
    TComponent* PopupComponent() const noexcept { return popupComponent_.Get(); }
    void SetPopupComponent(TComponent* component) { popupComponent_ = component; }

    /// Shows the menu at a screen point; returns the item chosen (already clicked) or nullptr.
    TMenuItem* Popup(int x, int y);
    /// An item anywhere in the menu by name.
    TMenuItem* FindItem(std::string_view name) const noexcept;

    TNotifyEvent OnPopup;

private:
    TMenuItem* items_;
    bool ownerDraw_ = false;
    bool autoPopup_ = true;
    TPopupAlignment alignment_ = paLeft;
    TComponentRef<TComponent> popupComponent_;
};

} // namespace vondrel
