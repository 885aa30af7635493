#pragma once

#include "ui/Component.h"

#include <functional>
#include <vector>

namespace vondrel {

class TDataSet;
class TField;

using TDataChangeEvent = TEvent<TObject*, TField*>;

/// Links data-aware controls to a dataset: they hear about every change of the current
/// record (field nullptr: the whole record, after a move, open or close).
class TDataSource : public TComponent {
public:
    explicit TDataSource(TComponent* owner);
    ~TDataSource() override;

    TDataSet* DataSet() const noexcept { return dataSet_; }
    void SetDataSet(TDataSet* dataSet);
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool value) noexcept { enabled_ = value; }

    /// A data-aware control listens (the key identifies it for RemoveLink).
    void AddLink(const void* key, std::function<void(TField*)> listener);
    void RemoveLink(const void* key);

    TDataChangeEvent OnDataChange;

private:
    friend class TDataSet;
    void DataChanged(TField* field);

    TDataSet* dataSet_ = nullptr;
    bool enabled_ = true;
    std::vector<std::pair<const void*, std::function<void(TField*)>>> links_;
};

} // namespace vondrel
