#include "ui/DataSource.h"

#include "ui/DataSet.h"

#include <algorithm>

namespace vondrel {

TDataSource::TDataSource(TComponent* owner) : TComponent(owner) {
    static const TClassInfo& info =
        DescribeClass<TDataSource>("TDataSource", [](TClassBuilder<TDataSource>& c) {
            c.Property("DataSet", &TDataSource::DataSet, &TDataSource::SetDataSet);
            c.Property("Enabled", &TDataSource::Enabled, &TDataSource::SetEnabled);
            c.Event("OnDataChange", &TDataSource::OnDataChange);
        });
    SetClass(info);
}

TDataSource::~TDataSource() {
    SetDataSet(nullptr);
}

void TDataSource::SetDataSet(TDataSet* dataSet) {
    if (dataSet == dataSet_)
        return;
    if (dataSet_) {
        auto& sources = dataSet_->sources_;
        sources.erase(std::remove(sources.begin(), sources.end(), this), sources.end());
    }
    dataSet_ = dataSet;
    if (dataSet_)
        dataSet_->sources_.push_back(this);
    DataChanged(nullptr);
}

void TDataSource::AddLink(const void* key, std::function<void(TField*)> listener) {
    RemoveLink(key);
    links_.emplace_back(key, std::move(listener));
}

void TDataSource::RemoveLink(const void* key) {
    links_.erase(
        std::remove_if(links_.begin(), links_.end(), [key](const auto& link) { return link.first == key; }),
        links_.end());
}

void TDataSource::DataChanged(TField* field) {
    if (!enabled_ || Destroying())
        return;
    const auto links = links_;
    for (const auto& link : links)
        link.second(field);
    OnDataChange(this, field);
}

} // namespace vondrel
