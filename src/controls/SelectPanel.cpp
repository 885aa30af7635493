#include "controls/SelectPanel.h"

#include "controls/BitCheckBox.h"
#include "controls/DecimalText.h"
#include "controls/F2Button.h"
#include "controls/LookupRequest.h"

#include "ui/Canvas.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/MaskEdit.h"
#include "ui/Screen.h"
#include "ui/Strings.h"
#include "ui/TextEditing.h"

#include "lib/ClassLocalisation.h"
#include "lib/CodeConverter.h"
#include "lib/DateRoutines.h"
#include "lib/SqlConditions.h"

#include "platform/SysUtils.h"

#include <algorithm>
#include <unordered_set>

namespace vondrel {

const TEnumInfo& TEnumTraits<TSelectStyle>::Info() {
    static const TEnumInfo info("TSelectStyle", {"sp_Range", "sp_Discrete", "sp_UserChoice"});
    return info;
}
const TEnumInfo& TEnumTraits<TValueType>::Info() {
    static const TEnumInfo info("TValueType",
                                {"vt_String", "vt_Number", "vt_Date", "vt_Time", "vt_Float", "vt_OtherMask"});
    return info;
}
const TEnumInfo& TEnumTraits<TDateType>::Info() {
    static const TEnumInfo info(
        "TDateType", {"dt_NoneCare", "dt_YYYYMMDD", "dt_MMDDYYYY", "dt_DDMMYYYY", "dt_YYMMDD", "dt_YYYMMDD"});
    return info;
}
const TEnumInfo& TEnumTraits<TCheckDuplicate>::Info() {
    static const TEnumInfo info("TCheckDuplicate", {"cd_None", "cd_CheckCase", "cd_CaseInsensitive"});
    return info;
}

namespace {

constexpr char kFieldSeparator = '\x03';
constexpr char kColumnSeparator = '\x01';
constexpr char kRowTerminator = '\x04';
constexpr int kLookupColumns = 4;

// Layout measures (pixels).
constexpr int kEditHeight = 21;
constexpr int kButtonSize = 21;
constexpr int kGap = 2;
constexpr int kCheckHeight = 17;

const char* const kDefaultChildHints[] = {
    "用户自定输入方式",  "区间选择-起始信息",     "区间选择-起始信息开窗",
    "区间选择-截止信息", "区间选择-截止信息开窗", "多选-己选择的信息",
    "多选-信息开窗",     "多选-删除一笔信息",     "多选-删除己选信息"};

/// A lookup value as text: empty for what has no text (empty, null, arrays, objects).
std::string ValueText(const Variant& value) {
    if (value.IsEmpty() || value.IsNull() || value.IsArray() || value.IsDispatch())
        return {};
    try {
        return VarToStr(value);
    } catch (const std::exception&) {
        return {};
    }
}

std::string ItemText(const TListItem& item, int column) {
    if (column == 0)
        return item.Caption();
    const TStrings& sub = *item.SubItems();
    return column - 1 < sub.Count() ? sub.Get(column - 1) : std::string();
}

void KeepTwoEntries(TStrings& words) {
    if (words.Count() <= 2)
        return;
    words.BeginUpdate();
    while (words.Count() > 2)
        words.Delete(words.Count() - 1);
    words.EndUpdate();
}

/// Sets an edit's text only when it differs, so that unchanged ends fire no change event.
void PutText(TMaskEdit& edit, const std::string& text) {
    if (edit.Text() != text)
        edit.SetText(text);
}

bool CanTakeFocusNow(const TWinControl& control) {
    const TForm* form = GetParentForm(&control);
    return form && form->Visible() && form->Enabled() && control.CanFocus();
}

} // namespace

TSelectPanel::TSelectPanel(TComponent* owner)
    : TGroupBox(owner), beginWords_(std::make_unique<TStringList>()),
      finalWords_(std::make_unique<TStringList>()), childHints_(std::make_unique<TStringList>()),
      columnCaptions_(std::make_unique<TStringList>()) {
    static const TClassInfo& info =
        DescribeClass<TSelectPanel>("TSelectPanel", [](TClassBuilder<TSelectPanel>& c) {
            c.Property("AutoChangeDateSite", &TSelectPanel::AutoChangeDateSite,
                       &TSelectPanel::SetAutoChangeDateSite);
            c.Property("BeginWords", &TSelectPanel::BeginWords);
            c.Property("CanOpenWin", &TSelectPanel::CanOpenWin, &TSelectPanel::SetCanOpenWin);
            c.Property("CheckDuplicate", &TSelectPanel::CheckDuplicate, &TSelectPanel::SetCheckDuplicate);
            c.Property("ChildHints", &TSelectPanel::ChildHints);
            c.Property("ColumnCaptions", &TSelectPanel::ColumnCaptions);
            c.Property("Columns", &TSelectPanel::Columns, &TSelectPanel::SetColumns);
            c.Property("ColumnsAutoSize", &TSelectPanel::ColumnsAutoSize, &TSelectPanel::SetColumnsAutoSize);
            c.Property("DateSign", &TSelectPanel::DateSign, &TSelectPanel::SetDateSign);
            c.Property("DateType", &TSelectPanel::DateType, &TSelectPanel::SetDateType);
            c.Property("Discard", &TSelectPanel::Discard, &TSelectPanel::SetDiscard);
            c.Property("EditMask", &TSelectPanel::EditMask, &TSelectPanel::SetEditMask);
            c.Property("FinalWords", &TSelectPanel::FinalWords);
            c.Property("GlyphIndex", &TSelectPanel::GlyphIndex, &TSelectPanel::SetGlyphIndex);
            c.Property("HideSelection", &TSelectPanel::HideSelection, &TSelectPanel::SetHideSelection);
            c.Property("HintWord", &TSelectPanel::HintWord, &TSelectPanel::SetHintWord);
            c.Property("Items", &TSelectPanel::Items);
            c.Property("OtherHeight", &TSelectPanel::OtherHeight, &TSelectPanel::SetOtherHeight);
            c.Property("OtherWidth", &TSelectPanel::OtherWidth, &TSelectPanel::SetOtherWidth);
            c.Property("ShowColumnHeader", &TSelectPanel::ShowColumnHeader,
                       &TSelectPanel::SetShowColumnHeader);
            c.Property("SortListBox", &TSelectPanel::SortListBox, &TSelectPanel::SetSortListBox);
            c.Property("Style", &TSelectPanel::Style, &TSelectPanel::SetStyle);
            c.Property("UseDiscard", &TSelectPanel::UseDiscard, &TSelectPanel::SetUseDiscard);
            c.Property("UserChoice", &TSelectPanel::UserChoice, &TSelectPanel::SetUserChoice);
            c.Property("UseVertical", &TSelectPanel::UseVertical, &TSelectPanel::SetUseVertical);
            c.Property("ValueType", &TSelectPanel::ValueType, &TSelectPanel::SetValueType);
            c.Publish({"OnKeyDown", "OnKeyPress", "OnKeyUp"});
            c.Event("OnClearClick", &TSelectPanel::OnClearClick);
            c.Event("OnDeleteClick", &TSelectPanel::OnDeleteClick);
            c.Event("OnItemChange", &TSelectPanel::OnItemChange);
            c.Event("OnItemChanging", &TSelectPanel::OnItemChanging);
            c.Event("OnItemSelect", &TSelectPanel::OnItemSelect);
            c.Event("OnOpenWinClick", &TSelectPanel::OnOpenWinClick);
            c.Event("OnStyleChange", &TSelectPanel::OnStyleChange);
            c.Event("OnStyleChanging", &TSelectPanel::OnStyleChanging);
            c.Event("OnTypeClick", &TSelectPanel::OnTypeClick);
        });
    SetClass(info);
    static const bool localised = [] {
        RegisterClassLocalisation(
            "TSelectPanel",
            {.ConvertTexts =
                 [](TComponent& component, const TCodeConverter& converter) {
                     static_cast<TSelectPanel&>(component).ConvertTexts(converter);
                 },
             .GlyphButtons =
                 [](TComponent& component) { return static_cast<TSelectPanel&>(component).GlyphButtons(); }});
        return true;
    }();
    (void)localised;

    hintWord_ = "区间选择";
    beginWords_->SetText("起\n起");
    finalWords_->SetText("止\n止");
    for (const char* hint : kDefaultChildHints)
        childHints_->Add(hint);
    columnCaptions_->Add("Data");

    CreateParts();
    beginWords_->OnChange = [this](TObject*) {
        KeepTwoEntries(*beginWords_);
        ApplyWords();
    };
    finalWords_->OnChange = [this](TObject*) {
        KeepTwoEntries(*finalWords_);
        ApplyWords();
    };
    childHints_->OnChange = [this](TObject*) { ApplyChildHints(); };
    columnCaptions_->OnChange = [this](TObject*) { CaptionsChanged(); };

    SetBounds(0, 0, 353, 45);
    ShowPages();
    ApplyWords();
    ApplyChildHints();
}

TSelectPanel::~TSelectPanel() {
    // The parts call back into the panel: they go while the panel is still whole.
    while (ComponentCount() > 0)
        Components(ComponentCount() - 1)->Free();
}

void TSelectPanel::CreateParts() {
    choice_ = new TBitCheckBox(this);
    choice_->SetName("chkChoice");
    choice_->SetParent(this);
    choice_->SetCaption(hintWord_);
    choice_->SetChecked(userChoice_, TNotify::No);
    choice_->OnClick = [this](TObject*) { ChoiceBoxClicked(); };

    auto makePage = [this](const char* name) {
        auto* page = new TPanel(this);
        page->SetName(name);
        page->SetParent(this);
        page->SetCaption({});
        page->SetBevelOuter(bvNone);
        page->SetParentColor(true);
        return page;
    };
    auto makeLabel = [this](const char* name, TPanel* page) {
        auto* label = new TLabel(this);
        label->SetName(name);
        label->SetParent(page);
        return label;
    };
    auto makeEdit = [this](const char* name, TPanel* page, TLabel* label) {
        auto* edit = new TMaskEdit(this);
        edit->SetName(name);
        edit->SetParent(page);
        edit->SetText({}, TNotify::No);
        label->SetFocusControl(edit);
        return edit;
    };
    auto makeLookupButton = [this](const char* name, TPanel* page, TSelectPart part) {
        auto* button = new TF2Button(this);
        button->SetName(name);
        button->SetParent(page);
        button->SetAutoAlign(false);
        button->SetGlyphIndex(glyphIndex_);
        button->OnClick = [this, part](TObject*) { OpenLookup(part); };
        return button;
    };

    rangePage_ = makePage("pnlRange");
    fromLabel_ = makeLabel("lblFrom", rangePage_);
    fromEdit_ = makeEdit("edFrom", rangePage_, fromLabel_);
    fromButton_ = makeLookupButton("btnFrom", rangePage_, TSelectPart::FromEdit);
    toLabel_ = makeLabel("lblTo", rangePage_);
    toEdit_ = makeEdit("edTo", rangePage_, toLabel_);
    toButton_ = makeLookupButton("btnTo", rangePage_, TSelectPart::ToEdit);

    listPage_ = makePage("pnlList");
    list_ = new TListView(this);
    list_->SetName("lvList");
    list_->SetParent(listPage_);
    list_->SetViewStyle(vsReport);
    list_->SetMultiSelect(true);
    list_->SetRowSelect(true);
    list_->SetReadOnly(true);
    list_->SetShowColumnHeaders(false);
    list_->Columns()->Add()->SetCaption("Data");
    listButton_ = makeLookupButton("btnList", listPage_, TSelectPart::List);
    deleteButton_ = new TGSpeedButton(this);
    deleteButton_->SetName("btnDelete");
    deleteButton_->SetParent(listPage_);
    deleteButton_->SetFlat(true);
    deleteButton_->SetGlyphIndex(4);
    deleteButton_->OnClick = [this](TObject*) { DeleteSelected(); };
    clearButton_ = new TGSpeedButton(this);
    clearButton_->SetName("btnClear");
    clearButton_->SetParent(listPage_);
    clearButton_->SetFlat(true);
    clearButton_->SetGlyphIndex(6);
    clearButton_->OnClick = [this](TObject*) { Clear(); };

    list_->OnSelectItem = [this](TObject*, TListItem* item, bool selected) {
        OnItemSelect(this, item, item ? item->Index() : -1, selected);
    };
    list_->OnChange = [this](TObject*, TListItem* item, TItemChange change) {
        OnItemChange(this, item, change);
    };
    list_->OnChanging = [this](TObject*, TListItem* item, TItemChange change, bool& allow) {
        OnItemChanging(this, item, change, allow);
    };
    list_->OnColumnClick = [this](TObject*, TListColumn* column) {
        if (column)
            SortByColumn(column->Index());
    };

    for (TWinControl* part : {static_cast<TWinControl*>(choice_), static_cast<TWinControl*>(fromEdit_),
                              static_cast<TWinControl*>(toEdit_), static_cast<TWinControl*>(list_)})
        ForwardKeys(part);

    choice_->SetTabOrder(0);
    rangePage_->SetTabOrder(1);
    listPage_->SetTabOrder(2);
}

void TSelectPanel::ForwardKeys(TWinControl* part) {
    part->OnKeyDown = [this](TObject*, Word& key, TShiftState shift) { OnKeyDown(this, key, shift); };
    part->OnKeyUp = [this](TObject*, Word& key, TShiftState shift) { OnKeyUp(this, key, shift); };
    part->OnKeyPress = [this](TObject*, char32_t& key) { OnKeyPress(this, key); };
}

// ---- mode -------------------------------------------------------------------------------

void TSelectPanel::SetStyle(TSelectStyle style) {
    if (style == style_)
        return;
    bool accept = true;
    TSelectStyle next = style;
    OnStyleChanging(this, style_, next, accept);
    if (!accept || next == style_)
        return;
    const TSelectStyle old = style_;
    style_ = next;
    // A range sits on one line; the other styles need room for the list: the panel keeps
    // both sizes and changes between them, unless a form being built sets its own.
    if ((old == sp_Range) != (next == sp_Range) && !useVertical_ && !Loading()) {
        const int width = Width();
        const int height = Height();
        SetBounds(Left(), Top(), otherWidth_, otherHeight_);
        otherWidth_ = width;
        otherHeight_ = height;
    }
    ShowPages();
    ApplyWords();
    OnStyleChange(this, old, next);
}

void TSelectPanel::SetUserChoice(bool value, TNotify notify) {
    const bool changed = value != userChoice_;
    userChoice_ = value;
    choice_->SetChecked(value, TNotify::No);
    if (!changed || style_ != sp_UserChoice)
        return;
    ShowPages();
    if (notify == TNotify::Yes)
        OnTypeClick(this);
}

bool TSelectPanel::IsRangeMode() const noexcept {
    return style_ == sp_Range || (style_ == sp_UserChoice && userChoice_);
}

void TSelectPanel::ChoiceBoxClicked() {
    userChoice_ = choice_->Checked();
    if (style_ != sp_UserChoice)
        return;
    ShowPages();
    OnTypeClick(this);
}

void TSelectPanel::ShowPages() {
    choice_->SetVisible(style_ == sp_UserChoice);
    const bool range = IsRangeMode();
    // The page that appears first, so that a focus leaving the other has somewhere to go.
    if (range) {
        rangePage_->SetVisible(true);
        listPage_->SetVisible(false);
    } else {
        listPage_->SetVisible(true);
        rangePage_->SetVisible(false);
    }
    LayoutParts();
}

// ---- texts of the parts -----------------------------------------------------------------

void TSelectPanel::SetHintWord(const std::string& word) {
    hintWord_ = word;
    choice_->SetCaption(word);
    LayoutParts();
}

TStrings* TSelectPanel::BeginWords() const noexcept {
    return beginWords_.get();
}

TStrings* TSelectPanel::FinalWords() const noexcept {
    return finalWords_.get();
}

TStrings* TSelectPanel::ChildHints() const noexcept {
    return childHints_.get();
}

void TSelectPanel::ApplyWords() {
    const auto pick = [this](const TStrings& words) -> std::string {
        if (words.Count() == 0)
            return {};
        if (words.Count() == 1)
            return words.Get(0);
        return words.Get(style_ == sp_UserChoice ? 1 : 0);
    };
    fromLabel_->SetCaption(pick(*beginWords_));
    toLabel_->SetCaption(pick(*finalWords_));
    LayoutParts();
}

void TSelectPanel::ApplyChildHints() {
    TControl* const parts[] = {choice_, fromEdit_,   fromButton_,   toEdit_,     toButton_,
                               list_,   listButton_, deleteButton_, clearButton_};
    const int count = std::min<int>(childHints_->Count(), static_cast<int>(std::size(parts)));
    for (int i = 0; i < count; ++i)
        parts[i]->SetHint(childHints_->Get(i));
}

// ---- range ends -------------------------------------------------------------------------

void TSelectPanel::SetEditMask(const std::string& mask) {
    editMask_ = mask;
    fromEdit_->SetEditMask(mask, TNotify::No);
    toEdit_->SetEditMask(mask, TNotify::No);
}

std::string TSelectPanel::FromText() const {
    return fromEdit_->Text();
}

void TSelectPanel::SetFromText(const std::string& text) {
    fromEdit_->SetText(text);
}

std::string TSelectPanel::ToText() const {
    return toEdit_->Text();
}

void TSelectPanel::SetToText(const std::string& text) {
    toEdit_->SetText(text);
}

std::string TSelectPanel::EmptyMaskText() const {
    const TEditMask mask(editMask_);
    if (mask.Empty() || !mask.SaveLiterals())
        return {};
    return FromChars(mask.Format(U"", U' '));
}

bool TSelectPanel::IsPlaceholder(const std::string& end) const {
    return end == EmptyMaskText() || (useDiscard_ && Trim(end) == discard_);
}

void TSelectPanel::PutEndsInOrder() {
    if (!editMask_.starts_with('!')) {
        PutText(*fromEdit_, Trim(fromEdit_->Text()));
        PutText(*toEdit_, Trim(toEdit_->Text()));
    }
    // Read back: a masked edit shows its literals again.
    std::string from = fromEdit_->Text();
    std::string to = toEdit_->Text();
    if (from.empty() || to.empty())
        return;

    bool swap = false;
    switch (valueType_) {
    case vt_Number:
        swap = TryStrToInt64(to).value_or(0) < TryStrToInt64(from).value_or(0);
        break;
    case vt_Date:
        if (!autoChangeDateSite_ || IsPlaceholder(from) || IsPlaceholder(to))
            break;
        if (dateType_ == dt_NoneCare) {
            swap = from > to;
        } else {
            // A text that is no date in the layout is left where the user put it.
            const TDateTime first = ParseDateAs(from, dateType_, dateSign_);
            const TDateTime last = ParseDateAs(to, dateType_, dateSign_);
            swap = first != 0 && last != 0 && first > last;
        }
        break;
    case vt_String:
    case vt_Time:
        swap = !IsPlaceholder(from) && !IsPlaceholder(to) && from > to;
        break;
    case vt_Float: {
        const std::optional<TDecimalText> first = ParseDecimalText(from);
        const std::optional<TDecimalText> last = ParseDecimalText(to);
        if (!first || !last)
            break;
        PutText(*fromEdit_, first->Text());
        PutText(*toEdit_, last->Text());
        from = fromEdit_->Text();
        to = toEdit_->Text();
        swap = CompareDecimal(*last, *first) < 0;
        break;
    }
    case vt_OtherMask:
        break;
    }
    if (swap) {
        fromEdit_->SetText(to);
        toEdit_->SetText(from);
    }
}

void TSelectPanel::DoExit() {
    if (!Destroying())
        PutEndsInOrder();
    TGroupBox::DoExit();
}

// ---- lookup buttons ---------------------------------------------------------------------

void TSelectPanel::SetCanOpenWin(bool value) {
    canOpenWin_ = value;
    for (TF2Button* button : {fromButton_, toButton_, listButton_})
        button->SetVisible(value);
    LayoutParts();
}

void TSelectPanel::SetGlyphIndex(int index) {
    glyphIndex_ = index;
    for (TF2Button* button : {fromButton_, toButton_, listButton_})
        button->SetGlyphIndex(index);
}

TSelectPart TSelectPanel::PartOf(const TControl* control) const noexcept {
    if (!control)
        return TSelectPart::None;
    if (control == fromEdit_)
        return TSelectPart::FromEdit;
    if (control == toEdit_)
        return TSelectPart::ToEdit;
    if (control == list_)
        return TSelectPart::List;
    return TSelectPart::None;
}

TWinControl* TSelectPanel::PartControl(TSelectPart part) const noexcept {
    switch (part) {
    case TSelectPart::FromEdit:
        return fromEdit_;
    case TSelectPart::ToEdit:
        return toEdit_;
    case TSelectPart::List:
        return list_;
    case TSelectPart::None:
        break;
    }
    return nullptr;
}

TSelectPanel* TSelectPanel::OwnerOfPart(const TControl* control) noexcept {
    auto* panel = control ? dynamic_cast<TSelectPanel*>(control->Owner()) : nullptr;
    return panel && panel->PartOf(control) != TSelectPart::None ? panel : nullptr;
}

TWinControl* TSelectPanel::EntryControl() const noexcept {
    return IsRangeMode() ? static_cast<TWinControl*>(fromEdit_) : static_cast<TWinControl*>(list_);
}

void TSelectPanel::OpenLookup(TSelectPart part) {
    TWinControl* control = PartControl(part);
    if (!control)
        return;
    TComponentRef<TSelectPanel> self(this);
    if (!control->Focused() && CanTakeFocusNow(*control))
        control->SetFocus();
    // An exit check elsewhere may keep the focus: then the user finishes there first.
    if (!self || !control->Focused())
        return;
    SendLookupRequest(*this, *control);
    if (self)
        OnOpenWinClick(this, control);
}

bool TSelectPanel::TakeLookupResult(TSelectPart part, const Variant& result, bool allColumns) {
    TWinControl* control = PartControl(part);
    if (!control)
        return false;
    if (result.IsEmpty() || result.IsNull())
        return true;

    const auto join = [this](const TSelectRow& values) {
        // A value that is not empty is followed by Discard when another value comes after it.
        std::string joined;
        for (std::size_t i = 0; i < values.size(); ++i) {
            joined += values[i];
            if (!values[i].empty() && i + 1 < values.size())
                joined += discard_;
        }
        return joined;
    };
    const auto finish = [&](TSelectRow values) {
        if (values.empty())
            return values;
        if (!allColumns && values.size() > kLookupColumns)
            values.resize(kLookupColumns);
        if (useDiscard_)
            return TSelectRow{join(values)};
        return values;
    };

    std::vector<TSelectRow> rows;
    if (!result.IsArray()) {
        rows.push_back(finish({ValueText(result)}));
    } else if (result.DimCount() == 2) {
        for (int i = result.LowBound(1); i <= result.HighBound(1); ++i) {
            TSelectRow values;
            for (int j = result.LowBound(2); j <= result.HighBound(2); ++j)
                values.push_back(ValueText(result.At({i, j})));
            rows.push_back(finish(std::move(values)));
        }
    } else if (result.DimCount() == 1) {
        for (int i = result.LowBound(1); i <= result.HighBound(1); ++i) {
            const Variant& element = result[i];
            TSelectRow values;
            if (element.IsArray() && element.DimCount() == 1)
                for (int j = element.LowBound(1); j <= element.HighBound(1); ++j)
                    values.push_back(ValueText(element[j]));
            else
                values.push_back(ValueText(element));
            rows.push_back(finish(std::move(values)));
        }
    }

    if (part == TSelectPart::List) {
        AddRows(rows);
        return true;
    }
    if (rows.empty() || rows.front().empty())
        return true;
    auto* edit = static_cast<TMaskEdit*>(control);
    edit->SetText(rows.front().front());
    return true;
}

// ---- list settings ----------------------------------------------------------------------

void TSelectPanel::SetCheckDuplicate(TCheckDuplicate value) {
    checkDuplicate_ = value;
    if (value != cd_None)
        SetSortListBox(true);
}

void TSelectPanel::SetSortListBox(bool value) {
    sortListBox_ = value;
    if (value)
        SortRows();
}

int TSelectPanel::Columns() const noexcept {
    return list_->Columns()->Count();
}

void TSelectPanel::SetColumns(int count) {
    count = std::clamp(count, 1, kMaxColumns);
    TListColumns& columns = *list_->Columns();
    while (columns.Count() > count)
        columns.Delete(columns.Count() - 1);
    EnsureColumns(count);
}

void TSelectPanel::EnsureColumns(int count) {
    TListColumns& columns = *list_->Columns();
    const bool grew = columns.Count() < count;
    while (columns.Count() < count)
        columns.Add()->SetCaption("Data" + std::to_string(columns.Count()));
    if (!grew && columnCaptions_->Count() == columns.Count())
        return;
    // The caption list mirrors the columns.
    adjusting_ = true;
    columnCaptions_->BeginUpdate();
    columnCaptions_->Clear();
    for (int i = 0; i < columns.Count(); ++i)
        columnCaptions_->Add(columns.Items(i)->Caption());
    columnCaptions_->EndUpdate();
    adjusting_ = false;
}

TStrings* TSelectPanel::ColumnCaptions() const noexcept {
    return columnCaptions_.get();
}

void TSelectPanel::CaptionsChanged() {
    if (adjusting_)
        return;
    const int count = std::clamp(columnCaptions_->Count(), 1, kMaxColumns);
    TListColumns& columns = *list_->Columns();
    while (columns.Count() > count)
        columns.Delete(columns.Count() - 1);
    while (columns.Count() < count)
        columns.Add();
    for (int i = 0; i < count; ++i)
        columns.Items(i)->SetCaption(i < columnCaptions_->Count() ? columnCaptions_->Get(i) : "Data");
    if (columnCaptions_->Count() != count)
        EnsureColumns(count);
    if (columnsAutoSize_)
        FitColumns();
}

bool TSelectPanel::ShowColumnHeader() const noexcept {
    return list_->ShowColumnHeaders();
}

void TSelectPanel::SetShowColumnHeader(bool value) {
    list_->SetShowColumnHeaders(value);
    if (columnsAutoSize_)
        FitColumns();
}

void TSelectPanel::SetColumnsAutoSize(bool value) {
    columnsAutoSize_ = value;
    if (value)
        FitColumns();
}

bool TSelectPanel::HideSelection() const noexcept {
    return list_->HideSelection();
}

void TSelectPanel::SetHideSelection(bool value) {
    list_->SetHideSelection(value);
}

TListItems* TSelectPanel::Items() const noexcept {
    return list_->Items();
}

// ---- rows -------------------------------------------------------------------------------

int TSelectPanel::RowCount() const noexcept {
    return list_->Items()->Count();
}

TSelectRow TSelectPanel::Row(int index) const {
    const TListItem* item = list_->Items()->Item(index);
    if (!item)
        return {};
    TSelectRow row{item->Caption()};
    const TStrings& sub = *item->SubItems();
    for (int i = 0; i < sub.Count(); ++i)
        row.push_back(sub.Get(i));
    return row;
}

bool TSelectPanel::AddRow(const TSelectRow& values) {
    return AddRows({values}) == 1;
}

int TSelectPanel::AddRows(const std::vector<TSelectRow>& rows) {
    std::vector<const TSelectRow*> taken;
    std::size_t widest = 0;
    for (const TSelectRow& row : rows)
        if (!row.empty() && row.size() <= static_cast<std::size_t>(kMaxColumns)) {
            taken.push_back(&row);
            widest = std::max(widest, row.size());
        }
    if (taken.empty())
        return 0;
    EnsureColumns(static_cast<int>(widest));

    // New rows are no edits of the user's: no change events while they go in.
    TListItems& items = *list_->Items();
    items.BeginUpdate();
    try {
        for (const TSelectRow* row : taken) {
            TListItem* item = items.Add();
            item->SetCaption(row->front());
            for (std::size_t i = 1; i < row->size(); ++i)
                item->SubItems()->Add((*row)[i]);
        }
        PadRows();
    } catch (...) {
        items.EndUpdate();
        throw;
    }
    items.EndUpdate();

    if (sortListBox_)
        SortRows();
    RemoveDuplicates();
    if (columnsAutoSize_)
        FitColumns();
    return static_cast<int>(taken.size());
}

void TSelectPanel::PadRows() {
    TListItems& items = *list_->Items();
    int widest = 0;
    for (int i = 0; i < items.Count(); ++i)
        widest = std::max(widest, items.Item(i)->SubItems()->Count());
    for (int i = 0; i < items.Count(); ++i) {
        TStrings& sub = *items.Item(i)->SubItems();
        while (sub.Count() < widest)
            sub.Add({});
    }
}

void TSelectPanel::RemoveDuplicates() {
    if (checkDuplicate_ == cd_None)
        return;
    // Every later row whose code came before goes, wherever it stands: neighbours alone
    // would miss a repeat that a case-insensitive order put apart.
    TListItems& items = *list_->Items();
    std::unordered_set<std::string> seen;
    std::unordered_set<const TListItem*> repeats;
    for (int i = 0; i < items.Count(); ++i) {
        const TListItem* item = items.Item(i);
        const std::string key =
            checkDuplicate_ == cd_CaseInsensitive ? UpperCase(item->Caption()) : item->Caption();
        if (!seen.insert(key).second)
            repeats.insert(item);
    }
    if (repeats.empty())
        return;
    // Deleting inside the list moves every later row each time, which a long list of
    // repeats turns into a hang: the repeats move behind the rows that stay (a stable
    // order keeps those as they are) and go from the end.
    list_->CustomSort([&repeats](const TListItem& a, const TListItem& b) {
        return static_cast<int>(repeats.count(&a)) - static_cast<int>(repeats.count(&b));
    });
    while (items.Count() > 0 && repeats.count(items.Item(items.Count() - 1)))
        items.Delete(items.Count() - 1);
}

void TSelectPanel::SortByColumn(int column) {
    if (column < 0)
        return;
    if (column == sortColumn_) {
        descending_ = !descending_;
    } else {
        sortColumn_ = column;
        descending_ = false;
    }
    SortRows();
}

void TSelectPanel::SortRows() {
    const int column = sortColumn_;
    const bool descending = descending_;
    list_->CustomSort([column, descending](const TListItem& a, const TListItem& b) {
        int result = CompareText(ItemText(a, column), ItemText(b, column));
        if (result == 0 && column != 0)
            result = CompareText(a.Caption(), b.Caption());
        if (result == 0 && column != 1)
            result = CompareText(ItemText(a, 1), ItemText(b, 1));
        return descending ? -result : result;
    });
}

void TSelectPanel::FitColumns() {
    const TFont& font = *list_->Font();
    TListColumns& columns = *list_->Columns();
    TListItems& items = *list_->Items();
    for (int c = 0; c < columns.Count(); ++c) {
        int width = list_->ShowColumnHeaders() ? font.TextWidth(columns.Items(c)->Caption()) : 0;
        for (int i = 0; i < items.Count(); ++i)
            width = std::max(width, font.TextWidth(ItemText(*items.Item(i), c)));
        columns.Items(c)->SetWidth(width + 12);
    }
}

void TSelectPanel::DeleteSelected() {
    bool accept = true;
    OnDeleteClick(this, accept);
    if (!accept)
        return;
    TListItems& items = *list_->Items();
    for (int i = items.Count() - 1; i >= 0; --i)
        if (items.Item(i)->Selected())
            items.Delete(i);
}

void TSelectPanel::Clear() {
    list_->Items()->Clear();
    TComponentRef<TSelectPanel> self(this);
    if (CanTakeFocusNow(*list_))
        list_->SetFocus();
    if (self)
        OnClearClick(this);
}

void TSelectPanel::ClearValues() {
    fromEdit_->SetText({}, TNotify::No);
    toEdit_->SetText({}, TNotify::No);
    list_->Items()->Clear();
}

// ---- the value and the saved text -------------------------------------------------------

Variant TSelectPanel::SelectionValue() const {
    if (IsRangeMode())
        return VarArrayOf({std::string(1, kRangeMarker), FromText(), ToText()});
    const int count = RowCount();
    Variant value = VarArrayCreate({{0, count}});
    value[0] = std::string(1, kListMarker);
    for (int i = 0; i < count; ++i) {
        std::vector<Variant> columns;
        for (std::string& text : Row(i))
            columns.emplace_back(std::move(text));
        value[i + 1] = VarArrayOf(std::move(columns));
    }
    return value;
}

std::string TSelectPanel::ListText() const {
    std::string text;
    const TListItems& items = *list_->Items();
    for (int i = 0; i < items.Count(); ++i) {
        const TListItem& item = *items.Item(i);
        text += item.Caption();
        const TStrings& sub = *item.SubItems();
        for (int c = 0; c < sub.Count(); ++c) {
            text += kColumnSeparator;
            text += sub.Get(c);
        }
        text += kRowTerminator;
    }
    return text;
}

std::string TSelectPanel::SavedText() const {
    return SavedText(FromText(), ToText());
}

std::string TSelectPanel::SavedText(std::string_view from, std::string_view to) const {
    std::string text = TEnumTraits<TSelectStyle>::Info().NameOf(style_);
    text += kFieldSeparator;
    if (style_ == sp_UserChoice) {
        text += userChoice_ ? "True" : "False";
        text += kFieldSeparator;
    }
    if (IsRangeMode()) {
        text += from;
        text += kFieldSeparator;
        text += to;
    } else {
        text += ListText();
    }
    return text;
}

bool TSelectPanel::ParseListText(std::string_view listText, std::vector<TSelectRow>& rows) {
    rows.clear();
    std::size_t widest = 0;
    std::size_t start = 0;
    while (start < listText.size()) {
        const std::size_t end = listText.find(kRowTerminator, start);
        const std::string_view row =
            listText.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        TSelectRow values;
        std::size_t from = 0;
        while (true) {
            const std::size_t cut = row.find(kColumnSeparator, from);
            values.emplace_back(
                row.substr(from, cut == std::string_view::npos ? std::string_view::npos : cut - from));
            if (values.size() > static_cast<std::size_t>(kMaxColumns))
                return false;
            if (cut == std::string_view::npos)
                break;
            from = cut + 1;
        }
        widest = std::max(widest, values.size());
        rows.push_back(std::move(values));
        if (rows.size() * widest > static_cast<std::size_t>(kMaxListCells))
            return false;
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return true;
}

bool TSelectPanel::RebuildList(std::string_view listText) {
    std::vector<TSelectRow> rows;
    if (!ParseListText(listText, rows))
        return false;
    ReplaceRows(rows);
    return true;
}

void TSelectPanel::ReplaceRows(const std::vector<TSelectRow>& rows) {
    list_->Items()->Clear();
    AddRows(rows);
}

TSavedTextResult TSelectPanel::ReadSavedText(std::string_view text) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t cut = text.find(kFieldSeparator, start);
        fields.push_back(
            text.substr(start, cut == std::string_view::npos ? std::string_view::npos : cut - start));
        if (cut == std::string_view::npos)
            break;
        start = cut + 1;
    }
    const auto field = [&fields](std::size_t index) {
        return index < fields.size() ? std::string(fields[index]) : std::string();
    };
    const std::optional<int> style = TEnumTraits<TSelectStyle>::Info().ValueOf(fields.front());
    if (!style)
        return TSavedTextResult::UnknownStyle;

