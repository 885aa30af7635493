#include "ui/Screen.h"

#include "ui/Form.h"
#include "ui/UiDriver.h"

#include <algorithm>

namespace vondrel {

TScreen::TScreen()
    : iconFont_(std::make_unique<TFont>()), hintFont_(std::make_unique<TFont>()),
      menuFont_(std::make_unique<TFont>()) {}

TScreen::~TScreen() = default;

TScreen& Screen() {
    static TScreen screen;
    return screen;
}

TForm* TScreen::ActiveForm() const noexcept {
    return activation_.empty() || !activation_.front()->Active() ? nullptr : activation_.front();
}

TWinControl* TScreen::ActiveControl() const noexcept {
    const TForm* form = ActiveForm();
    return form ? form->ActiveControl() : nullptr;
}

TForm* TScreen::TopModalForm() const noexcept {
    return modal_.empty() ? nullptr : modal_.back();
}

TStrings* TScreen::Fonts() {
    fonts_.BeginUpdate();
    fonts_.Clear();
    for (const std::string& name : CurrentUiDriver().ScreenFonts())
        fonts_.Add(name);
    fonts_.EndUpdate();
    return &fonts_;
}

void TScreen::AddForm(TForm* form) {
    forms_.push_back(form);
}

void TScreen::RemoveForm(TForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    activation_.erase(std::remove(activation_.begin(), activation_.end(), form), activation_.end());
    modal_.erase(std::remove(modal_.begin(), modal_.end(), form), modal_.end());
}

void TScreen::FormActivated(TForm* form) {
    activation_.erase(std::remove(activation_.begin(), activation_.end(), form), activation_.end());
    activation_.insert(activation_.begin(), form);
}

void TScreen::FormDeactivated(TForm*) {}

TForm* TScreen::NextFormToActivate(const TForm* leaving) const noexcept {
    for (TForm* form : activation_)
        if (form != leaving && form->Visible() && !form->Destroying())
            return form;
    return nullptr;
}

void TScreen::PushModal(TForm* form) {
    modal_.push_back(form);
}

void TScreen::PopModal(TForm* form) {
    modal_.erase(std::remove(modal_.begin(), modal_.end(), form), modal_.end());
}

} // namespace vondrel
