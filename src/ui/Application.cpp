#include "ui/Application.h"

#include "ui/Dialogs.h"
#include "ui/UiDriver.h"

namespace vondrel {

TApplication::TApplication() = default;

TApplication& Application() {
    static TApplication application;
    return application;
}

void TApplication::ProcessMessages() {
    CurrentUiDriver().ProcessMessages();
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    TMsgDlgType type = mtCustom;
    switch (flags & 0xF0) {
    case MB_ICONERROR:
        type = mtError;
        break;
    case MB_ICONQUESTION:
        type = mtConfirmation;
        break;
    case MB_ICONWARNING:
        type = mtWarning;
        break;
    case MB_ICONINFORMATION:
        type = mtInformation;
        break;
    default:
        break;
    }
    TMsgDlgButtons buttons{mbOK};
    switch (flags & 0x0F) {
    case MB_OKCANCEL:
        buttons = {mbOK, mbCancel};
        break;
    case MB_ABORTRETRYIGNORE:
        buttons = {mbAbort, mbRetry, mbIgnore};
        break;
    case MB_YESNOCANCEL:
        buttons = {mbYes, mbNo, mbCancel};
        break;
    case MB_YESNO:
        buttons = {mbYes, mbNo};
        break;
    case MB_RETRYCANCEL:
        buttons = {mbRetry, mbCancel};
        break;
    default:
        break;
    }
    TOwnedPtr<TMessageForm> dialog(CreateMessageDialog(text, type, buttons));
    dialog->SetCaption(caption);
    return dialog->ShowModal();
}

void TApplication::HandleException(const std::exception& error) {
    if (OnException) {
        OnException(nullptr, error);
        return;
    }
    TOwnedPtr<TMessageForm> dialog(CreateMessageDialog(error.what(), mtError, {mbOK}));
    dialog->SetCaption(title_);
    dialog->SetShowsException(true);
    dialog->ShowModal();
    CurrentUiDriver().ExceptionShown(error);
}

HWND TApplication::Handle() {
    if (!handle_)
        handle_ = AllocateHWnd({});
    return handle_;
}

} // namespace vondrel