    // Everything is read before anything changes, so that a failure leaves the panel as
    // it was.
    bool range = *style == sp_Range;
    std::size_t first = 1;
    if (*style == sp_UserChoice) {
        const std::string choice = Trim(field(1));
        if (SameText(choice, "True"))
            range = true;
        else if (SameText(choice, "False"))
            range = false;
        else
            return TSavedTextResult::Failed;
        first = 2;
    }
    std::vector<TSelectRow> rows;
    if (!range && !ParseListText(fields.size() > first ? fields[first] : std::string_view(), rows))
        return TSavedTextResult::Failed;
    // Copied now: the text may belong to whoever handles the events that follow.
    const std::string from = range ? field(first) : std::string();
    const std::string to = range ? field(first + 1) : std::string();

    SetStyle(static_cast<TSelectStyle>(*style));
    // A style the panel's handler refused or redirected cannot hold the saved values.
    if (Style() != *style)
        return TSavedTextResult::Failed;
    if (*style == sp_UserChoice)
        SetUserChoice(range);
    if (range) {
        SetFromText(from);
        SetToText(to);
    } else {
        ReplaceRows(rows);
    }
    return TSavedTextResult::Restored;
}

// ---- localisation -----------------------------------------------------------------------

void TSelectPanel::ConvertTexts(const TCodeConverter& converter) {
    const auto convertLines = [&converter](TStrings& lines) {
        lines.BeginUpdate();
        for (int i = 0; i < lines.Count(); ++i)
            lines.Put(i, converter.GBToBig5(lines.Get(i)));
        lines.EndUpdate();
    };
    convertLines(*childHints_);
    convertLines(*beginWords_);
    convertLines(*finalWords_);
    SetHintWord(converter.GBToBig5(hintWord_));

    // The caption list mirrors the columns: both are converted, neither rebuilds the other.
    adjusting_ = true;
    convertLines(*columnCaptions_);
    adjusting_ = false;
    TListItems& items = *list_->Items();
    items.BeginUpdate();
    ConvertListView(converter, *list_);
    items.EndUpdate();
    if (columnsAutoSize_)
        FitColumns();
}

