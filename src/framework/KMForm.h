#pragma once

#include "lib/CodeConverter.h"
#include "ui/Dialogs.h"
#include "ui/Form.h"

#include <memory>
#include <string>
#include <string_view>

namespace vondrel {

/// The root of every form of the framework: each form gets a code converter for
/// simplified and traditional Chinese and a language controller for translated captions,
/// applies the language files of its class chain when shown, converts its texts for
/// display once, and prepares greyed glyphs for disabled buttons.
class TKMForm : public TForm {
public:
    explicit TKMForm(TComponent* owner);
    ~TKMForm() override;

    /// The form's code converter (the published component "KmConverter").
    TCodeConverter& KmConverter();
    const TCodeConverter& KmConverter() const;

    /// The form's texts have been converted for display.
    bool Converted() const noexcept { return converted_; }
    /// Converts the form's texts for display, the first time only.
    void ConvertFormOnce();

    /// Applies the language files of the target's class (with the whole chain: of every
    /// class from the framework's base form to the target's own, most basic first).
    virtual void ApplyLanguageFiles(TComponent* target, bool wholeChain);
    /// The same, leaving out the base form's own file.
    virtual void ApplyLanguageFilesBelowBase(TComponent* target, bool wholeChain);

    /// A text of a form's language file (its default, converted for display when asked,
    /// when the file or entry is missing).
    void GetFormText(std::string_view formClassName, std::string_view key, std::string& text,
                     bool convertDefault, std::string_view defaultText);
    /// Shows a message dialog through the converter (fonts and texts of the interface).
    TModalResult ShowMessageDlg(const std::string& text, TMsgDlgType dialogType, TMsgDlgButtons buttons);

protected:
    /// The designer's OnCreate and OnShow handlers; descendants extend them, calling
    /// these first.
    virtual void FormCreate(TObject* sender);
    virtual void FormShow(TObject* sender);

    bool ApplyLanguagesOnShow() const noexcept { return applyLanguagesOnShow_; }
    void SetApplyLanguagesOnShow(bool value) noexcept { applyLanguagesOnShow_ = value; }

private:
    std::unique_ptr<TCodeConverter> converter_;
    bool converted_ = false;
    bool applyLanguagesOnShow_ = true;
};

} // namespace vondrel
