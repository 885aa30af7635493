#include "ui/StringGrid.h"

#include <algorithm>

namespace vondrel {

const TEnumInfo& TEnumTraits<TGridOption>::Info() {
    static const TEnumInfo info(
        "TGridOption", {"goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine", "goRangeSelect",
                        "goDrawFocusSelected", "goRowSizing", "goColSizing", "goRowMoving", "goColMoving",
                        "goEditing", "goTabs", "goRowSelect", "goAlwaysShowEditor", "goThumbTracking"});
    return info;
}

TStringGrid::TStringGrid(TComponent* owner) : TWinControl(owner) {
    static const TClassInfo& info =
        DescribeClass<TStringGrid>("TStringGrid", [](TClassBuilder<TStringGrid>& c) {
            c.Property("ColCount", &TStringGrid::ColCount, &TStringGrid::SetColCount);
            c.Property("DefaultColWidth", &TStringGrid::DefaultColWidth, &TStringGrid::SetDefaultColWidth);
            c.Property("DefaultRowHeight", &TStringGrid::DefaultRowHeight, &TStringGrid::SetDefaultRowHeight);
            c.Property("FixedCols", &TStringGrid::FixedCols, &TStringGrid::SetFixedCols);
            c.Property("FixedRows", &TStringGrid::FixedRows, &TStringGrid::SetFixedRows);
            c.Property("Options", &TStringGrid::Options, &TStringGrid::SetOptions);
            c.Property("RowCount", &TStringGrid::RowCount, &TStringGrid::SetRowCount);
            c.Publish({"Align",       "BiDiMode",   "Color",          "Ctl3D",      "Enabled",  "Font",
                       "ParentColor", "ParentFont", "ParentShowHint", "PopupMenu",  "ShowHint", "TabOrder",
                       "TabStop",     "Visible",    "OnClick",        "OnDblClick", "OnEnter",  "OnExit",
                       "OnKeyDown",   "OnKeyPress", "OnKeyUp"});
            c.Event("OnGetEditText", &TStringGrid::OnGetEditText);
            c.Event("OnSelectCell", &TStringGrid::OnSelectCell);
            c.Event("OnSetEditText", &TStringGrid::OnSetEditText);
        });
    SetClass(info);
    SetTabStop(true);
    SetBounds(0, 0, 320, 120);
    Resize(colCount_, rowCount_);
}

void TStringGrid::Resize(int cols, int rows) {
    cells_.resize(static_cast<std::size_t>(rows));
    for (auto& row : cells_)
        row.resize(static_cast<std::size_t>(cols));
    colCount_ = cols;
    rowCount_ = rows;
    col_ = std::clamp(col_, std::min(fixedCols_, cols - 1), std::max(cols - 1, 0));
    row_ = std::clamp(row_, std::min(fixedRows_, rows - 1), std::max(rows - 1, 0));
    Invalidate();
}

void TStringGrid::SetColCount(int value) {
    if (value < 1)
        value = 1;
    if (fixedCols_ >= value)
        fixedCols_ = value - 1;
    Resize(value, rowCount_);
}

void TStringGrid::SetRowCount(int value) {
    if (value < 1)
        value = 1;
    if (fixedRows_ >= value)
        fixedRows_ = value - 1;
    Resize(colCount_, value);
}

void TStringGrid::SetFixedCols(int value) {
    fixedCols_ = std::clamp(value, 0, colCount_ - 1);
    col_ = std::max(col_, fixedCols_);
    Invalidate();
}

void TStringGrid::SetFixedRows(int value) {
    fixedRows_ = std::clamp(value, 0, rowCount_ - 1);
    row_ = std::max(row_, fixedRows_);
    Invalidate();
}

void TStringGrid::SetOptions(TGridOptions value) {
    options_ = value;
    if (options_.Contains(goAlwaysShowEditor) && options_.Contains(goEditing) && Focused())
        ShowEditor();
    Invalidate();
}

bool TStringGrid::InRange(int col, int row) const noexcept {
    return col >= 0 && row >= 0 && col < colCount_ && row < rowCount_;
}

std::string TStringGrid::Cells(int col, int row) const {
    return InRange(col, row) ? cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)]
                             : std::string();
}

void TStringGrid::SetCells(int col, int row, const std::string& text) {
    if (!InRange(col, row))
        return;
    cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = text;
    if (editorMode_ && col == col_ && row == row_)
        editor_.Assign(text);
    Invalidate();
}

