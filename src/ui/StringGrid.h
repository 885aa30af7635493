#pragma once

#include "ui/TextEditing.h"
#include "ui/WinControl.h"

#include <vector>

namespace vondrel {

enum TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking
};
using TGridOptions = TSet<TGridOption>;
template <>
struct TEnumTraits<TGridOption> {
    static const TEnumInfo& Info();
};

using TSelectCellEvent = TEvent<TObject*, int, int, bool&>;
using TSetEditEvent = TEvent<TObject*, int, int, const std::string&>;
using TGetEditEvent = TEvent<TObject*, int, int, std::string&>;

/// A grid of text cells with fixed rows and columns. The current cell moves with the
/// arrow keys (and Tab with goTabs), asking OnSelectCell. With goEditing a character
/// typed on a cell opens the in-place editor on it (F2 or Enter open it keeping the
/// text, selected); every change in the editor goes to the cell and fires OnSetEditText.
class TStringGrid : public TWinControl {
public:
    explicit TStringGrid(TComponent* owner);

    int ColCount() const noexcept { return colCount_; }
    void SetColCount(int value);
    int RowCount() const noexcept { return rowCount_; }
    void SetRowCount(int value);
    int FixedCols() const noexcept { return fixedCols_; }
    void SetFixedCols(int value);
    int FixedRows() const noexcept { return fixedRows_; }
    void SetFixedRows(int value);
    TGridOptions Options() const noexcept { return options_; }
    void SetOptions(TGridOptions value);
    int DefaultColWidth() const noexcept { return defaultColWidth_; }
    void SetDefaultColWidth(int value) noexcept { defaultColWidth_ = value; }
    int DefaultRowHeight() const noexcept { return defaultRowHeight_; }
    void SetDefaultRowHeight(int value) noexcept { defaultRowHeight_ = value; }

    std::string Cells(int col, int row) const;
    void SetCells(int col, int row, const std::string& text);
    int Col() const noexcept { return col_; }
    void SetCol(int value);
    int Row() const noexcept { return row_; }
    void SetRow(int value);
    /// Moves the current cell (OnSelectCell may refuse); false when it did not move.
    bool MoveTo(int col, int row);

    bool EditorMode() const noexcept { return editorMode_; }
    void SetEditorMode(bool value);
    std::string EditorText() const { return editor_.Utf8(); }

    TSelectCellEvent OnSelectCell;
    TSetEditEvent OnSetEditText;
    TGetEditEvent OnGetEditText;

    unsigned DialogCode() const override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void DoExit() override;
    TUserResult UserCanType() const override;
    void UserSelectAll() override;

private:
    void ShowEditor();
    void HideEditor();
    void EditorChanged();
    void Resize(int cols, int rows);
    bool InRange(int col, int row) const noexcept;

    int colCount_ = 5;
    int rowCount_ = 5;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    TGridOptions options_{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    std::vector<std::vector<std::string>> cells_;
    int col_ = 1;
    int row_ = 1;
    bool editorMode_ = false;
    TEditBuffer editor_;
};

} // namespace vondrel
