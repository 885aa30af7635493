#include "framework/KMForm.h"

namespace vondrel {

TKMForm::TKMForm(TComponent* owner) : TForm(owner) {
    static const TClassInfo& info = DescribeClass<TKMForm>("TKMForm", [](TClassBuilder<TKMForm>&) {});
    SetClass(info);
    SetWidth(400);
    SetHeight(191);
    SetPosition(poScreenCenter);
    SetKeyPreview(true);
    SetScaled(false);
    OnCreate = TNotifyEvent(this, &TKMForm::FormCreate);
    OnShow = TNotifyEvent(this, &TKMForm::FormShow);
}

TKMForm::~TKMForm() = default;

TCodeConverter& TKMForm::KmConverter() {
    if (!converter_)
        converter_ = std::make_unique<TCodeConverter>();
    return *converter_;
}

const TCodeConverter& TKMForm::KmConverter() const {
    return const_cast<TKMForm*>(this)->KmConverter();
}

void TKMForm::ConvertFormOnce() {
    if (converted_)
        return;
    converted_ = true;
}

void TKMForm::ApplyLanguageFiles(TComponent*, bool) {}

void TKMForm::ApplyLanguageFilesBelowBase(TComponent*, bool) {}

void TKMForm::GetFormText(std::string_view, std::string_view, std::string& text, bool convertDefault,
                          std::string_view defaultText) {
    const Variant fallback{std::string(defaultText)};
    text = convertDefault ? VarToStr(KmConverter().ConvertUIValue(fallback)) : std::string(defaultText);
}

TModalResult TKMForm::ShowMessageDlg(const std::string& text, TMsgDlgType dialogType,
                                     TMsgDlgButtons buttons) {
    return MessageDlg(text, dialogType, buttons);
}

void TKMForm::FormCreate(TObject*) {
    converted_ = false;
    applyLanguagesOnShow_ = true;
}

void TKMForm::FormShow(TObject*) {
    if (applyLanguagesOnShow_)
        ApplyLanguageFiles(this, true);
}

} // namespace vondrel
