#include "ui/ListView.h"

#include "ui/Canvas.h"
#include "ui/Errors.h"
#include "ui/ImageList.h"

#include "platform/SysUtils.h"

#include <algorithm>

namespace vondrel {

const TEnumInfo& TEnumTraits<TViewStyle>::Info() {
    static const TEnumInfo info("TViewStyle", {"vsIcon", "vsSmallIcon", "vsList", "vsReport"});
    return info;
}
const TEnumInfo& TEnumTraits<TSortType>::Info() {
    static const TEnumInfo info("TSortType", {"stNone", "stData", "stText", "stBoth"});
    return info;
}
const TEnumInfo& TEnumTraits<TItemChange>::Info() {
    static const TEnumInfo info("TItemChange", {"ctText", "ctImage", "ctState"});
    return info;
}

TListColumn::TListColumn(TCollection* collection) : TCollectionItem(collection) {
    static const TClassInfo& info =
        DescribeClass<TListColumn>("TListColumn", [](TClassBuilder<TListColumn>& c) {
            c.Property("Alignment", &TListColumn::Alignment, &TListColumn::SetAlignment);
            c.Property("AutoSize", &TListColumn::AutoSize, &TListColumn::SetAutoSize);
            c.Property("Caption", &TListColumn::Caption, &TListColumn::SetCaption);
            c.Property("ImageIndex", &TListColumn::ImageIndex, &TListColumn::SetImageIndex);
            c.Property("Width", &TListColumn::Width, &TListColumn::SetWidth);
        });
    SetClass(info);
}

void TListColumn::SetCaption(const std::string& caption) {
    caption_ = caption;
    Changed();
}

void TListColumn::SetWidth(int width) {
    width_ = width;
    Changed();
}

void TListColumn::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Changed();
}

void TListColumn::SetAutoSize(bool value) {
    autoSize_ = value;
    Changed();
}

void TListColumn::SetImageIndex(int value) {
    imageIndex_ = value;
    Changed();
}

TListColumns::TListColumns()
    : TCollection([](TCollection* owner) { return std::make_unique<TListColumn>(owner); }) {
    static const TClassInfo& info = DescribeClass("TListColumns");
    SetClass(info);
}

TListColumn* TListColumns::Add() {
    return static_cast<TListColumn*>(AddItem());
}

TListItem::TListItem(TListView* owner) : owner_(owner), subItems_(std::make_unique<TStringList>()) {
    static const TClassInfo& info = DescribeClass<TListItem>("TListItem", [](TClassBuilder<TListItem>& c) {
        c.Property("Caption", &TListItem::Caption, &TListItem::SetCaption);
        c.Property("Checked", &TListItem::Checked, &TListItem::SetChecked);
        c.Property("ImageIndex", &TListItem::ImageIndex, &TListItem::SetImageIndex);
        c.Property("Selected", &TListItem::Selected, &TListItem::SetSelected);
        c.Property("StateIndex", &TListItem::StateIndex, &TListItem::SetStateIndex);
        c.Property("SubItems", &TListItem::SubItems);
    });
    SetClass(info);
    subItems_->OnChange = [this](TObject*) {
        if (owner_)
            owner_->ItemChanged(this, ctText);
    };
}

int TListItem::Index() const noexcept {
    return owner_ ? owner_->items_->IndexOf(this) : -1;
}

void TListItem::SetCaption(const std::string& caption) {
    if (caption == caption_)
        return;
    if (owner_ && !owner_->ItemChanging(this, ctText))
        return;
    caption_ = caption;
    if (owner_) {
        owner_->ItemChanged(this, ctText);
        owner_->CaptionChanged();
    }
}

void TListItem::SetSelected(bool value) {
    if (value == selected_ || !owner_)
        return;
    if (value && !owner_->multiSelect_)
        for (const auto& row : owner_->rows_)
            if (row.get() != this && row->selected_)
                row->SetSelected(false);
    if (!owner_->ItemChanging(this, ctState))
        return;
    selected_ = value;
    owner_->ItemChanged(this, ctState);
    if (!owner_->Destroying())
        owner_->OnSelectItem(owner_, this, value);
}

