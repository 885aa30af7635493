#pragma once

#include "ui/ListView.h"
#include "ui/Panel.h"

#include <vondrel/Variant.h>

#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vondrel {

class TBitCheckBox;
class TCodeConverter;
class TF2Button;
class TGSpeedButton;
class TLabel;
class TMaskEdit;
class TStringList;

// The names and order of these values are written into saved option texts.
enum TSelectStyle { sp_Range, sp_Discrete, sp_UserChoice };
enum TValueType { vt_String, vt_Number, vt_Date, vt_Time, vt_Float, vt_OtherMask };
enum TDateType { dt_NoneCare, dt_YYYYMMDD, dt_MMDDYYYY, dt_DDMMYYYY, dt_YYMMDD, dt_YYYMMDD };
enum TCheckDuplicate { cd_None, cd_CheckCase, cd_CaseInsensitive };

template <>
struct TEnumTraits<TSelectStyle> {
    static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TValueType> {
    static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TDateType> {
    static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TCheckDuplicate> {
    static const TEnumInfo& Info();
};

/// The parts of a selection panel that take a lookup.
enum class TSelectPart { None, FromEdit, ToEdit, List };

/// What reading a saved text did to the panel.
enum class TSavedTextResult {
    Restored,     ///< the panel shows the saved state
    UnknownStyle, ///< the text names no style: the panel is unchanged
    Failed,       ///< the saved list (or choice) cannot be rebuilt, or the panel's OnStyleChanging
                  ///< kept it from taking the saved style: no saved value is applied
};

using TStyleChangingEvent = TEvent<TObject*, TSelectStyle, TSelectStyle&, bool&>;
using TStyleChangeEvent = TEvent<TObject*, TSelectStyle, TSelectStyle>;
using TOpenWinEvent = TEvent<TObject*, TWinControl*>;
using TAcceptEvent = TEvent<TObject*, bool&>;
using TItemSelectEvent = TEvent<TObject*, TListItem*, int, bool>;

/// One row of the list: its code followed by the texts of its further columns.
using TSelectRow = std::vector<std::string>;

/// A condition on one code field: either a range (from ... to) or a list of chosen codes,
/// or either at the user's choice. The panel is a group box whose caption names the
/// condition; its parts are controls of their own, reachable by name through the panel
/// ("sp05.edFrom"): the choice box chkChoice, the range page pnlRange with lblFrom,
/// edFrom, btnFrom, lblTo, edTo, btnTo, and the list page pnlList with lvList, btnList,
/// btnDelete and btnClear. Exactly one page is visible: the range page in range mode.
///
/// The value travels as a selection value (range [#4, from, to] or list [#5, rows...]),
/// as a saved text ("sp_Range" #3 from #3 to, ...) and as rows from a lookup.
class TSelectPanel : public TGroupBox {
public:
    explicit TSelectPanel(TComponent* owner);
    ~TSelectPanel() override;

    /// Most values a row may have: longer rows are refused.
    static constexpr int kMaxColumns = 256;
    /// Most texts (rows times columns) a saved list may rebuild.
    static constexpr int kMaxListCells = 1 << 21;

    // Mode.
    TSelectStyle Style() const noexcept { return style_; }
    /// OnStyleChanging may change the new style or refuse; then the pages, labels and
    /// (when leaving or entering sp_Range outside loading) the size change; OnStyleChange.
    void SetStyle(TSelectStyle style);
    bool UserChoice() const noexcept { return userChoice_; }
    /// Checks or unchecks the choice box; in style sp_UserChoice the pages follow and,
    /// with TNotify::Yes, OnTypeClick fires as for a click.
    void SetUserChoice(bool value, TNotify notify = TNotify::Yes);
    /// sp_Range, or sp_UserChoice with UserChoice.
    bool IsRangeMode() const noexcept;

    // Texts of the parts.
    const std::string& HintWord() const noexcept { return hintWord_; }
    void SetHintWord(const std::string& word);
    /// Captions of the from and to labels: entry 0 for sp_Range and sp_Discrete, entry 1
    /// for sp_UserChoice, a single entry for all; only two entries are kept.
    TStrings* BeginWords() const noexcept;
    TStrings* FinalWords() const noexcept;
    /// Hints of the parts by index: choice box, from edit, from button, to edit, to button,
    /// list, list button, delete button, clear button. A shorter list leaves the hints of
    /// the remaining parts as they are.
    TStrings* ChildHints() const noexcept;

    // Range ends.
    const std::string& EditMask() const noexcept { return editMask_; }
    /// The mask of both ends; their change events do not fire for it.
    void SetEditMask(const std::string& mask);
    std::string FromText() const;
    void SetFromText(const std::string& text);
    std::string ToText() const;
    void SetToText(const std::string& text);
    TValueType ValueType() const noexcept { return valueType_; }
    void SetValueType(TValueType value) noexcept { valueType_ = value; }
    TDateType DateType() const noexcept { return dateType_; }
    void SetDateType(TDateType value) noexcept { dateType_ = value; }
    const std::string& DateSign() const noexcept { return dateSign_; }
    void SetDateSign(const std::string& sign) { dateSign_ = sign; }
    bool AutoChangeDateSite() const noexcept { return autoChangeDateSite_; }
    void SetAutoChangeDateSite(bool value) noexcept { autoChangeDateSite_ = value; }
    bool UseDiscard() const noexcept { return useDiscard_; }
    void SetUseDiscard(bool value) noexcept { useDiscard_ = value; }
    const std::string& Discard() const noexcept { return discard_; }
    void SetDiscard(const std::string& text) { discard_ = text; }

    // Lookup buttons.
    bool CanOpenWin() const noexcept { return canOpenWin_; }
    void SetCanOpenWin(bool value);
    int GlyphIndex() const noexcept { return glyphIndex_; }
    void SetGlyphIndex(int index);

    // List settings.
    TCheckDuplicate CheckDuplicate() const noexcept { return checkDuplicate_; }
    /// Any value but cd_None also keeps the list sorted.
    void SetCheckDuplicate(TCheckDuplicate value);
    bool SortListBox() const noexcept { return sortListBox_; }
    void SetSortListBox(bool value);
    int Columns() const noexcept;
    /// At least one column, at most kMaxColumns; new columns are captioned "Data" and
    /// their number.
    void SetColumns(int count);
    /// One line per column.
    TStrings* ColumnCaptions() const noexcept;
    bool ShowColumnHeader() const noexcept;
    void SetShowColumnHeader(bool value);
    bool ColumnsAutoSize() const noexcept { return columnsAutoSize_; }
    void SetColumnsAutoSize(bool value);
    bool HideSelection() const noexcept;
    void SetHideSelection(bool value);
    TListItems* Items() const noexcept;

    // Size and layout.
    int OtherWidth() const noexcept { return otherWidth_; }
    void SetOtherWidth(int value) noexcept { otherWidth_ = value; }
    int OtherHeight() const noexcept { return otherHeight_; }
    void SetOtherHeight(int value) noexcept { otherHeight_ = value; }
    bool UseVertical() const noexcept { return useVertical_; }
    void SetUseVertical(bool value);

    // Parts.
    TBitCheckBox* ChoiceBox() const noexcept { return choice_; }
    TPanel* RangePage() const noexcept { return rangePage_; }
    TLabel* FromLabel() const noexcept { return fromLabel_; }
    TLabel* ToLabel() const noexcept { return toLabel_; }
    TMaskEdit* FromEdit() const noexcept { return fromEdit_; }
    TMaskEdit* ToEdit() const noexcept { return toEdit_; }
    TF2Button* FromButton() const noexcept { return fromButton_; }
    TF2Button* ToButton() const noexcept { return toButton_; }
    TPanel* ListPage() const noexcept { return listPage_; }
    TListView* List() const noexcept { return list_; }
    TF2Button* ListButton() const noexcept { return listButton_; }
    TGSpeedButton* DeleteButton() const noexcept { return deleteButton_; }
    TGSpeedButton* ClearButton() const noexcept { return clearButton_; }
    /// Which lookup part the control is (None for any other control).
    TSelectPart PartOf(const TControl* control) const noexcept;
    TWinControl* PartControl(TSelectPart part) const noexcept;
    /// The panel a lookup part belongs to, or nullptr.
    static TSelectPanel* OwnerOfPart(const TControl* control) noexcept;
    /// Where the focus goes in the panel: the from edit in range mode, else the list.
    TWinControl* EntryControl() const noexcept;

    // Rows.
    int RowCount() const noexcept;
    TSelectRow Row(int index) const;
    /// Adds a row (code first): missing columns are added, every row is padded to the
    /// widest, the list is sorted when SortListBox, repeated codes are dropped by
    /// CheckDuplicate, and the widths are fitted when ColumnsAutoSize. False, and nothing
    /// added, for an empty row or one longer than kMaxColumns.
    bool AddRow(const TSelectRow& values);
    bool AddRow(std::initializer_list<std::string> values) { return AddRow(TSelectRow(values)); }
    /// Adds several rows at once, as AddRow one by one does; rows that AddRow refuses
    /// are skipped. Returns the number of rows taken.
    int AddRows(const std::vector<TSelectRow>& rows);
    /// OnDeleteClick, then (unless refused) deletes every selected row.
    void DeleteSelected();
    /// Deletes all rows, focuses the list, then OnClearClick.
    void Clear();
    /// Empties both ends and the list without events (a form starting over).
    void ClearValues();

    /// Focuses the part, asks the form for its lookup (WM_LOOKUPREQUEST with the part),
    /// then OnOpenWinClick. Nothing happens when the part cannot get the focus.
    void OpenLookup(TSelectPart part);
    /// Puts a lookup result into a part: into the list one row per returned row (its
    /// first four values unless allColumns), into an end the first value of the first
    /// row. With UseDiscard a row's values are first joined with Discard between them.
    /// False when the part is None.
    bool TakeLookupResult(TSelectPart part, const Variant& result, bool allColumns = false);

    /// A click on a column header: sorts by that column, reversing the order when it is
    /// the column sorted by already.
    void SortByColumn(int column);
    int SortColumn() const noexcept { return sortColumn_; }
    bool SortDescending() const noexcept { return descending_; }

    /// The selection value: [#4, from, to] in range mode, [#5, row...] with each row an
    /// array [code, column 1, ...] in list mode.
    Variant SelectionValue() const;
    /// The rows as text: each its code, #1 and the text of each further column, then #4.
    std::string ListText() const;
    /// The saved text: the style's name, #3, then the style's fields.
    std::string SavedText() const;
    /// The saved text with other range ends (a date panel writes them as stored dates).
    std::string SavedText(std::string_view from, std::string_view to) const;
    /// Reads a saved text back (see TSavedTextResult).
    TSavedTextResult ReadSavedText(std::string_view text);
    /// Replaces the rows by those of a list text; false, and the rows unchanged, when it
    /// holds a row longer than kMaxColumns or more than kMaxListCells texts.
    bool RebuildList(std::string_view listText);

    // The form's localisation reaches only what the form owns; these are the panel's own.
    /// Converts the texts the panel keeps beyond its caption and hint (the hints of its
    /// parts, the words of its labels, the choice box's caption, the list's columns and
    /// rows) from simplified to traditional Chinese.
    void ConvertTexts(const TCodeConverter& converter);
    /// The glyph buttons among the parts, for the greyed images of their disabled state.
    std::vector<TComponent*> GlyphButtons() const;

    // Every event names the panel as its sender, also the row and key events of the
    // parts that it passes on (OnKeyDown, OnKeyUp and OnKeyPress of the choice box, the
    // ends and the list).
    /// The choice box changed the mode.
    TNotifyEvent OnTypeClick;
    /// (sender, current style, new style (may be changed), accept (false refuses)).
    TStyleChangingEvent OnStyleChanging;
    /// (sender, old style, new style).
    TStyleChangeEvent OnStyleChange;
    /// (sender, the part whose lookup was asked for), after the request.
    TOpenWinEvent OnOpenWinClick;
    /// (sender, accept): before the selected rows go; false keeps them.
    TAcceptEvent OnDeleteClick;
    /// After all rows were deleted.
    TNotifyEvent OnClearClick;
    /// (sender, row, its index, selected).
    TItemSelectEvent OnItemSelect;
    TLVChangeEvent OnItemChange;
    TLVChangingEvent OnItemChanging;

    /// Focuses the entry part (the from edit in range mode, else the list).
    void SetFocus() override;
    /// Leaving the panel: the ends are trimmed and put in order, then OnExit.
    void DoExit() override;
    /// Choosing 0 (range) or 1 (list) clicks the choice box (style sp_UserChoice only).
    TUserResult UserChoose(int index) override;
    /// Selecting rows selects them in the list.
    TUserResult UserSelect(std::span<const int> rows) override;

protected:
    void ContentResized() override;
    void FontChanged() override;
    void Loaded() override;

private:
    void CreateParts();
    void ChoiceBoxClicked();
    void ShowPages();
    void ApplyWords();
    void ApplyChildHints();
    void CaptionsChanged();
    void LayoutParts();
    void LayoutRange(int width, int height);
    void LayoutList(int width, int height);
    void PutEndsInOrder();
    bool IsPlaceholder(const std::string& end) const;
    std::string EmptyMaskText() const;
    void EnsureColumns(int count);
    void PadRows();
    void SortRows();
    void RemoveDuplicates();
    void FitColumns();
    void ReplaceRows(const std::vector<TSelectRow>& rows);
    static bool ParseListText(std::string_view listText, std::vector<TSelectRow>& rows);
    void ForwardKeys(TWinControl* part);

    TSelectStyle style_ = sp_Range;
    bool userChoice_ = true;
    std::string hintWord_;
    std::unique_ptr<TStringList> beginWords_;
    std::unique_ptr<TStringList> finalWords_;
    std::unique_ptr<TStringList> childHints_;
    std::unique_ptr<TStringList> columnCaptions_;
    std::string editMask_;
    TValueType valueType_ = vt_String;
    TDateType dateType_ = dt_NoneCare;
    std::string dateSign_ = "/";
    bool autoChangeDateSite_ = true;
    bool useDiscard_ = false;
    std::string discard_;
    bool canOpenWin_ = true;
    int glyphIndex_ = 8;
    TCheckDuplicate checkDuplicate_ = cd_None;
    bool sortListBox_ = false;
    bool columnsAutoSize_ = true;
    int otherWidth_ = 200;
    int otherHeight_ = 105;
    bool useVertical_ = false;
    int sortColumn_ = 0;
    bool descending_ = false;
    bool adjusting_ = false;
    bool layingOut_ = false;

    TBitCheckBox* choice_ = nullptr;
    TPanel* rangePage_ = nullptr;
    TLabel* fromLabel_ = nullptr;
    TLabel* toLabel_ = nullptr;
    TMaskEdit* fromEdit_ = nullptr;
    TMaskEdit* toEdit_ = nullptr;
    TF2Button* fromButton_ = nullptr;
    TF2Button* toButton_ = nullptr;
    TPanel* listPage_ = nullptr;
    TListView* list_ = nullptr;
    TF2Button* listButton_ = nullptr;
    TGSpeedButton* deleteButton_ = nullptr;
    TGSpeedButton* clearButton_ = nullptr;
};

} // namespace vondrel
