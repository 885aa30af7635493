#include "ShellUiDriver.h"

#include "platform/SysUtils.h"
#include "ui/Button.h"
#include "ui/Menus.h"

namespace vondrel {

namespace {

TJson Strings(const std::vector<std::string>& texts) {
    TJson list = TJson::array();
    for (const std::string& text : texts)
        list.push_back(text);
    return list;
}

const TButton* ButtonNamed(const TMessageForm& dialog, std::string_view name) {
    for (const TButton* button : dialog.ButtonControls())
        if (SameText(button->Name(), name))
            return button;
    return nullptr;
}

} // namespace

const char* DialogTypeName(TMsgDlgType type) noexcept {
    switch (type) {
    case mtWarning:
        return "warning";
    case mtError:
        return "error";
    case mtInformation:
        return "information";
    case mtConfirmation:
        return "confirmation";
    case mtCustom:
        return "custom";
    }
    return "custom";
}

TShellUiDriver::TShellUiDriver(Report report)
    : report_(std::move(report)), scripted_(std::make_shared<TScriptedUiDriver>()) {}

void TShellUiDriver::QueueDialogAnswer(std::string button) {
    dialogAnswers_.push_back(std::move(button));
}

void TShellUiDriver::QueueModal(std::string formClass, TScriptedUiDriver::ModalScript script) {
    modalClasses_.push_back(formClass);
    scripted_->AnswerModal(std::move(formClass), std::move(script));
}

void TShellUiDriver::SetInteractive(AskDialog askDialog, WorkModal workModal) {
    askDialog_ = std::move(askDialog);
    workModal_ = std::move(workModal);
}

TJson TShellUiDriver::DialogEvent(const TUiRecord& record) const {
    TJson event;
    event["event"] = "dialog";
    if (record.What == TUiRecord::Kind::Exception)
        event["exception"] = true;
    event["type"] = DialogTypeName(record.DialogType);
    event["caption"] = record.Caption;
    event["text"] = record.Text;
    event["buttons"] = Strings(record.Buttons);
    event["captions"] = Strings(record.ButtonCaptions);
    event["answer"] = record.Choice;
    event["result"] = record.Result;
    event["answered"] = record.Answered;
    if (!record.Note.empty())
        event["note"] = record.Note;
    return event;
}

TModalResult TShellUiDriver::ShowMessageDialog(TMessageForm& dialog) {
    TUiRecord record;
    std::string mismatch;
    if (!dialog.ShowsException() && !dialogAnswers_.empty()) {
        const std::string answer = dialogAnswers_.front();
        dialogAnswers_.pop_front();
        if (ButtonNamed(dialog, answer))
            scripted_->AnswerDialogButton(answer);
        else
            mismatch = "the answer " + answer + " is not a button of this dialog: default button";
        scripted_->ShowMessageDialog(dialog);
        record = scripted_->Record().back();
    } else if (askDialog_ && !dialog.ShowsException()) {
        record.What = TUiRecord::Kind::MessageDialog;
        record.Caption = dialog.Caption();
        record.Text = dialog.Message();
        record.DialogType = dialog.DialogType();
        for (const TButton* button : dialog.ButtonControls()) {
            record.Buttons.push_back(button->Name());
            record.ButtonCaptions.push_back(button->Caption());
        }
        const TButton* chosen = nullptr;
        if (const auto answer = askDialog_(dialog); answer && !answer->empty()) {
            chosen = ButtonNamed(dialog, *answer);
            record.Answered = chosen != nullptr;
            if (!chosen)
                record.Note = "the answer " + *answer + " is not a button of this dialog: default button";
        }
        if (!chosen) {
            chosen = dialog.DefaultButton();
            if (!chosen && !dialog.ButtonControls().empty())
                chosen = dialog.ButtonControls().front();
            if (record.Note.empty())
                record.Note = "no answer given: default button";
        }
        record.Choice = chosen ? chosen->Name() : std::string();
        record.Result = chosen ? chosen->ModalResult() : mrCancel;
    } else {
        scripted_->ShowMessageDialog(dialog);
        record = scripted_->Record().back();
    }
    if (!mismatch.empty()) {
        record.Answered = false;
        record.Note = mismatch;
    }
    TJson event = DialogEvent(record);
    dialogs_.push_back(event);
    report_(event);
    return record.Result;
}

TModalResult TShellUiDriver::RunModal(TForm& form) {
    TJson event;
    event["event"] = "modal";
    event["class"] = form.ClassName();
    event["name"] = form.Name();
    event["caption"] = form.Caption();
    for (auto it = modalClasses_.begin(); it != modalClasses_.end(); ++it) {
        if (!form.InheritsFrom(*it))
            continue;
        modalClasses_.erase(it);
        event["answered"] = true;
        report_(event);
        return scripted_->RunModal(form);
    }
    if (workModal_) {
        event["answered"] = true;
        event["note"] = "worked at the terminal";
        report_(event);
        return workModal_(form);
    }
    const TModalResult result = scripted_->RunModal(form);
    event["answered"] = false;
    event["note"] = scripted_->Record().back().Note;
    report_(event);
    return result;
}

TMenuItem* TShellUiDriver::TrackPopupMenu(TPopupMenu& menu, TPoint at) {
    TMenuItem* item = scripted_->TrackPopupMenu(menu, at);
    TJson event;
    event["event"] = "popup";
    event["menu"] = menu.Name();
    event["note"] = scripted_->Record().back().Note;
    report_(event);
    return item;
}

bool TShellUiDriver::ShellExecute(const TShellExecuteInfo& info) {
    const bool done = scripted_->ShellExecute(info);
    TJson event;
    event["event"] = "shell-execute";
    event["verb"] = info.Verb;
    event["file"] = info.File;
    event["mask"] = info.Mask;
    report_(event);
    return done;
}

void TShellUiDriver::RepaintWindow(HWND window) {
    scripted_->RepaintWindow(window);
}

std::vector<std::string> TShellUiDriver::ScreenFonts() {
    return scripted_->ScreenFonts();
}

void TShellUiDriver::ExceptionShown(const std::exception& error) {
    scripted_->ExceptionShown(error);
}

void TShellUiDriver::FormShown(TForm& form) {
    scripted_->FormShown(form);
}

} // namespace vondrel
