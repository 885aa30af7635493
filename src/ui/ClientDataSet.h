#pragma once

#include "ui/DataSet.h"

#include <vondrel/Variant.h>

namespace vondrel {

class TCustomRemoteServer;

enum TIndexOption { ixPrimary, ixUnique, ixDescending, ixCaseInsensitive };
using TIndexOptions = TSet<TIndexOption>;
template <>
struct TEnumTraits<TIndexOption> {
    static const TEnumInfo& Info();
};

struct TIndexDef {
    std::string Name;
    std::string Fields; ///< field names separated by ";"
    TIndexOptions Options;
};

/// A dataset that fetches its records from a named provider of the application server:
/// on opening it calls the server's AS_GetRecords(ProviderName, Params), which answers
/// [field descriptors, rows] — each descriptor [name, type text, size], each row the
/// values in field order. Records can be edited and posted locally. An index (by name
/// from IndexDefs, or IndexFieldNames) orders the records and FindKey finds one by it.
class TClientDataSet : public TDataSet {
public:
    explicit TClientDataSet(TComponent* owner);

    const std::string& ProviderName() const noexcept { return providerName_; }
    void SetProviderName(const std::string& name) { providerName_ = name; }
    TCustomRemoteServer* RemoteServer() const noexcept;
    void SetRemoteServer(TCustomRemoteServer* server);
    /// Parameters handed to the provider.
    const Variant& Params() const noexcept { return params_; }
    void SetParams(Variant params) { params_ = std::move(params); }

    std::vector<TIndexDef>& IndexDefs() noexcept { return indexDefs_; }
    void AddIndex(const std::string& name, const std::string& fields, TIndexOptions options = {});
    const std::string& IndexName() const noexcept { return indexName_; }
    void SetIndexName(const std::string& name);
    const std::string& IndexFieldNames() const noexcept { return indexFieldNames_; }
    void SetIndexFieldNames(const std::string& names);
    /// Moves to the first record whose index fields hold the values; false when none does.
    bool FindKey(const std::vector<Variant>& values);
    /// Makes an empty dataset of the persistent fields, without a provider.
    void CreateDataSet();

protected:
    void LoadData(std::vector<FieldDescription>& fields, std::vector<std::vector<Variant>>& records) override;
    void SortRecords() override;

private:
    struct ActiveIndex {
        std::vector<int> Fields;
        TIndexOptions Options;
    };
    ActiveIndex CurrentIndex() const;
    int CompareValues(const Variant& a, const Variant& b, TIndexOptions options) const;

    std::string providerName_;
    TComponentRef<TCustomRemoteServer> remoteServer_;
    Variant params_;
    std::vector<TIndexDef> indexDefs_;
    std::string indexName_;
    std::string indexFieldNames_;
    bool creating_ = false;
};

} // namespace vondrel
