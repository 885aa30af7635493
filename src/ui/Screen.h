#pragma once

#include "ui/Font.h"
#include "ui/Strings.h"
#include "ui/Types.h"

#include <memory>
#include <vector>

namespace vondrel {

class TForm;
class TWinControl;

/// The screen: its forms (the active one first in the activation order), the control
/// with the focus, its fonts. One per program.
class TScreen {
public:
    TScreen();
    ~TScreen();

    int Width() const noexcept { return 1024; }
    int Height() const noexcept { return 768; }
    int PixelsPerInch() const noexcept { return kPixelsPerInch; }

    /// Every form that exists, in creation order.
    const std::vector<TForm*>& Forms() const noexcept { return forms_; }
    TForm* ActiveForm() const noexcept;
    /// The control with the focus (of the active form), or nullptr.
    TWinControl* ActiveControl() const noexcept;
    /// The modal form the user is working in (the most recent one), or nullptr.
    TForm* TopModalForm() const noexcept;

    /// The names of the fonts installed on the screen (asked of the UI driver).
    TStrings* Fonts();
    TFont* IconFont() const noexcept { return iconFont_.get(); }
    TFont* HintFont() const noexcept { return hintFont_.get(); }
    TFont* MenuFont() const noexcept { return menuFont_.get(); }
    TCursor Cursor() const noexcept { return cursor_; }
    void SetCursor(TCursor cursor) noexcept { cursor_ = cursor; }

private:
    friend class TForm;
    void AddForm(TForm* form);
    void RemoveForm(TForm* form);
    void FormActivated(TForm* form);
    void FormDeactivated(TForm* form);
    /// The form to activate when the active one goes: the most recently active visible one.
    TForm* NextFormToActivate(const TForm* leaving) const noexcept;
    void PushModal(TForm* form);
    void PopModal(TForm* form);

    std::vector<TForm*> forms_;
    std::vector<TForm*> activation_;
    std::vector<TForm*> modal_;
    TStringList fonts_;
    std::unique_ptr<TFont> iconFont_;
    std::unique_ptr<TFont> hintFont_;
    std::unique_ptr<TFont> menuFont_;
    TCursor cursor_ = crDefault;
};

TScreen& Screen();

} // namespace vondrel
