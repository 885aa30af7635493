#include "ui/ClientDataSet.h"

#include "ui/Errors.h"
#include "ui/RemoteServer.h"

#include "platform/SysUtils.h"

#include <algorithm>

namespace vondrel {

const TEnumInfo& TEnumTraits<TIndexOption>::Info() {
    static const TEnumInfo info("TIndexOption",
                                {"ixPrimary", "ixUnique", "ixDescending", "ixCaseInsensitive"});
    return info;
}

TClientDataSet::TClientDataSet(TComponent* owner) : TDataSet(owner) {
    static const TClassInfo& info =
        DescribeClass<TClientDataSet>("TClientDataSet", [](TClassBuilder<TClientDataSet>& c) {
            c.Property("IndexFieldNames", &TClientDataSet::IndexFieldNames,
                       &TClientDataSet::SetIndexFieldNames);
            c.Property("IndexName", &TClientDataSet::IndexName, &TClientDataSet::SetIndexName);
            c.Property("ProviderName", &TClientDataSet::ProviderName, &TClientDataSet::SetProviderName);
            c.Property("RemoteServer", &TClientDataSet::RemoteServer, &TClientDataSet::SetRemoteServer);
        });
    SetClass(info);
}

TCustomRemoteServer* TClientDataSet::RemoteServer() const noexcept {
    return remoteServer_.Get();
}

void TClientDataSet::SetRemoteServer(TCustomRemoteServer* server) {
    remoteServer_ = server;
}

void TClientDataSet::AddIndex(const std::string& name, const std::string& fields, TIndexOptions options) {
    indexDefs_.push_back({name, fields, options});
}

void TClientDataSet::SetIndexName(const std::string& name) {
    indexName_ = name;
    if (!name.empty())
        indexFieldNames_.clear();
    if (Active()) {
        CheckBrowseMode();
        SortRecords();
        First();
    }
}

void TClientDataSet::SetIndexFieldNames(const std::string& names) {
    indexFieldNames_ = names;
    if (!names.empty())
        indexName_.clear();
    if (Active()) {
        CheckBrowseMode();
        SortRecords();
        First();
    }
}

void TClientDataSet::CreateDataSet() {
    creating_ = true;
    try {
        Open();
    } catch (...) {
        creating_ = false;
        throw;
    }
    creating_ = false;
}

namespace {

[[noreturn]] void BadPacket(const std::string& provider, const std::string& why) {
    throw EDatabaseError("The data of provider '" + provider + "' cannot be read: " + why);
}

} // namespace

void TClientDataSet::LoadData(std::vector<FieldDescription>& fields,
                              std::vector<std::vector<Variant>>& records) {
    if (creating_) {
        for (int i = 0; i < FieldCount(); ++i)
            fields.push_back({Fields(i)->FieldName(), Fields(i)->DataType(), Fields(i)->Size()});
        return;
    }
    TCustomRemoteServer* server = remoteServer_.Get();
    if (providerName_.empty() || !server)
        throw EDatabaseError((Name().empty() ? std::string() : Name() + ": ") +
                             "Missing data provider or data packet");
    Variant appServer = server->AppServer();
    if (!appServer.IsDispatch())
        throw EDatabaseError((Name().empty() ? std::string() : Name() + ": ") +
                             "The remote server is not connected");
    Variant params = params_;
    const Variant packet = appServer.Call("AS_GetRecords", Variant(providerName_), params);

    if (!packet.IsArray() || packet.DimCount() != 1 || packet.HighBound() - packet.LowBound() < 1)
        BadPacket(providerName_, "not an array of field descriptors and rows");
    const Variant& descriptors = packet[packet.LowBound()];
    const Variant& rows = packet[packet.LowBound() + 1];
    if (!descriptors.IsArray() || !rows.IsArray())
        BadPacket(providerName_, "not an array of field descriptors and rows");
    for (int i = descriptors.LowBound(); i <= descriptors.HighBound(); ++i) {
        const Variant& descriptor = descriptors[i];
        if (!descriptor.IsArray() || descriptor.HighBound() - descriptor.LowBound() < 1)
            BadPacket(providerName_, "field descriptor " + std::to_string(i) + " is not [name, type, size]");
        const int low = descriptor.LowBound();
        FieldDescription description;
        description.Name = VarToStr(descriptor[low]);
        const std::string typeText = VarToStr(descriptor[low + 1]);
        description.Type = FieldTypeFromText(typeText);
        if (description.Name.empty())
            BadPacket(providerName_, "field " + std::to_string(i) + " has no name");
        if (description.Type == ftUnknown)
            BadPacket(providerName_,
                      "field '" + description.Name + "' has the unknown type '" + typeText + "'");
        if (descriptor.HighBound() >= low + 2)
            description.Size = StrToIntDef(VarToStr(descriptor[low + 2]), 0);
        fields.push_back(description);
    }
    for (int r = rows.LowBound(); r <= rows.HighBound(); ++r) {
        const Variant& row = rows[r];
        if (!row.IsArray() || row.HighBound() - row.LowBound() + 1 != static_cast<int>(fields.size()))
            BadPacket(providerName_, "row " + std::to_string(r) + " does not hold one value per field");
        std::vector<Variant> record;
        for (int i = row.LowBound(); i <= row.HighBound(); ++i)
            record.push_back(row[i]);
        records.push_back(std::move(record));
    }
}

TClientDataSet::ActiveIndex TClientDataSet::CurrentIndex() const {
    ActiveIndex index;
    std::string names = indexFieldNames_;
    if (!indexName_.empty()) {
        const auto found = std::find_if(indexDefs_.begin(), indexDefs_.end(),
                                        [&](const TIndexDef& def) { return SameText(def.Name, indexName_); });
        if (found == indexDefs_.end())
            throw EDatabaseError("Index '" + indexName_ + "' not found");
        names = found->Fields;
        index.Options = found->Options;
    }
    std::size_t start = 0;
    while (!names.empty() && start <= names.size()) {
        const std::size_t end = names.find(';', start);
        const std::string name = Trim(names.substr(start, end - start));
        if (!name.empty())
            index.Fields.push_back(FieldByName(name)->Index());
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return index;
}

int TClientDataSet::CompareValues(const Variant& a, const Variant& b, TIndexOptions options) const {
    const bool aNull = a.IsNull() || a.IsEmpty();
    const bool bNull = b.IsNull() || b.IsEmpty();
    if (aNull || bNull)
        return aNull == bNull ? 0 : aNull ? -1 : 1;
    if (a.IsNumeric() && b.IsNumeric()) {
        const double x = a.AsDouble();
        const double y = b.AsDouble();
        return x < y ? -1 : x > y ? 1 : 0;
    }
    const std::string x = VarToStr(a);
    const std::string y = VarToStr(b);
    if (options.Contains(ixCaseInsensitive))
        return CompareText(x, y);
    return x.compare(y);
}

void TClientDataSet::SortRecords() {
    if (indexName_.empty() && indexFieldNames_.empty())
        return;
    const ActiveIndex index = CurrentIndex();
    const bool descending = index.Options.Contains(ixDescending);
    std::stable_sort(Records().begin(), Records().end(), [&](const auto& a, const auto& b) {
        for (int field : index.Fields) {
            const int result = CompareValues(a[static_cast<std::size_t>(field)],
                                             b[static_cast<std::size_t>(field)], index.Options);
            if (result != 0)
                return descending ? result > 0 : result < 0;
        }
        return false;
    });
}

bool TClientDataSet::FindKey(const std::vector<Variant>& values) {
    CheckBrowseMode();
    const ActiveIndex index = CurrentIndex();
    if (index.Fields.empty())
        throw EDatabaseError("No index currently active");
    if (values.empty() || values.size() > index.Fields.size())
        throw EDatabaseError("FindKey needs at most one value per index field");
    for (int r = 0; r < RecordCount(); ++r) {
        bool match = true;
        for (std::size_t k = 0; k < values.size() && match; ++k) {
            const Variant key = Fields(index.Fields[k])->Convert(values[k]);
            match = CompareValues(
                        Records()[static_cast<std::size_t>(r)][static_cast<std::size_t>(index.Fields[k])],
                        key, index.Options) == 0;
        }
        if (match) {
            SetRecNo(r + 1);
            return true;
        }
    }
    return false;
}

} // namespace vondrel
