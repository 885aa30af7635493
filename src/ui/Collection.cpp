#include "ui/Collection.h"

#include "ui/Errors.h"

#include <algorithm>

namespace vondrel {

TCollectionItem::TCollectionItem(TCollection* collection) : collection_(collection) {
    static const TClassInfo& info = DescribeClass("TCollectionItem");
    SetClass(info);
}

int TCollectionItem::Index() const noexcept {
    if (!collection_)
        return -1;
    const auto& items = collection_->items_;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].get() == this)
            return static_cast<int>(i);
    return -1;
}

void TCollectionItem::Changed() {
    if (collection_)
        collection_->Update(this);
}

TCollection::TCollection(ItemFactory factory) : factory_(std::move(factory)) {
    static const TClassInfo& info = DescribeClass("TCollection");
    SetClass(info);
}

TCollectionItem* TCollection::Item(int index) const noexcept {
    if (index < 0 || index >= Count())
        return nullptr;
    return items_[static_cast<std::size_t>(index)].get();
}

TCollectionItem* TCollection::AddItem() {
    items_.push_back(factory_(this));
    Update(nullptr);
    return items_.back().get();
}

void TCollection::Delete(int index) {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    items_.erase(items_.begin() + index);
    Update(nullptr);
}

void TCollection::Clear() {
    if (items_.empty())
        return;
    items_.clear();
    Update(nullptr);
}

void TCollection::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0)
        Update(nullptr);
}

void TCollection::Update(TCollectionItem* item) {
    if (updateCount_ == 0 && OnUpdate)
        OnUpdate(item);
}

} // namespace vondrel