bool TListItem::Focused() const noexcept {
    return owner_ && owner_->focused_ == this;
}

void TListItem::SetFocused(bool value) {
    if (!owner_)
        return;
    if (value)
        owner_->focused_ = this;
    else if (owner_->focused_ == this)
        owner_->focused_ = nullptr;
}

void TListItem::SetImageIndex(int value) {
    if (value == imageIndex_)
        return;
    imageIndex_ = value;
    if (owner_)
        owner_->ItemChanged(this, ctImage);
}

void TListItem::SetChecked(bool value) {
    if (value == checked_)
        return;
    checked_ = value;
    if (owner_)
        owner_->ItemChanged(this, ctState);
}

void TListItem::Delete() {
    if (owner_)
        owner_->items_->Delete(Index());
}

TListItems::TListItems(TListView* owner) : owner_(owner) {
    static const TClassInfo& info = DescribeClass("TListItems");
    SetClass(info);
}

int TListItems::Count() const noexcept {
    return static_cast<int>(owner_->rows_.size());
}

TListItem* TListItems::Item(int index) const noexcept {
    return index >= 0 && index < Count() ? owner_->rows_[static_cast<std::size_t>(index)].get() : nullptr;
}

TListItem* TListItems::Add() {
    return Insert(Count());
}

TListItem* TListItems::Insert(int index) {
    if (index < 0 || index > Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    auto& rows = owner_->rows_;
    rows.insert(rows.begin() + index, std::make_unique<TListItem>(owner_));
    owner_->Invalidate();
    return rows[static_cast<std::size_t>(index)].get();
}

void TListItems::Delete(int index) {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    auto& rows = owner_->rows_;
    TListItem* item = rows[static_cast<std::size_t>(index)].get();
    if (!owner_->Destroying())
        owner_->OnDeletion(owner_, item);
    if (owner_->focused_ == item)
        owner_->focused_ = nullptr;
    // The row goes first, so that handlers asked about the selection no longer see it.
    std::unique_ptr<TListItem> removed = std::move(rows[static_cast<std::size_t>(index)]);
    rows.erase(rows.begin() + index);
    removed->owner_ = nullptr;
    owner_->Invalidate();
}

void TListItems::Clear() {
    while (Count() > 0)
        Delete(Count() - 1);
}

int TListItems::IndexOf(const TListItem* item) const noexcept {
    const auto& rows = owner_->rows_;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].get() == item)
            return static_cast<int>(i);
    return -1;
}

void TListItems::BeginUpdate() noexcept {
    ++owner_->updateCount_;
}

void TListItems::EndUpdate() {
    if (owner_->updateCount_ > 0 && --owner_->updateCount_ == 0) {
        owner_->CaptionChanged();
        owner_->Invalidate();
    }
}

