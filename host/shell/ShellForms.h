#pragma once

#include "ui/Form.h"

#include <vondrel/Variant.h>

#include <string>
#include <vector>

namespace vondrel {

class TButton;
class TEdit;
class TLabel;
class TListView;

/// Captions of the shell's own windows in one interface language (CHS, CHT or ENG).
struct TShellTexts {
    std::string Ok;
    std::string Cancel;
    std::string Lookup;
    std::string Code;
    std::string Name;
    std::string Date;
    std::string RocCalendar;
    std::string BadDate;
    std::string Phrases;
};
const TShellTexts& ShellTexts(std::string_view language);

/// The shell's lookup window: the rows a lookup offers, in a list (lvRows) from which the
/// person picks one row, or several when the request allows it, and confirms with btnOk.
class TfrmShellLookup : public TForm {
public:
    TfrmShellLookup(TComponent* owner, const TShellTexts& texts, const std::string& title,
                    const Variant& rows, bool multiSelect);

    /// The rows chosen (an array of the offered rows), or Empty when none was.
    const Variant& Chosen() const noexcept { return chosen_; }

    TListView* lvRows;
    TButton* btnOk;
    TButton* btnCancel;

private:
    void btnOkClick(TObject* sender);

    std::vector<Variant> rows_;
    Variant chosen_;
};

/// The shell's date chooser: the date in edDate, written in the Republic-of-China
/// calendar (yyy/mm/dd, the year counted from 1912) when asked, else as yyyy/mm/dd.
/// Eight digits are always read as a western date.
class TfrmShellDate : public TForm {
public:
    TfrmShellDate(TComponent* owner, const TShellTexts& texts, bool rocCalendar,
                  const std::string& startDate);

    /// The date chosen as "YYYYMMDD", empty when none was.
    const std::string& Chosen() const noexcept { return chosen_; }

    /// A date "YYYYMMDD" as the chooser writes it.
    static std::string DisplayText(const std::string& date, bool rocCalendar);
    /// The date a person typed, as "YYYYMMDD"; empty when it is not a date.
    static std::string ReadDate(const std::string& text, bool rocCalendar);

    TLabel* lblDate;
    TEdit* edDate;
    TButton* btnOk;
    TButton* btnCancel;

private:
    void btnOkClick(TObject* sender);

    const TShellTexts& texts_;
    bool rocCalendar_;
    std::string chosen_;
};

/// The shell's phrase list: the user's phrases in lvPhrases; choosing one puts it into
/// edPhrase, where it may be changed before btnOk takes it.
class TfrmShellPhrase : public TForm {
public:
    TfrmShellPhrase(TComponent* owner, const TShellTexts& texts, const std::vector<std::string>& phrases);

    TListView* lvPhrases;
    TEdit* edPhrase;
    TButton* btnOk;
    TButton* btnCancel;
};

} // namespace vondrel
