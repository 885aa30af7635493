#include "ui/Field.h"

#include "ui/DataSet.h"
#include "ui/Errors.h"

#include "platform/DateTime.h"
#include "platform/FormatSettings.h"
#include "platform/SysUtils.h"

#include <cmath>

namespace vondrel {

const TEnumInfo& TEnumTraits<TFieldType>::Info() {
    static const TEnumInfo info("TFieldType",
                                {"ftUnknown", "ftString", "ftSmallint", "ftInteger", "ftWord", "ftBoolean",
                                 "ftFloat", "ftCurrency", "ftBCD", "ftDate", "ftTime", "ftDateTime", "ftMemo",
                                 "ftWideString", "ftLargeint", "ftFixedChar"});
    return info;
}

TFieldType FieldTypeFromText(std::string_view text) noexcept {
    struct Named {
        const char* Name;
        TFieldType Type;
    };
    static constexpr Named kTypes[] = {
        {"String", ftString},     {"Integer", ftInteger},       {"Float", ftFloat},
        {"Date", ftDate},         {"Boolean", ftBoolean},       {"Memo", ftMemo},
        {"DateTime", ftDateTime}, {"Currency", ftCurrency},     {"LargeInt", ftLargeint},
        {"SmallInt", ftSmallint}, {"WideString", ftWideString}, {"Time", ftTime},
    };
    const std::string trimmed = Trim(text);
    for (const Named& named : kTypes)
        if (SameText(named.Name, trimmed))
            return named.Type;
    return ftUnknown;
}

TField::TField(TComponent* owner) : TComponent(owner) {
    static const TClassInfo& info = DescribeClass<TField>("TField", [](TClassBuilder<TField>& c) {
        c.Property("DataType", &TField::DataType);
        c.Property("DisplayLabel", &TField::DisplayLabel, &TField::SetDisplayLabel);
        c.Property("DisplayWidth", &TField::DisplayWidth, &TField::SetDisplayWidth);
        c.Property("FieldName", &TField::FieldName, &TField::SetFieldName);
        c.Property("ReadOnly", &TField::ReadOnly, &TField::SetReadOnly);
        c.Property("Size", &TField::Size, &TField::SetSize);
        c.Property("Visible", &TField::Visible, &TField::SetVisible);
        c.Event("OnChange", &TField::OnChange);
        c.Event("OnGetText", &TField::OnGetText);
        c.Event("OnSetText", &TField::OnSetText);
    });
    SetClass(info);
}

void TField::SetDataSet(TDataSet* dataSet) {
    dataSet_ = dataSet;
}

int TField::Index() const noexcept {
    if (!dataSet_)
        return -1;
    for (int i = 0; i < dataSet_->FieldCount(); ++i)
        if (dataSet_->Fields(i) == this)
            return i;
    return -1;
}

Variant TField::Value() const {
    const int index = Index();
    if (index < 0)
        return Variant::Null();
    return dataSet_->FieldValue(index);
}

void TField::SetValue(const Variant& value) {
    const int index = Index();
    if (index < 0)
        throw EDatabaseError("Field '" + fieldName_ + "' has no dataset");
    if (readOnly_)
        throw EDatabaseError("Field '" + fieldName_ + "' cannot be modified");
    dataSet_->SetFieldValue(index, Convert(value));
    if (!Destroying())
        OnChange(this);
}

bool TField::IsNull() const {
    const Variant value = Value();
    return value.IsNull() || value.IsEmpty();
}

Variant TField::Convert(const Variant& value) const {
    if (value.IsNull() || value.IsEmpty())
        return Variant::Null();
    try {
        switch (dataType_) {
        case ftSmallint:
        case ftInteger:
        case ftWord:
            return Variant(value.AsInteger());
        case ftLargeint:
            return Variant(static_cast<long long>(value.AsInt64()));
        case ftBoolean:
            return Variant(value.AsBoolean());
        case ftFloat:
        case ftCurrency:
        case ftBCD:
            return Variant(value.AsDouble());
        case ftDate:
        case ftTime:
        case ftDateTime: {
            if (value.IsText()) {
                // The suite's dates travel as "yyyymmdd"; others as the platform's texts.
                const std::string text = Trim(value.AsString());
                if (text.size() == 8 && TryStrToInt(text)) {
                    if (const auto date =
                            TryEncodeDate(std::stoi(text.substr(0, 4)), std::stoi(text.substr(4, 2)),
                                          std::stoi(text.substr(6, 2))))
                        return Variant::FromDate(*date);
                    throw EDatabaseError("'" + text + "' is not a valid date");
                }
            }
            return Variant::FromDate(value.AsDate());
        }
        default:
            return Variant(value.AsString());
        }
    } catch (const EVariantError&) {
        throw EDatabaseError("'" + VarToStr(value) + "' is not a valid value for field '" + fieldName_ + "'");
    }
}

std::string TField::AsString() const {
    const Variant value = Value();
    if (value.IsNull() || value.IsEmpty())
        return {};
    switch (dataType_) {
    case ftDate:
        return DateToStr(value.AsDate());
    case ftDateTime:
        return DateTimeToDisplayStr(value.AsDate());
    case ftBoolean:
        return value.AsBoolean() ? "True" : "False";
    default:
        return value.AsString();
    }
}

void TField::SetAsString(const std::string& text) {
    if (text.empty() && !IsTextField()) {
        Clear();
        return;
    }
    SetValue(Variant(text));
}

std::int32_t TField::AsInteger() const {
    const Variant value = Value();
    return value.IsNull() || value.IsEmpty() ? 0 : value.AsInteger();
}

double TField::AsFloat() const {
    const Variant value = Value();
    return value.IsNull() || value.IsEmpty() ? 0.0 : value.AsDouble();
}

double TField::AsDateTime() const {
    const Variant value = Value();
    return value.IsNull() || value.IsEmpty() ? 0.0 : value.AsDate();
}

bool TField::AsBoolean() const {
    const Variant value = Value();
    return !(value.IsNull() || value.IsEmpty()) && value.AsBoolean();
}

std::string TField::GetText(bool display) const {
    std::string text = AsString();
    if (OnGetText)
        OnGetText(const_cast<TField*>(this), text, display);
    return text;
}

std::string TField::Text() const {
    return GetText(false);
}

std::string TField::DisplayText() const {
    return GetText(true);
}

void TField::SetText(const std::string& text) {
    if (OnSetText)
        OnSetText(this, text);
    else
        SetAsString(text);
}

} // namespace vondrel