void TStringGrid::SetCol(int value) {
    MoveTo(value, row_);
}

void TStringGrid::SetRow(int value) {
    MoveTo(col_, value);
}

bool TStringGrid::MoveTo(int col, int row) {
    if (col < fixedCols_ || row < fixedRows_ || col >= colCount_ || row >= rowCount_)
        return false;
    if (col == col_ && row == row_)
        return true;
    bool canSelect = true;
    if (!Destroying())
        OnSelectCell(this, col, row, canSelect);
    if (!canSelect)
        return false;
    const bool editing = editorMode_;
    HideEditor();
    col_ = col;
    row_ = row;
    if (editing && options_.Contains(goAlwaysShowEditor))
        ShowEditor();
    Invalidate();
    return true;
}

void TStringGrid::SetEditorMode(bool value) {
    if (value)
        ShowEditor();
    else
        HideEditor();
}

void TStringGrid::ShowEditor() {
    if (!options_.Contains(goEditing) || options_.Contains(goRowSelect))
        return;
    // The editor opens on the cell's text, selected: a typed character replaces it.
    std::string text = Cells(col_, row_);
    if (!Destroying())
        OnGetEditText(this, col_, row_, text);
    editor_.Assign(text);
    editor_.SelectAll();
    editorMode_ = true;
}

void TStringGrid::HideEditor() {
    editorMode_ = false;
}

void TStringGrid::EditorChanged() {
    const std::string text = editor_.Utf8();
    cells_[static_cast<std::size_t>(row_)][static_cast<std::size_t>(col_)] = text;
    if (!Destroying())
        OnSetEditText(this, col_, row_, text);
    Invalidate();
}

unsigned TStringGrid::DialogCode() const {
    unsigned code = DLGC_WANTARROWS;
    if (options_.Contains(goRowSelect))
        return code;
    if (options_.Contains(goTabs))
        code |= DLGC_WANTTAB;
    if (options_.Contains(goEditing))
        code |= DLGC_WANTCHARS;
    return code;
}

void TStringGrid::KeyDown(Word& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    switch (key) {
    case VK_UP:
        MoveTo(col_, row_ - 1);
        break;
    case VK_DOWN:
        MoveTo(col_, row_ + 1);
        break;
    case VK_LEFT:
        if (!editorMode_)
            MoveTo(col_ - 1, row_);
        break;
    case VK_RIGHT:
        if (!editorMode_)
            MoveTo(col_ + 1, row_);
        break;
    case VK_HOME:
        if (!editorMode_)
            MoveTo(fixedCols_, row_);
        break;
    case VK_END:
        if (!editorMode_)
            MoveTo(colCount_ - 1, row_);
        break;
    case VK_TAB:
        if (options_.Contains(goTabs)) {
            if (shift.Contains(ssShift)) {
                if (!MoveTo(col_ - 1, row_))
                    MoveTo(colCount_ - 1, row_ - 1);
            } else if (!MoveTo(col_ + 1, row_)) {
                MoveTo(fixedCols_, row_ + 1);
            }
        }
        break;
    case VK_F2:
        ShowEditor();
        break;
    case VK_DELETE:
        if (editorMode_ && editor_.Delete())
            EditorChanged();
        break;
    default:
        break;
    }
}

void TStringGrid::KeyPress(char32_t& key) {
    TWinControl::KeyPress(key);
    if (key == 0)
        return;
    if (key == 13) {
        if (!options_.Contains(goAlwaysShowEditor)) {
            if (editorMode_)
                HideEditor();
            else
                ShowEditor();
        }
        key = 0;
        return;
    }
    if (key == 27) {
        HideEditor();
        return;
    }
    if (!options_.Contains(goEditing))
        return;
    if (!editorMode_) {
        if (key < 32)
            return;
        ShowEditor();
    }
    if (key == 8) {
        if (editor_.Backspace())
            EditorChanged();
    } else if (key >= 32) {
        if (editor_.Insert(std::u32string_view(&key, 1)))
            EditorChanged();
    }
}

void TStringGrid::DoExit() {
    if (!options_.Contains(goAlwaysShowEditor))
        HideEditor();
    TWinControl::DoExit();
}

TUserResult TStringGrid::UserCanType() const {
    if (!options_.Contains(goEditing))
        return TUserResult::Refused(Name() + " cannot be edited");
    return TUserResult::Done();
}

void TStringGrid::UserSelectAll() {
    if (!editorMode_)
        ShowEditor();
    editor_.SelectAll();
}

} // namespace vondrel
