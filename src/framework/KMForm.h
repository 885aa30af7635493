#pragma once

#include "lib/CodeConverter.h"
#include "lib/LanguageController.h"
#include "ui/Dialogs.h"
#include "ui/Form.h"

#include <string>
#include <string_view>
#include <vector>

namespace vondrel {

class TBitmap;

/// The root of every form of the framework: each form gets a code converter for
/// simplified and traditional Chinese and a language controller for translated captions,
/// applies the language files of its class chain when shown, converts its texts for
/// display once, and prepares greyed glyphs for disabled buttons.
///
/// The converter loads the conversion library when the interface is converted; when that
/// fails, creating the form (Create<T>) raises the error and leaves nothing behind. A
/// descendant that overrides AfterConstruction calls this class's version before touching
/// the form there.
class TKMForm : public TForm {
public:
    explicit TKMForm(TComponent* owner);
    ~TKMForm() override;

    /// The form's code converter (the published component "KmConverter").
    TCodeConverter& KmConverter();
    const TCodeConverter& KmConverter() const;
    /// The form's language controller (the published component "LangController").
    TKmLangController& LangController();

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

    /// Draws a greyed copy of the glyph's image beside it (the glyph doubles its width):
    /// the image for the disabled state of a button whose glyph holds a single image.
    static void AddDisabledGlyph(TBitmap& glyph);

    void AfterConstruction() override;

protected:
    /// The designer's OnCreate and OnShow handlers; descendants extend them, calling
    /// these first.
    virtual void FormCreate(TObject* sender);
    virtual void FormShow(TObject* sender);

    bool ApplyLanguagesOnShow() const noexcept { return applyLanguagesOnShow_; }
    void SetApplyLanguagesOnShow(bool value) noexcept { applyLanguagesOnShow_ = value; }

private:
    /// The class names of the target's chain, most basic first, below the platform's
    /// form class and, when asked, below this class as well.
    static std::vector<std::string> ChainNames(const TComponent& target, bool wholeChain, bool belowBase);
    void ApplyFiles(TComponent* target, const std::vector<std::string>& classNames);
    void AddDisabledGlyphs(TComponent& component);

    TCodeConverter* converter_ = nullptr;
    TKmLangController* langController_ = nullptr;
    bool converted_ = false;
    bool applyLanguagesOnShow_ = true;
};

} // namespace vondrel
