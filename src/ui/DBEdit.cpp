#include "ui/DBEdit.h"

#include "ui/DataSet.h"
#include "ui/DataSource.h"

namespace vondrel {

TDBEdit::TDBEdit(TComponent* owner) : TCustomMaskEdit(owner) {
    static const TClassInfo& info = DescribeClass<TDBEdit>("TDBEdit", [](TClassBuilder<TDBEdit>& c) {
        c.Property("DataField", &TDBEdit::DataField, &TDBEdit::SetDataField);
        c.Property("DataSource", &TDBEdit::DataSource, &TDBEdit::SetDataSource);
        c.Publish({"Align",      "AutoSelect",     "BiDiMode",   "CharCase",  "Color",       "Ctl3D",
                   "Enabled",    "Font",           "ImeName",    "MaxLength", "ParentColor", "ParentCtl3D",
                   "ParentFont", "ParentShowHint", "PopupMenu",  "ReadOnly",  "ShowHint",    "TabOrder",
                   "TabStop",    "Visible",        "OnChange",   "OnClick",   "OnDblClick",  "OnEnter",
                   "OnExit",     "OnKeyDown",      "OnKeyPress", "OnKeyUp"});
    });
    SetClass(info);
}

TDBEdit::~TDBEdit() = default;

void TDBEdit::BeforeDestruction() {
    if (TDataSource* source = dataSource_.Get())
        source->RemoveLink(this);
    TCustomMaskEdit::BeforeDestruction();
}

TDataSource* TDBEdit::DataSource() const noexcept {
    return dataSource_.Get();
}

void TDBEdit::SetDataSource(TDataSource* source) {
    if (TDataSource* old = dataSource_.Get())
        old->RemoveLink(this);
    dataSource_ = source;
    if (source)
        source->AddLink(this, [this](TField* field) { Refresh(field); });
    Refresh(nullptr);
}

void TDBEdit::SetDataField(const std::string& name) {
    dataField_ = name;
    Refresh(nullptr);
}

TField* TDBEdit::Field() const {
    const TDataSource* source = dataSource_.Get();
    const TDataSet* dataSet = source ? source->DataSet() : nullptr;
    return dataSet && !dataField_.empty() ? dataSet->FindField(dataField_) : nullptr;
}

void TDBEdit::Refresh(TField* changed) {
    if (refreshing_ || Destroying())
        return;
    TField* field = Field();
    if (changed && changed != field)
        return;
    refreshing_ = true;
    const std::string text = !field ? std::string() : Focused() ? field->Text() : field->DisplayText();
    SetText(text, TNotify::No);
    SetModified(false);
    refreshing_ = false;
}

bool TDBEdit::StartEdit() {
    TField* field = Field();
    if (!field || field->ReadOnly())
        return false;
    TDataSet* dataSet = field->DataSet();
    if (!dataSet->Active())
        return false;
    if (dataSet->State() == dsBrowse) {
        refreshing_ = true;
        dataSet->Edit();
        refreshing_ = false;
    }
    return true;
}

void TDBEdit::KeyPress(char32_t& key) {
    if (key >= 32 || key == 8) {
        if (!dataField_.empty() && !StartEdit()) {
            key = 0;
            return;
        }
    }
    TCustomMaskEdit::KeyPress(key);
}

void TDBEdit::DoEnter() {
    if (TField* field = Field()) {
        // Focused, the edit shows the field's editing text instead of its display text.
        refreshing_ = true;
        SetText(field->Text(), TNotify::No);
        refreshing_ = false;
    }
    TCustomMaskEdit::DoEnter();
}

void TDBEdit::DoExit() {
    TField* field = Field();
    if (field && Modified() && !Destroying()) {
        refreshing_ = true;
        try {
            field->SetText(Text());
        } catch (...) {
            refreshing_ = false;
            throw;
        }
        refreshing_ = false;
        SetModified(false);
    }
    TCustomMaskEdit::DoExit();
    if (field && !Destroying()) {
        refreshing_ = true;
        SetText(field->DisplayText(), TNotify::No);
        refreshing_ = false;
    }
}

TUserResult TDBEdit::UserCanType() const {
    if (TUserResult result = TCustomMaskEdit::UserCanType(); !result)
        return result;
    if (!dataField_.empty()) {
        const TField* field = Field();
        if (!field || field->ReadOnly() || !field->DataSet()->Active())
            return TUserResult::Refused(Name() + " cannot edit its field now");
    }
    return TUserResult::Done();
}

} // namespace vondrel