std::vector<TComponent*> TSelectPanel::GlyphButtons() const {
    return {fromButton_, toButton_, listButton_, deleteButton_, clearButton_};
}

// ---- focus and the user -----------------------------------------------------------------

void TSelectPanel::SetFocus() {
    TWinControl* entry = EntryControl();
    if (entry && entry->CanFocus())
        entry->SetFocus();
    else
        TGroupBox::SetFocus();
}

TUserResult TSelectPanel::UserChoose(int index) {
    if (style_ != sp_UserChoice)
        return TUserResult::Refused(Name() + " offers no choice between range and list");
    if (index != 0 && index != 1)
        return TUserResult::Refused(Name() + " has no choice " + std::to_string(index) +
                                    " (0 range, 1 list)");
    if (userChoice_ == (index == 0))
        return TUserResult::Done();
    if (!choice_->Focused()) {
        TMouseFocusScope mouse;
        choice_->SetFocus();
        if (!choice_->Focused())
            return TUserResult::Refused("the focus stayed where it was; " + Name() + " keeps its mode");
    }
    return choice_->UserClick();
}

TUserResult TSelectPanel::UserSelect(std::span<const int> rows) {
    if (!list_->Showing())
        return TUserResult::Refused(Name() + " does not show its list");
    if (!list_->Focused()) {
        TMouseFocusScope mouse;
        list_->SetFocus();
        if (!list_->Focused())
            return TUserResult::Refused("the focus stayed where it was; " + Name() + " selects nothing");
    }
    return list_->UserSelect(rows);
}

