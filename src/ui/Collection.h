#pragma once

#include "ui/Object.h"

#include <functional>
#include <memory>
#include <vector>

namespace vondrel {

class TCollection;

/// One item of a collection (a list-view column, a status-bar panel).
class TCollectionItem : public TPersistent {
public:
    TCollection* Collection() const noexcept { return collection_; }
    /// The position in the collection.
    int Index() const noexcept;

protected:
    explicit TCollectionItem(TCollection* collection);
    /// Tells the collection (and its owner) that this item changed.
    void Changed();

private:
    friend class TCollection;
    TCollection* collection_;
};

/// An owned, ordered list of items of one class, reached by index.
class TCollection : public TPersistent {
public:
    using ItemFactory = std::function<std::unique_ptr<TCollectionItem>(TCollection*)>;

    int Count() const noexcept { return static_cast<int>(items_.size()); }
    /// The item at the index; nullptr outside the range.
    TCollectionItem* Item(int index) const noexcept;
    TCollectionItem* AddItem();
    void Delete(int index);
    void Clear();
    void BeginUpdate() noexcept { ++updateCount_; }
    void EndUpdate();

    /// Called after every change (item == nullptr: the list itself changed).
    std::function<void(TCollectionItem* item)> OnUpdate;

protected:
    explicit TCollection(ItemFactory factory);
    void Update(TCollectionItem* item);

private:
    friend class TCollectionItem;
    ItemFactory factory_;
    std::vector<std::unique_ptr<TCollectionItem>> items_;
    int updateCount_ = 0;
};

} // namespace vondrel