TListView::TListView(TComponent* owner)
    : TWinControl(owner), columns_(std::make_unique<TListColumns>()),
      items_(std::make_unique<TListItems>(this)) {
    static const TClassInfo& info = DescribeClass<TListView>("TListView", [](TClassBuilder<TListView>& c) {
        c.Property("Checkboxes", &TListView::Checkboxes, &TListView::SetCheckboxes);
        c.Property("ColumnClick", &TListView::ColumnClick, &TListView::SetColumnClick);
        c.Property("Columns", &TListView::Columns);
        c.Property("GridLines", &TListView::GridLines, &TListView::SetGridLines);
        c.Property("HideSelection", &TListView::HideSelection, &TListView::SetHideSelection);
        c.Property("Items", &TListView::Items);
        c.Property("LargeImages", &TListView::LargeImages, &TListView::SetLargeImages);
        c.Property("MultiSelect", &TListView::MultiSelect, &TListView::SetMultiSelect);
        c.Property("ReadOnly", &TListView::ReadOnly, &TListView::SetReadOnly);
        c.Property("RowSelect", &TListView::RowSelect, &TListView::SetRowSelect);
        c.Property("ShowColumnHeaders", &TListView::ShowColumnHeaders, &TListView::SetShowColumnHeaders);
        c.Property("SmallImages", &TListView::SmallImages, &TListView::SetSmallImages);
        c.Property("SortType", &TListView::SortType, &TListView::SetSortType);
        c.Property("ViewStyle", &TListView::ViewStyle, &TListView::SetViewStyle);
        c.Publish({"Align",       "BiDiMode",   "Color",          "Ctl3D",      "Enabled",  "Font",
                   "ParentColor", "ParentFont", "ParentShowHint", "PopupMenu",  "ShowHint", "TabOrder",
                   "TabStop",     "Visible",    "OnClick",        "OnDblClick", "OnEnter",  "OnExit",
                   "OnKeyDown",   "OnKeyPress", "OnKeyUp"});
        c.Event("OnChange", &TListView::OnChange);
        c.Event("OnChanging", &TListView::OnChanging);
        c.Event("OnColumnClick", &TListView::OnColumnClick);
        c.Event("OnCompare", &TListView::OnCompare);
        c.Event("OnDeletion", &TListView::OnDeletion);
        c.Event("OnEdited", &TListView::OnEdited);
        c.Event("OnEditing", &TListView::OnEditing);
        c.Event("OnSelectItem", &TListView::OnSelectItem);
    });
    SetClass(info);
    SetTabStop(true);
    SetBounds(0, 0, 250, 150);
    columns_->OnUpdate = [this](TCollectionItem*) { Invalidate(); };
}

TListView::~TListView() = default;

void TListView::SetViewStyle(TViewStyle value) {
    viewStyle_ = value;
    Invalidate();
}

void TListView::SetMultiSelect(bool value) {
    multiSelect_ = value;
    if (!value) {
        bool first = true;
        for (const auto& row : rows_)
            if (row->selected_) {
                if (!first)
                    row->SetSelected(false);
                first = false;
            }
    }
}

void TListView::SetSortType(TSortType value) {
    sortType_ = value;
    if (value != stNone)
        AlphaSort();
}

TImageList* TListView::LargeImages() const noexcept {
    return largeImages_.Get();
}

void TListView::SetLargeImages(TImageList* images) {
    largeImages_ = images;
}

TImageList* TListView::SmallImages() const noexcept {
    return smallImages_.Get();
}

void TListView::SetSmallImages(TImageList* images) {
    smallImages_ = images;
}

TListItem* TListView::Selected() const noexcept {
    for (const auto& row : rows_)
        if (row->selected_)
            return row.get();
    return nullptr;
}

void TListView::SetSelected(TListItem* item) {
    if (!item) {
        ClearSelection();
        return;
    }
    if (multiSelect_)
        for (const auto& row : rows_)
            if (row.get() != item)
                row->SetSelected(false);
    item->SetSelected(true);
}

int TListView::SelCount() const noexcept {
    return static_cast<int>(
        std::count_if(rows_.begin(), rows_.end(), [](const auto& row) { return row->selected_; }));
}

int TListView::ItemIndex() const noexcept {
    const TListItem* item = Selected();
    return item ? item->Index() : -1;
}

void TListView::SetItemIndex(int index) {
    SetSelected(items_->Item(index));
}

void TListView::ClearSelection() {
    for (const auto& row : rows_)
        row->SetSelected(false);
}

bool TListView::ItemChanging(TListItem* item, TItemChange change) {
    bool allow = true;
    if (!Destroying() && updateCount_ == 0)
        OnChanging(this, item, change, allow);
    return allow;
}

void TListView::ItemChanged(TListItem* item, TItemChange change) {
    if (!Destroying() && updateCount_ == 0)
        OnChange(this, item, change);
    Invalidate();
}

void TListView::CaptionChanged() {
    if ((sortType_ == stText || sortType_ == stBoth) && updateCount_ == 0 && !sorting_)
        AlphaSort();
}

int TListView::Compare(TListItem* a, TListItem* b) {
    if (OnCompare) {
        int result = 0;
        OnCompare(this, a, b, 0, result);
        return result;
    }
    const int caseless = CompareText(a->caption_, b->caption_);
    return caseless != 0 ? caseless : a->caption_.compare(b->caption_);
}

