// The keyboard of the job form: Esc, F1, F2, the file properties, page switching and
// Enter moving on.
#include "framework/BaseGene.h"

#include "controls/ExtPageControl.h"
#include "ui/MaskEdit.h"
#include "ui/Memo.h"
#include "ui/StringGrid.h"
#include "ui/UiDriver.h"

namespace vondrel {

void TfrmBaseGene::FormKeyDown(TObject*, Word& key, TShiftState shift) {
    const bool ctrl = shift.Contains(ssCtrl);
    switch (key) {
    case VK_ESCAPE:
        key = 0;
        Close();
        return;
    case VK_F1:
        key = 0;
        ShowHelp();
        return;
    case VK_F2:
        key = 0;
        HandleF2Key(VK_F2, ActiveControl());
        return;
    case 'V':
        if (ctrl && shift.Contains(ssAlt)) {
            key = 0;
            TShellExecuteInfo info;
            info.Mask = SEE_MASK_INVOKEIDLIST;
            info.Window = Handle();
            info.Verb = "properties";
            info.File = modulePath_;
            ShellExecuteEx(info);
        }
        return;
    case VK_TAB:
        if (ctrl) {
            key = 0;
            pgOption->SelectNextPage(!shift.Contains(ssShift));
        }
        return;
    case VK_PRIOR:
    case VK_NEXT:
        if (ctrl) {
            const bool forward = key == VK_NEXT;
            key = 0;
            pgOption->SelectNextPage(forward);
        }
        return;
    default:
        return;
    }
}

void TfrmBaseGene::FormKeyPress(TObject*, char32_t& key) {
    if (key != U'\r')
        return;
    TWinControl* focused = ActiveControl();
    if (auto* grid = dynamic_cast<TStringGrid*>(focused)) {
        key = 0;
        if (grid->Col() < grid->ColCount() - 1) {
            grid->MoveTo(grid->Col() + 1, grid->Row());
        } else {
            if (grid->Row() >= grid->RowCount() - 1)
                grid->SetRowCount(grid->RowCount() + 1);
            grid->MoveTo(grid->FixedCols(), grid->Row() + 1);
        }
        return;
    }
    if (auto* memo = dynamic_cast<TMemo*>(focused); memo && memo->CaretPos().Y <= 1)
        return; // the first lines of a memo take the line break
    key = 0;
    SelectNext(focused, true, true);
}

void TfrmBaseGene::HandleF2Key(Word, TWinControl* control) {
    if (!control)
        return;
    if (control->CanFocus() && Visible() && ActiveControl() != control)
        FocusControl(control);
    // Without the date chooser the typed date stays as it is.
    if (control == edPrintDate && LookupService.IsDispatch()) {
        std::string date;
        PickDate(edPrintDate->Text(), date);
        edPrintDate->SetText(date);
    }
}

} // namespace vondrel
