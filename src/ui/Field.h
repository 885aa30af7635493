#pragma once

#include "ui/Component.h"

#include <vondrel/Variant.h>

namespace vondrel {

class TDataSet;

enum TFieldType {
    ftUnknown,
    ftString,
    ftSmallint,
    ftInteger,
    ftWord,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD,
    ftDate,
    ftTime,
    ftDateTime,
    ftMemo,
    ftWideString,
    ftLargeint,
    ftFixedChar
};
template <>
struct TEnumTraits<TFieldType> {
    static const TEnumInfo& Info();
};

class TField;
/// Sender, the text to show (or to edit), whether it is for display.
using TFieldGetTextEvent = TEvent<TField*, std::string&, bool>;
using TFieldSetTextEvent = TEvent<TField*, const std::string&>;
using TFieldNotifyEvent = TEvent<TField*>;

/// A column of a dataset, reading and writing the current record. Text goes through
/// OnGetText and OnSetText when they are assigned.
class TField : public TComponent {
public:
    explicit TField(TComponent* owner);

    const std::string& FieldName() const noexcept { return fieldName_; }
    void SetFieldName(const std::string& name) { fieldName_ = name; }
    TFieldType DataType() const noexcept { return dataType_; }
    void SetDataType(TFieldType type) noexcept { dataType_ = type; }
    int Size() const noexcept { return size_; }
    void SetSize(int size) noexcept { size_ = size; }
    /// The caption shown for the field; its name until set.
    std::string DisplayLabel() const { return displayLabel_.empty() ? fieldName_ : displayLabel_; }
    void SetDisplayLabel(const std::string& label) { displayLabel_ = label; }
    int DisplayWidth() const noexcept { return displayWidth_ > 0 ? displayWidth_ : size_; }
    void SetDisplayWidth(int width) noexcept { displayWidth_ = width; }
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool value) noexcept { visible_ = value; }
    bool ReadOnly() const noexcept { return readOnly_; }
    void SetReadOnly(bool value) noexcept { readOnly_ = value; }
    int Index() const noexcept;
    TDataSet* DataSet() const noexcept { return dataSet_; }
    void SetDataSet(TDataSet* dataSet);
    bool IsTextField() const noexcept {
        return dataType_ == ftString || dataType_ == ftMemo || dataType_ == ftWideString ||
               dataType_ == ftFixedChar;
    }

    /// The value of the current record (Null when it has none); writing needs the dataset
    /// in edit or insert state.
    Variant Value() const;
    void SetValue(const Variant& value);
    bool IsNull() const;
    void Clear() { SetValue(Variant::Null()); }
    std::string AsString() const;
    void SetAsString(const std::string& text);
    std::int32_t AsInteger() const;
    void SetAsInteger(std::int32_t value) { SetValue(Variant(value)); }
    double AsFloat() const;
    void SetAsFloat(double value) { SetValue(Variant(value)); }
    double AsDateTime() const;
    void SetAsDateTime(double value) { SetValue(Variant::FromDate(value)); }
    bool AsBoolean() const;
    void SetAsBoolean(bool value) { SetValue(Variant(value)); }

    /// The text for editing and for display (through OnGetText).
    std::string Text() const;
    std::string DisplayText() const;
    /// Stores a typed text (through OnSetText).
    void SetText(const std::string& text);

    /// A value converted to this field's type; raises EDatabaseError when it cannot be.
    Variant Convert(const Variant& value) const;

    TFieldGetTextEvent OnGetText;
    TFieldSetTextEvent OnSetText;
    TFieldNotifyEvent OnChange;

private:
    std::string GetText(bool display) const;

    std::string fieldName_;
    TFieldType dataType_ = ftString;
    int size_ = 0;
    std::string displayLabel_;
    int displayWidth_ = 0;
    bool visible_ = true;
    bool readOnly_ = false;
    TDataSet* dataSet_ = nullptr;
};

/// The field type of a descriptor's type text ("String", "Integer", "Float", "Date",
/// "Boolean", also "Memo", "DateTime", "Currency", "LargeInt"); ftUnknown for others.
TFieldType FieldTypeFromText(std::string_view text) noexcept;

} // namespace vondrel
