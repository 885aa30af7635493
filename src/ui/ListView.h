#pragma once

#include "ui/Collection.h"
#include "ui/Strings.h"
#include "ui/WinControl.h"

#include <functional>
#include <memory>
#include <vector>

namespace vondrel {

class TImageList;
class TListView;

/// A column of a list view in report style. Width -1 fits the contents, -2 the header
/// and the contents.
class TListColumn : public TCollectionItem {
public:
    explicit TListColumn(TCollection* collection);

    const std::string& Caption() const noexcept { return caption_; }
    void SetCaption(const std::string& caption);
    int Width() const noexcept { return width_; }
    void SetWidth(int width);
    TAlignment Alignment() const noexcept { return alignment_; }
    void SetAlignment(TAlignment alignment);
    bool AutoSize() const noexcept { return autoSize_; }
    void SetAutoSize(bool value);
    int ImageIndex() const noexcept { return imageIndex_; }
    void SetImageIndex(int value);

private:
    std::string caption_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = false;
    int imageIndex_ = -1;
};

class TListColumns : public TCollection {
public:
    TListColumns();
    TListColumn* Add();
    TListColumn* Items(int index) const noexcept { return static_cast<TListColumn*>(Item(index)); }
};

/// A row of a list view: its caption (the first column), the texts of the further
/// columns (SubItems), selection, image and an untyped data pointer.
class TListItem : public TPersistent {
public:
    explicit TListItem(TListView* owner);

    TListView* ListView() const noexcept { return owner_; }
    int Index() const noexcept;
    const std::string& Caption() const noexcept { return caption_; }
    void SetCaption(const std::string& caption);
    TStrings* SubItems() const noexcept { return subItems_.get(); }
    bool Selected() const noexcept { return selected_; }
    void SetSelected(bool value);
    bool Focused() const noexcept;
    void SetFocused(bool value);
    int ImageIndex() const noexcept { return imageIndex_; }
    void SetImageIndex(int value);
    int StateIndex() const noexcept { return stateIndex_; }
    void SetStateIndex(int value) noexcept { stateIndex_ = value; }
    bool Checked() const noexcept { return checked_; }
    void SetChecked(bool value);
    void* Data() const noexcept { return data_; }
    void SetData(void* data) noexcept { data_ = data; }
    /// Removes the row from its list view (the item is destroyed).
    void Delete();

private:
    friend class TListView;
    friend class TListItems;
    TListView* owner_;
    std::string caption_;
    std::unique_ptr<TStringList> subItems_;
    bool selected_ = false;
    int imageIndex_ = -1;
    int stateIndex_ = -1;
    bool checked_ = false;
    void* data_ = nullptr;
};

/// The rows of a list view.
class TListItems : public TPersistent {
public:
    explicit TListItems(TListView* owner);

