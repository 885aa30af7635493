#pragma once

#include "ui/Component.h"
#include "ui/Field.h"

#include <functional>
#include <vector>

namespace vondrel {

class TDataSource;

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };
template <>
struct TEnumTraits<TDataSetState> {
    static const TEnumInfo& Info();
};

enum TLocateOption { loCaseInsensitive, loPartialKey };
using TLocateOptions = TSet<TLocateOption>;
template <>
struct TEnumTraits<TLocateOption> {
    static const TEnumInfo& Info();
};

using TDataSetNotifyEvent = TEvent<TDataSet*>;

/// Records in memory with a cursor: open and close, move, edit and post. Fields created
/// before opening (persistent fields, with their own labels and events) are kept and
/// matched by name; others are created when the data arrives.
class TDataSet : public TComponent {
public:
    explicit TDataSet(TComponent* owner);
    ~TDataSet() override;

    bool Active() const noexcept { return state_ != dsInactive; }
    void SetActive(bool value);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const noexcept { return state_; }

    int FieldCount() const noexcept { return static_cast<int>(fields_.size()); }
    TField* Fields(int index) const noexcept;
    /// Raises EDatabaseError "Field 'X' not found" when there is no such field.
    TField* FieldByName(std::string_view name) const;
    TField* FindField(std::string_view name) const noexcept;
    /// A persistent field, created now, kept when the dataset opens.
    TField* AddField(const std::string& name, TFieldType type, int size = 0);

    int RecordCount() const noexcept { return static_cast<int>(records_.size()); }
    /// The current record's number from 1; 0 when there is none.
    int RecNo() const noexcept { return current_ >= 0 ? current_ + 1 : 0; }
    void SetRecNo(int number);
    bool IsEmpty() const noexcept { return records_.empty(); }
    bool Eof() const noexcept { return eof_; }
    bool Bof() const noexcept { return bof_; }
    void First();
    void Last();
    void Next();
    void Prior();
    /// Finds the first record whose fields (names separated by ";") hold the values.
    bool Locate(std::string_view fieldNames, const std::vector<Variant>& values, TLocateOptions options = {});

    void Edit();
    void Insert();
    void Append();
    void Post();
    void Cancel();
    void Delete();
    /// Posts a pending edit or insert.
    void CheckBrowseMode();

    void DisableControls() noexcept { ++controlsDisabled_; }
    void EnableControls();

    TDataSetNotifyEvent AfterOpen;
    TDataSetNotifyEvent AfterClose;
    TDataSetNotifyEvent AfterScroll;
    TDataSetNotifyEvent BeforePost;
    TDataSetNotifyEvent AfterPost;
    TDataSetNotifyEvent OnNewRecord;

protected:
    struct FieldDescription {
        std::string Name;
        TFieldType Type = ftString;
        int Size = 0;
    };
    /// Delivers the data on opening: the fields and the records (values in field order).
    virtual void LoadData(std::vector<FieldDescription>& fields,
                          std::vector<std::vector<Variant>>& records) = 0;
    /// Puts the records in the dataset's order (after opening and after a post).
    virtual void SortRecords() {}
    std::vector<std::vector<Variant>>& Records() noexcept { return records_; }
    /// Moves to a record by its position without posting (for derived lookups).
    void MoveTo(int index);
    void ComponentRemoved(TComponent* component) override;

private:
    friend class TField;
    friend class TDataSource;
    Variant FieldValue(int fieldIndex) const;
    void SetFieldValue(int fieldIndex, const Variant& value);
    void DataChanged(TField* field);
    void Scrolled();

    std::vector<TField*> fields_;
    std::vector<TField*> persistent_;
    std::vector<std::vector<Variant>> records_;
    std::vector<Variant> buffer_;
    int current_ = -1;
    bool eof_ = true;
    bool bof_ = true;
    TDataSetState state_ = dsInactive;
    int insertAt_ = -1;
    int controlsDisabled_ = 0;
    std::vector<TDataSource*> sources_;
};

} // namespace vondrel
