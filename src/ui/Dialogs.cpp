#include "ui/Dialogs.h"

#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/UiDriver.h"

namespace vondrel {

const TEnumInfo& TEnumTraits<TMsgDlgType>::Info() {
    static const TEnumInfo info("TMsgDlgType",
                                {"mtWarning", "mtError", "mtInformation", "mtConfirmation", "mtCustom"});
    return info;
}
const TEnumInfo& TEnumTraits<TMsgDlgBtn>::Info() {
    static const TEnumInfo info("TMsgDlgBtn", {"mbYes", "mbNo", "mbOK", "mbCancel", "mbAbort", "mbRetry",
                                               "mbIgnore", "mbAll", "mbNoToAll", "mbYesToAll", "mbHelp"});
    return info;
}

namespace {

constexpr const char* kButtonNames[] = {"Yes",    "No",  "OK",      "Cancel",   "Abort", "Retry",
                                        "Ignore", "All", "NoToAll", "YesToAll", "Help"};
constexpr const char* kButtonCaptions[] = {"&Yes",    "&No",  "OK",         "Cancel",      "&Abort", "&Retry",
                                           "&Ignore", "&All", "N&o to All", "Yes to &All", "&Help"};
constexpr TModalResult kButtonResults[] = {mrYes,    mrNo,  mrOk,      mrCancel,   mrAbort, mrRetry,
                                           mrIgnore, mrAll, mrNoToAll, mrYesToAll, mrNone};
constexpr const char* kCaptions[] = {"Warning", "Error", "Information", "Confirm", ""};

} // namespace

const char* ButtonName(TMsgDlgBtn button) noexcept {
    return kButtonNames[button];
}

TModalResult ButtonResult(TMsgDlgBtn button) noexcept {
    return kButtonResults[button];
}

TMessageForm::TMessageForm(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons)
    : TForm(nullptr), message_(text), type_(type), buttons_(buttons) {
    static const TClassInfo& info = DescribeClass("TMessageForm");
    SetClass(info);
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetCaption(type == mtCustom ? Application().Title() : kCaptions[type]);
    label_ = new TLabel(this);
    label_->SetName("Message");
    label_->SetParent(this);
    label_->SetCaption(text);
    label_->SetShowAccelChar(false);
    int left = 8;
    for (int b = mbYes; b <= mbHelp; ++b) {
        const auto kind = static_cast<TMsgDlgBtn>(b);
        if (!buttons.Contains(kind))
            continue;
        auto* button = new TButton(this);
        button->SetName(kButtonNames[b]);
        button->SetParent(this);
        button->SetCaption(kButtonCaptions[b]);
        button->SetModalResult(kButtonResults[b]);
        button->SetBounds(left, 40, 75, 25);
        left += 83;
        buttonControls_.push_back(button);
    }
    if (TButton* button = DefaultButton())
        button->SetDefault(true);
    if (TButton* button = CancelButton())
        button->SetCancel(true);
}

TButton* TMessageForm::DefaultButton() const noexcept {
    for (const char* name : {"OK", "Yes", "Retry"})
        if (auto* button = Find<TButton>(name))
            return button;
    return nullptr;
}

TButton* TMessageForm::CancelButton() const noexcept {
    for (const char* name : {"Cancel", "No", "OK"})
        if (auto* button = Find<TButton>(name))
            return button;
    return nullptr;
}

TModalResult TMessageForm::ShowModal() {
    const TModalResult result = CurrentUiDriver().ShowMessageDialog(*this);
    SetModalResult(result);
    return result;
}

TMessageForm* CreateMessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
    return Create<TMessageForm>(text, type, buttons);
}

TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext) {
    TOwnedPtr<TMessageForm> dialog(CreateMessageDialog(text, type, buttons));
    dialog->SetHelpContext(helpContext);
    return dialog->ShowModal();
}

void ShowMessage(const std::string& text) {
    TOwnedPtr<TMessageForm> dialog(CreateMessageDialog(text, mtCustom, {mbOK}));
    dialog->ShowModal();
}

} // namespace vondrel