    int Count() const noexcept;
    TListItem* Item(int index) const noexcept;
    TListItem* operator[](int index) const noexcept { return Item(index); }
    TListItem* Add();
    TListItem* Insert(int index);
    void Delete(int index);
    void Clear();
    int IndexOf(const TListItem* item) const noexcept;
    void BeginUpdate() noexcept;
    void EndUpdate();

private:
    TListView* owner_;
};

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum TSortType { stNone, stData, stText, stBoth };
enum TItemChange { ctText, ctImage, ctState };
template <>
struct TEnumTraits<TViewStyle> {
    static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TSortType> {
    static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TItemChange> {
    static const TEnumInfo& Info();
};

using TLVChangeEvent = TEvent<TObject*, TListItem*, TItemChange>;
using TLVChangingEvent = TEvent<TObject*, TListItem*, TItemChange, bool&>;
using TLVSelectItemEvent = TEvent<TObject*, TListItem*, bool>;
using TLVEditingEvent = TEvent<TObject*, TListItem*, bool&>;
using TLVEditedEvent = TEvent<TObject*, TListItem*, std::string&>;
using TLVColumnClickEvent = TEvent<TObject*, TListColumn*>;
using TLVCompareEvent = TEvent<TObject*, TListItem*, TListItem*, int, int&>;
using TLVDeletedEvent = TEvent<TObject*, TListItem*>;

/// A list of rows with columns. Selection changes fire OnChanging (which may refuse),
/// OnChange and OnSelectItem, from code as from the user. A sorted list (SortType
/// stText or stBoth) keeps its rows in caption order, through OnCompare when assigned.
/// Captions can be edited in place unless ReadOnly: OnEditing may refuse, OnEdited may
/// change the new caption before it is taken.
class TListView : public TWinControl {
public:
    explicit TListView(TComponent* owner);
    ~TListView() override;

    TListColumns* Columns() const noexcept { return columns_.get(); }
    TListItems* Items() const noexcept { return items_.get(); }
    TViewStyle ViewStyle() const noexcept { return viewStyle_; }
    void SetViewStyle(TViewStyle value);
    bool RowSelect() const noexcept { return rowSelect_; }
    void SetRowSelect(bool value) noexcept { rowSelect_ = value; }
    bool GridLines() const noexcept { return gridLines_; }
    void SetGridLines(bool value) noexcept { gridLines_ = value; }
    bool ReadOnly() const noexcept { return readOnly_; }
    void SetReadOnly(bool value) noexcept { readOnly_ = value; }
    bool MultiSelect() const noexcept { return multiSelect_; }
    void SetMultiSelect(bool value);
    bool HideSelection() const noexcept { return hideSelection_; }
    void SetHideSelection(bool value) noexcept { hideSelection_ = value; }
    bool ShowColumnHeaders() const noexcept { return showColumnHeaders_; }
    void SetShowColumnHeaders(bool value) noexcept { showColumnHeaders_ = value; }
    bool ColumnClick() const noexcept { return columnClick_; }
    void SetColumnClick(bool value) noexcept { columnClick_ = value; }
    bool Checkboxes() const noexcept { return checkboxes_; }
    void SetCheckboxes(bool value) noexcept { checkboxes_ = value; }
    TSortType SortType() const noexcept { return sortType_; }
    void SetSortType(TSortType value);
    TImageList* LargeImages() const noexcept;
    void SetLargeImages(TImageList* images);
    TImageList* SmallImages() const noexcept;
    void SetSmallImages(TImageList* images);

    /// The first selected row, or nullptr.
    TListItem* Selected() const noexcept;
    void SetSelected(TListItem* item);
    int SelCount() const noexcept;
    int ItemIndex() const noexcept;
    void SetItemIndex(int index);
    TListItem* ItemFocused() const noexcept { return focused_; }
    void SetItemFocused(TListItem* item) noexcept { focused_ = item; }
    void ClearSelection();

    /// Sorts by OnCompare, or by caption when it is not assigned.
    void AlphaSort();
    void CustomSort(const std::function<int(const TListItem&, const TListItem&)>& compare);
    /// Edits a caption in place as the user does: OnEditing, then OnEdited with the new
    /// text, which becomes the caption. False when refused.
    bool EditCaption(TListItem* item, const std::string& text);

    TLVChangeEvent OnChange;
    TLVChangingEvent OnChanging;
    TLVSelectItemEvent OnSelectItem;
    TLVEditingEvent OnEditing;
    TLVEditedEvent OnEdited;
    TLVColumnClickEvent OnColumnClick;
    TLVCompareEvent OnCompare;
    TLVDeletedEvent OnDeletion;

    unsigned DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
    void KeyDown(Word& key, TShiftState shift) override;
    TUserResult UserChoose(int row) override;
    int UserChoiceIndex(std::string_view caption) const override;
    TUserResult UserSelect(std::span<const int> rows) override;
    /// A click on a column header: OnColumnClick.
    TUserResult UserClickColumn(int column);

    void Paint(TCanvas& canvas) override;

private:
    friend class TListItem;
    friend class TListItems;
    bool ItemChanging(TListItem* item, TItemChange change);
    void ItemChanged(TListItem* item, TItemChange change);
    void CaptionChanged();
    int Compare(TListItem* a, TListItem* b);

    std::unique_ptr<TListColumns> columns_;
    std::unique_ptr<TListItems> items_;
    std::vector<std::unique_ptr<TListItem>> rows_;
    TViewStyle viewStyle_ = vsIcon;
    bool rowSelect_ = false;
    bool gridLines_ = false;
    bool readOnly_ = false;
    bool multiSelect_ = false;
    bool hideSelection_ = true;
    bool showColumnHeaders_ = true;
    bool columnClick_ = true;
    bool checkboxes_ = false;
    TSortType sortType_ = stNone;
    TComponentRef<TImageList> largeImages_;
    TComponentRef<TImageList> smallImages_;
    TListItem* focused_ = nullptr;
    int updateCount_ = 0;
    bool sorting_ = false;
};

} // namespace vondrel
