#pragma once

#include "ui/MaskEdit.h"

namespace vondrel {

class TDataSource;
class TField;

/// An edit bound to a field of the current record: it shows the field's text (its
/// display text when it has no focus); typing puts the dataset into edit state, and
/// leaving the edit stores the typed text in the field.
class TDBEdit : public TCustomMaskEdit {
public:
    explicit TDBEdit(TComponent* owner);
    ~TDBEdit() override;

    TDataSource* DataSource() const noexcept;
    void SetDataSource(TDataSource* source);
    const std::string& DataField() const noexcept { return dataField_; }
    void SetDataField(const std::string& name);
    /// The field the edit shows, or nullptr.
    TField* Field() const;

    void KeyPress(char32_t& key) override;
    void DoEnter() override;
    void DoExit() override;
    TUserResult UserCanType() const override;

protected:
    void BeforeDestruction() override;

private:
    void Refresh(TField* changed);
    /// Puts the dataset into edit state for typing; false when it cannot be edited.
    bool StartEdit();

    TComponentRef<TDataSource> dataSource_;
    std::string dataField_;
    bool refreshing_ = false;
};

} // namespace vondrel