// ---- layout -----------------------------------------------------------------------------

void TSelectPanel::SetUseVertical(bool value) {
    useVertical_ = value;
    LayoutParts();
}

void TSelectPanel::ContentResized() {
    TGroupBox::ContentResized();
    LayoutParts();
}

void TSelectPanel::FontChanged() {
    TGroupBox::FontChanged();
    LayoutParts();
}

void TSelectPanel::Loaded() {
    TGroupBox::Loaded();
    LayoutParts();
}

void TSelectPanel::LayoutParts() {
    if (!clearButton_ || layingOut_)
        return;
    layingOut_ = true;
    TRect area = ClientRect();
    AdjustClientRect(area);
    if (choice_->Visible()) {
        const int width =
            choice_->CaptionLeft() + choice_->Font()->TextWidth(StripAccelerator(hintWord_)) + 4;
        if (area.Height() >= kCheckHeight + kGap + kEditHeight) {
            // Room enough: the choice box above the pages.
            choice_->SetBounds(area.Left + kGap, area.Top, width, kCheckHeight);
            area.Top += kCheckHeight + kGap;
        } else {
            choice_->SetBounds(area.Left + kGap, area.Top + (area.Height() - kCheckHeight) / 2, width,
                               kCheckHeight);
            area.Left += width + 2 * kGap;
        }
    }
    const int width = std::max(0, area.Width());
    const int height = std::max(0, area.Height());
    rangePage_->SetBounds(area.Left, area.Top, width, height);
    listPage_->SetBounds(area.Left, area.Top, width, height);
    LayoutRange(width, height);
    LayoutList(width, height);
    layingOut_ = false;
}

