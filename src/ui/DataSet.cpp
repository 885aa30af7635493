#include "ui/DataSet.h"

#include "ui/DataSource.h"
#include "ui/Errors.h"

#include "platform/SysUtils.h"

#include <algorithm>

namespace vondrel {

const TEnumInfo& TEnumTraits<TDataSetState>::Info() {
    static const TEnumInfo info("TDataSetState", {"dsInactive", "dsBrowse", "dsEdit", "dsInsert"});
    return info;
}
const TEnumInfo& TEnumTraits<TLocateOption>::Info() {
    static const TEnumInfo info("TLocateOption", {"loCaseInsensitive", "loPartialKey"});
    return info;
}

TDataSet::TDataSet(TComponent* owner) : TComponent(owner) {
    static const TClassInfo& info = DescribeClass<TDataSet>("TDataSet", [](TClassBuilder<TDataSet>& c) {
        c.Property("Active", &TDataSet::Active, &TDataSet::SetActive);
        c.Event("AfterClose", &TDataSet::AfterClose);
        c.Event("AfterOpen", &TDataSet::AfterOpen);
        c.Event("AfterPost", &TDataSet::AfterPost);
        c.Event("AfterScroll", &TDataSet::AfterScroll);
        c.Event("BeforePost", &TDataSet::BeforePost);
        c.Event("OnNewRecord", &TDataSet::OnNewRecord);
    });
    SetClass(info);
}

TDataSet::~TDataSet() {
    for (TDataSource* source : sources_)
        source->dataSet_ = nullptr;
}

void TDataSet::ComponentRemoved(TComponent* component) {
    fields_.erase(std::remove(fields_.begin(), fields_.end(), component), fields_.end());
    persistent_.erase(std::remove(persistent_.begin(), persistent_.end(), component), persistent_.end());
}

TField* TDataSet::Fields(int index) const noexcept {
    return index >= 0 && index < FieldCount() ? fields_[static_cast<std::size_t>(index)] : nullptr;
}

TField* TDataSet::FindField(std::string_view name) const noexcept {
    for (TField* field : fields_)
        if (SameText(field->FieldName(), name))
            return field;
    return nullptr;
}

TField* TDataSet::FieldByName(std::string_view name) const {
    if (TField* field = FindField(name))
        return field;
    throw EDatabaseError((Name().empty() ? std::string() : Name() + ": ") + "Field '" + std::string(name) +
                         "' not found");
}

TField* TDataSet::AddField(const std::string& name, TFieldType type, int size) {
    if (Active())
        throw EDatabaseError("Cannot perform this operation on an open dataset");
    auto* field = new TField(this);
    field->SetFieldName(name);
    field->SetDataType(type);
    field->SetSize(size);
    field->SetDataSet(this);
    fields_.push_back(field);
    persistent_.push_back(field);
    return field;
}

void TDataSet::SetActive(bool value) {
    if (value == Active())
        return;
    if (!value) {
        records_.clear();
        buffer_.clear();
        current_ = -1;
        eof_ = bof_ = true;
        state_ = dsInactive;
        const std::vector<TField*> dynamic = [&] {
            std::vector<TField*> list;
            for (TField* field : fields_)
                if (std::find(persistent_.begin(), persistent_.end(), field) == persistent_.end())
                    list.push_back(field);
            return list;
        }();
        for (TField* field : dynamic)
            field->Free();
        fields_ = persistent_;
        DataChanged(nullptr);
        if (!Destroying())
            AfterClose(this);
        return;
    }
    std::vector<FieldDescription> descriptions;
    std::vector<std::vector<Variant>> records;
    LoadData(descriptions, records);
    std::vector<TField*> fields;
    for (const FieldDescription& description : descriptions) {
        TField* field = nullptr;
        for (TField* persistent : persistent_)
            if (SameText(persistent->FieldName(), description.Name))
                field = persistent;
        if (!field) {
            field = new TField(this);
            field->SetFieldName(description.Name);
            field->SetDataType(description.Type);
            field->SetSize(description.Size);
            field->SetDataSet(this);
        }
        fields.push_back(field);
    }
    for (TField* persistent : persistent_)
        if (std::find(fields.begin(), fields.end(), persistent) == fields.end()) {
            for (TField* field : fields)
                if (std::find(persistent_.begin(), persistent_.end(), field) == persistent_.end())
                    field->Free();
            throw EDatabaseError((Name().empty() ? std::string() : Name() + ": ") + "Field '" +
                                 persistent->FieldName() + "' not found");
        }
    fields_ = fields;
    records_.clear();
    for (auto& record : records) {
        std::vector<Variant> converted;
        for (std::size_t i = 0; i < record.size(); ++i)
            converted.push_back(fields_[i]->Convert(record[i]));
        records_.push_back(std::move(converted));
    }
    state_ = dsBrowse;
    SortRecords();
    current_ = records_.empty() ? -1 : 0;
    eof_ = bof_ = records_.empty();
    if (!records_.empty())
        bof_ = true;
    DataChanged(nullptr);
    AfterOpen(this);
    Scrolled();
}

Variant TDataSet::FieldValue(int fieldIndex) const {
    if (state_ == dsEdit || state_ == dsInsert)
        return buffer_[static_cast<std::size_t>(fieldIndex)];
    if (current_ < 0 || current_ >= RecordCount())
        return Variant::Null();
    return records_[static_cast<std::size_t>(current_)][static_cast<std::size_t>(fieldIndex)];
}

void TDataSet::SetFieldValue(int fieldIndex, const Variant& value) {
    if (state_ != dsEdit && state_ != dsInsert)
        throw EDatabaseError((Name().empty() ? std::string() : Name() + ": ") +
                             "Dataset not in edit or insert mode");
    buffer_[static_cast<std::size_t>(fieldIndex)] = value;
    DataChanged(fields_[static_cast<std::size_t>(fieldIndex)]);
}

void TDataSet::MoveTo(int index) {
    if (records_.empty()) {
        current_ = -1;
        eof_ = bof_ = true;
        return;
    }
    current_ = std::clamp(index, 0, RecordCount() - 1);
    Scrolled();
}

void TDataSet::Scrolled() {
    DataChanged(nullptr);
    if (!Destroying())
        AfterScroll(this);
}

void TDataSet::First() {
    CheckBrowseMode();
    MoveTo(0);
    bof_ = true;
    eof_ = records_.empty();
}

void TDataSet::Last() {
    CheckBrowseMode();
    MoveTo(RecordCount() - 1);
    eof_ = true;
    bof_ = records_.empty();
}

void TDataSet::Next() {
    CheckBrowseMode();
    if (current_ + 1 >= RecordCount()) {
        eof_ = true;
        return;
    }
    bof_ = false;
    MoveTo(current_ + 1);
    eof_ = false;
}

void TDataSet::Prior() {
    CheckBrowseMode();
    if (current_ <= 0) {
        bof_ = true;
        return;
    }
    eof_ = false;
    MoveTo(current_ - 1);
    bof_ = false;
}

void TDataSet::SetRecNo(int number) {
    CheckBrowseMode();
    if (number >= 1 && number <= RecordCount()) {
        MoveTo(number - 1);
        eof_ = bof_ = false;
    }
}

bool TDataSet::Locate(std::string_view fieldNames, const std::vector<Variant>& values,
                      TLocateOptions options) {
    CheckBrowseMode();
    std::vector<int> indexes;
    std::string names(fieldNames);
    std::size_t start = 0;
    while (start <= names.size()) {
        const std::size_t end = names.find(';', start);
        const std::string name = Trim(names.substr(start, end - start));
        if (!name.empty())
            indexes.push_back(FieldByName(name)->Index());
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    if (indexes.size() != values.size())
        throw EDatabaseError("Locate needs one value per field");
    for (int r = 0; r < RecordCount(); ++r) {
        bool match = true;
        for (std::size_t k = 0; k < indexes.size() && match; ++k) {
            const Variant& stored =
                records_[static_cast<std::size_t>(r)][static_cast<std::size_t>(indexes[k])];
            const std::string a = VarToStr(stored);
            const std::string b = VarToStr(values[k]);
            if (options.Contains(loPartialKey))
                match = options.Contains(loCaseInsensitive) ? StartsText(b, a) : a.rfind(b, 0) == 0;
            else
                match = options.Contains(loCaseInsensitive) ? SameText(a, b) : a == b;
        }
        if (match) {
            MoveTo(r);
            eof_ = bof_ = false;
            return true;
        }
    }
    return false;
}

void TDataSet::Edit() {
    if (state_ == dsEdit || state_ == dsInsert)
        return;
    if (!Active())
        throw EDatabaseError("Cannot perform this operation on a closed dataset");
    if (records_.empty()) {
        Insert();
        return;
    }
    buffer_ = records_[static_cast<std::size_t>(current_)];
    state_ = dsEdit;
    DataChanged(nullptr);
}

void TDataSet::Insert() {
    CheckBrowseMode();
    if (!Active())
        throw EDatabaseError("Cannot perform this operation on a closed dataset");
    buffer_.assign(fields_.size(), Variant::Null());
    insertAt_ = current_ < 0 ? 0 : current_;
    state_ = dsInsert;
    OnNewRecord(this);
    DataChanged(nullptr);
}

void TDataSet::Append() {
    Insert();
    insertAt_ = RecordCount();
}

void TDataSet::Post() {
    if (state_ != dsEdit && state_ != dsInsert)
        return;
    BeforePost(this);
    std::vector<Variant> record = buffer_;
    if (state_ == dsEdit) {
        records_[static_cast<std::size_t>(current_)] = record;
    } else {
        records_.insert(records_.begin() + insertAt_, record);
        current_ = insertAt_;
    }
    state_ = dsBrowse;
    buffer_.clear();
    // Keep the cursor on the posted record when the order puts it elsewhere.
    const std::vector<Variant> posted = records_[static_cast<std::size_t>(current_)];
    SortRecords();
    for (int i = 0; i < RecordCount(); ++i)
        if (records_[static_cast<std::size_t>(i)] == posted) {
            current_ = i;
            break;
        }
    eof_ = bof_ = false;
    DataChanged(nullptr);
    AfterPost(this);
}

void TDataSet::Cancel() {
    if (state_ != dsEdit && state_ != dsInsert)
        return;
    state_ = dsBrowse;
    buffer_.clear();
    DataChanged(nullptr);
}

void TDataSet::Delete() {
    if (state_ == dsInsert) {
        Cancel();
        return;
    }
    if (records_.empty())
        throw EDatabaseError("Cannot perform this operation on an empty dataset");
    state_ = dsBrowse;
    records_.erase(records_.begin() + current_);
    MoveTo(std::min(current_, RecordCount() - 1));
    eof_ = bof_ = records_.empty();
}

void TDataSet::CheckBrowseMode() {
    if (state_ == dsEdit || state_ == dsInsert)
        Post();
}

void TDataSet::EnableControls() {
    if (controlsDisabled_ > 0 && --controlsDisabled_ == 0)
        DataChanged(nullptr);
}

void TDataSet::DataChanged(TField* field) {
    if (controlsDisabled_ > 0 || Destroying())
        return;
    const std::vector<TDataSource*> sources = sources_;
    for (TDataSource* source : sources)
        source->DataChanged(field);
}

} // namespace vondrel
