#include "ShellForms.h"

#include "platform/DateTime.h"
#include "platform/PlatformServices.h"
#include "platform/SysUtils.h"
#include "ui/Button.h"
#include "ui/Dialogs.h"
#include "ui/Edit.h"
#include "ui/Label.h"
#include "ui/ListView.h"

#include <cstdio>

namespace vondrel {

namespace {

/// The year the Republic-of-China calendar counts from (its year 1 is 1912).
constexpr int kRocYearOffset = 1911;

TButton* MakeButton(TForm* form, const char* name, const std::string& caption, int left, int top) {
    auto* button = new TButton(form);
    button->SetName(name);
    button->SetParent(form);
    button->SetBounds(left, top, 75, 25);
    button->SetCaption(caption);
    return button;
}

void SetUpDialog(TForm* form, const char* name, const std::string& caption, int width, int height) {
    form->SetName(name);
    form->SetCaption(caption);
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poScreenCenter);
    form->SetClientWidth(width);
    form->SetClientHeight(height);
}

std::string CellText(const Variant& value) {
    try {
        return VarToStr(value);
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace

const TShellTexts& ShellTexts(std::string_view language) {
    static const TShellTexts chs{"确定", "取消", "查询",         "代码",    "名称",
                                 "日期", "民国", "日期不正确！", "常用短语"};
    static const TShellTexts cht{"確定", "取消", "查詢",         "代碼",    "名稱",
                                 "日期", "民國", "日期不正確！", "常用片語"};
    static const TShellTexts eng{"OK",   "Cancel", "Lookup",      "Code",   "Name",
                                 "Date", "ROC",    "Not a date.", "Phrases"};
    if (SameText(language, "CHT"))
        return cht;
    if (SameText(language, "ENG"))
        return eng;
    return chs;
}

TfrmShellLookup::TfrmShellLookup(TComponent* owner, const TShellTexts& texts, const std::string& title,
                                 const Variant& rows, bool multiSelect)
    : TForm(owner) {
    static const TClassInfo& info = DescribeClass("TfrmShellLookup");
    SetClass(info);
    SetUpDialog(this, "frmShellLookup", texts.Lookup + (title.empty() ? "" : " - " + title), 480, 320);
    lvRows = new TListView(this);
    lvRows->SetName("lvRows");
    lvRows->SetParent(this);
    lvRows->SetBounds(8, 8, 464, 264);
    lvRows->SetViewStyle(vsReport);
    lvRows->SetRowSelect(true);
    lvRows->SetReadOnly(true);
    lvRows->SetMultiSelect(multiSelect);
    btnOk = MakeButton(this, "btnOk", texts.Ok, 316, 284);
    btnOk->SetDefault(true);
    btnOk->OnClick = TNotifyEvent(this, &TfrmShellLookup::btnOkClick);
    btnCancel = MakeButton(this, "btnCancel", texts.Cancel, 397, 284);
    btnCancel->SetCancel(true);
    btnCancel->SetModalResult(mrCancel);

    int columns = 0;
    if (rows.IsArray() && rows.DimCount() == 1)
        for (int r = rows.LowBound(); r <= rows.HighBound(); ++r) {
            rows_.push_back(rows[r]);
            const Variant& row = rows[r];
            columns = std::max(
                columns, row.IsArray() && row.DimCount() == 1 ? row.HighBound() - row.LowBound() + 1 : 1);
        }
    for (int c = 0; c < columns; ++c)
        lvRows->Columns()->Add()->SetCaption(c == 0 ? texts.Code : c == 1 ? texts.Name : std::string());
    for (const Variant& row : rows_) {
        TListItem* item = lvRows->Items()->Add();
        if (row.IsArray() && row.DimCount() == 1) {
            for (int c = row.LowBound(); c <= row.HighBound(); ++c) {
                if (c == row.LowBound())
                    item->SetCaption(CellText(row[c]));
                else
                    item->SubItems()->Add(CellText(row[c]));
            }
        } else {
            item->SetCaption(CellText(row));
        }
    }
}

void TfrmShellLookup::btnOkClick(TObject*) {
    std::vector<Variant> chosen;
    for (int r = 0; r < lvRows->Items()->Count(); ++r)
        if (lvRows->Items()->Item(r)->Selected())
            chosen.push_back(rows_[static_cast<std::size_t>(r)]);
    chosen_ = chosen.empty() ? Variant() : VarArrayOf(std::move(chosen));
    SetModalResult(mrOk);
}

TfrmShellDate::TfrmShellDate(TComponent* owner, const TShellTexts& texts, bool rocCalendar,
                             const std::string& startDate)
    : TForm(owner), texts_(texts), rocCalendar_(rocCalendar) {
    static const TClassInfo& info = DescribeClass("TfrmShellDate");
    SetClass(info);
    SetUpDialog(this, "frmShellDate", texts.Date, 240, 80);
    lblDate = new TLabel(this);
    lblDate->SetName("lblDate");
    lblDate->SetParent(this);
    lblDate->SetBounds(8, 12, 60, 16);
    lblDate->SetCaption(rocCalendar ? texts.Date + " (" + texts.RocCalendar + ")" : texts.Date);
    edDate = new TEdit(this);
    edDate->SetName("edDate");
    edDate->SetParent(this);
    edDate->SetBounds(80, 8, 150, 21);
    edDate->SetText(DisplayText(startDate, rocCalendar), TNotify::No);
    btnOk = MakeButton(this, "btnOk", texts.Ok, 74, 48);
    btnOk->SetDefault(true);
    btnOk->OnClick = TNotifyEvent(this, &TfrmShellDate::btnOkClick);
    btnCancel = MakeButton(this, "btnCancel", texts.Cancel, 156, 48);
    btnCancel->SetCancel(true);
    btnCancel->SetModalResult(mrCancel);
}

std::string TfrmShellDate::DisplayText(const std::string& date, bool rocCalendar) {
    const std::string stored = ReadDate(date, false);
    if (stored.empty())
        return {};
    const int year = std::stoi(stored.substr(0, 4));
    char text[16];
    if (rocCalendar && year > kRocYearOffset)
        std::snprintf(text, sizeof text, "%03d/%s/%s", year - kRocYearOffset, stored.substr(4, 2).c_str(),
                      stored.substr(6, 2).c_str());
    else
        std::snprintf(text, sizeof text, "%s/%s/%s", stored.substr(0, 4).c_str(), stored.substr(4, 2).c_str(),
                      stored.substr(6, 2).c_str());
    return text;
}

std::string TfrmShellDate::ReadDate(const std::string& text, bool rocCalendar) {
    std::string digits;
    for (const char c : Trim(text)) {
        if (c >= '0' && c <= '9')
            digits += c;
        else if (c != '/' && c != '-' && c != '.')
            return {};
    }
    int year = 0;
    if (digits.size() == 8)
        year = std::stoi(digits.substr(0, 4));
    else if (rocCalendar && (digits.size() == 7 || digits.size() == 6))
        year = std::stoi(digits.substr(0, digits.size() - 4)) + kRocYearOffset;
    else
        return {};
    const int month = std::stoi(digits.substr(digits.size() - 4, 2));
    const int day = std::stoi(digits.substr(digits.size() - 2));
    if (!TryEncodeDate(year, month, day))
        return {};
    char stored[16];
    std::snprintf(stored, sizeof stored, "%04d%02d%02d", year, month, day);
    return stored;
}

void TfrmShellDate::btnOkClick(TObject*) {
    const std::string date = ReadDate(edDate->Text(), rocCalendar_);
    if (date.empty()) {
        MessageDlg(texts_.BadDate, mtError, {mbOK});
        if (edDate->CanFocus())
            edDate->SetFocus();
        return;
    }
    chosen_ = date;
    SetModalResult(mrOk);
}

TfrmShellPhrase::TfrmShellPhrase(TComponent* owner, const TShellTexts& texts,
                                 const std::vector<std::string>& phrases)
    : TForm(owner) {
    static const TClassInfo& info = DescribeClass("TfrmShellPhrase");
    SetClass(info);
    SetUpDialog(this, "frmShellPhrase", texts.Phrases, 360, 280);
    lvPhrases = new TListView(this);
    lvPhrases->SetName("lvPhrases");
    lvPhrases->SetParent(this);
    lvPhrases->SetBounds(8, 8, 344, 200);
    lvPhrases->SetViewStyle(vsReport);
    lvPhrases->SetRowSelect(true);
    lvPhrases->SetReadOnly(true);
    lvPhrases->Columns()->Add()->SetCaption(texts.Phrases);
    for (const std::string& phrase : phrases)
        lvPhrases->Items()->Add()->SetCaption(phrase);
    edPhrase = new TEdit(this);
    edPhrase->SetName("edPhrase");
    edPhrase->SetParent(this);
    edPhrase->SetBounds(8, 216, 344, 21);
    lvPhrases->OnSelectItem = [this](TObject*, TListItem* item, bool selected) {
        if (selected && item)
            edPhrase->SetText(item->Caption());
    };
    btnOk = MakeButton(this, "btnOk", texts.Ok, 196, 248);
    btnOk->SetDefault(true);
    btnOk->SetModalResult(mrOk);
    btnCancel = MakeButton(this, "btnCancel", texts.Cancel, 277, 248);
    btnCancel->SetCancel(true);
    btnCancel->SetModalResult(mrCancel);
}

} // namespace vondrel