void TSelectPanel::LayoutRange(int width, int height) {
    const int button = canOpenWin_ ? kButtonSize + kGap : 0;
    const auto place = [&](TLabel* label, TMaskEdit* edit, TF2Button* lookup, int left, int top,
                           int labelWidth, int span) {
        label->SetBounds(left, top + (kEditHeight - label->Height()) / 2, label->Width(), label->Height());
        const int editLeft = left + labelWidth + kGap;
        const int editWidth = std::max(0, span - labelWidth - kGap - button);
        edit->SetBounds(editLeft, top, editWidth, kEditHeight);
        lookup->SetBounds(editLeft + editWidth + kGap, top, kButtonSize, kButtonSize);
    };
    if (useVertical_) {
        const int labelWidth = std::max(fromLabel_->Width(), toLabel_->Width());
        place(fromLabel_, fromEdit_, fromButton_, 0, 0, labelWidth, width);
        place(toLabel_, toEdit_, toButton_, 0, kEditHeight + kGap, labelWidth, width);
    } else {
        const int top = std::max(0, (height - kEditHeight) / 2);
        const int half = width / 2;
        place(fromLabel_, fromEdit_, fromButton_, 0, top, fromLabel_->Width(), half - kGap);
        place(toLabel_, toEdit_, toButton_, half, top, toLabel_->Width(), width - half);
    }
}

void TSelectPanel::LayoutList(int width, int height) {
    const int buttons = width - kButtonSize;
    int top = 0;
    if (canOpenWin_) {
        listButton_->SetBounds(buttons, top, kButtonSize, kButtonSize);
        top += kButtonSize + kGap;
    }
    deleteButton_->SetBounds(buttons, top, kButtonSize, kButtonSize);
    top += kButtonSize + kGap;
    clearButton_->SetBounds(buttons, top, kButtonSize, kButtonSize);
    list_->SetBounds(0, 0, std::max(0, buttons - kGap), height);
}

} // namespace vondrel