void TListView::AlphaSort() {
    sorting_ = true;
    std::stable_sort(rows_.begin(), rows_.end(),
                     [this](const auto& a, const auto& b) { return Compare(a.get(), b.get()) < 0; });
    sorting_ = false;
    Invalidate();
}

void TListView::CustomSort(const std::function<int(const TListItem&, const TListItem&)>& compare) {
    std::stable_sort(rows_.begin(), rows_.end(),
                     [&](const auto& a, const auto& b) { return compare(*a, *b) < 0; });
    Invalidate();
}

bool TListView::EditCaption(TListItem* item, const std::string& text) {
    if (!item || item->owner_ != this || readOnly_)
        return false;
    bool allow = true;
    OnEditing(this, item, allow);
    if (!allow)
        return false;
    std::string caption = text;
    TComponentRef<TListView> self(this);
    OnEdited(this, item, caption);
    if (self && item->owner_ == this)
        item->SetCaption(caption);
    return true;
}

void TListView::KeyDown(Word& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if ((key != VK_UP && key != VK_DOWN) || rows_.empty())
        return;
    const int current = focused_ ? focused_->Index() : ItemIndex();
    const int next =
        std::clamp(current < 0 ? 0 : current + (key == VK_DOWN ? 1 : -1), 0, items_->Count() - 1);
    TListItem* item = items_->Item(next);
    SetSelected(item);
    focused_ = item;
}

TUserResult TListView::UserChoose(int row) {
    const int rows[] = {row};
    return UserSelect(rows);
}

int TListView::UserChoiceIndex(std::string_view caption) const {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i]->caption_ == caption)
            return static_cast<int>(i);
    return -1;
}

TUserResult TListView::UserSelect(std::span<const int> rows) {
    for (int row : rows)
        if (!items_->Item(row))
            return TUserResult::Refused(Name() + " has no row " + std::to_string(row));
    if (rows.size() > 1 && !multiSelect_)
        return TUserResult::Refused(Name() + " selects one row at a time");
    std::vector<TListItem*> chosen;
    for (int row : rows)
        chosen.push_back(items_->Item(row));
    std::vector<TListItem*> all;
    for (const auto& row : rows_)
        all.push_back(row.get());
    for (TListItem* row : all)
        if (std::find(chosen.begin(), chosen.end(), row) == chosen.end())
            row->SetSelected(false);
    for (TListItem* item : chosen)
        item->SetSelected(true);
    if (!chosen.empty())
        focused_ = chosen.back();
    Click();
    return TUserResult::Done();
}

TUserResult TListView::UserClickColumn(int column) {
    TListColumn* col = columns_->Items(column);
    if (!col || viewStyle_ != vsReport || !showColumnHeaders_)
        return TUserResult::Refused(Name() + " shows no column header " + std::to_string(column));
    if (columnClick_ && !Destroying())
        OnColumnClick(this, col);
    return TUserResult::Done();
}

void TListView::Paint(TCanvas& canvas) {
    TWinControl::Paint(canvas);
    canvas.Font()->Assign(*Font());
    const int line = Font()->TextHeight() + 2;
    int top = 0;
    if (viewStyle_ == vsReport && showColumnHeaders_) {
        int left = 0;
        for (int i = 0; i < columns_->Count(); ++i) {
            const TListColumn* column = columns_->Items(i);
            const int width = column->Width() > 0 ? column->Width() : 50;
            canvas.DrawText(column->Caption(), Bounds(left, top, width, line), DT_SINGLELINE | DT_VCENTER);
            left += width;
        }
        top += line;
    }
    for (const auto& row : rows_) {
        if (row->selected_ && (!hideSelection_ || Focused())) {
            canvas.SetBrushColor(clHighlight);
            canvas.FillRect(Bounds(0, top, Width(), line));
        }
        canvas.DrawText(row->caption_, Bounds(2, top, Width(), line),
                        DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        top += line;
    }
}

} // namespace vondrel
