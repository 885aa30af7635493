#include "ui/ScriptedUiDriver.h"

#include "ui/Button.h"
#include "ui/Menus.h"

#include "platform/SysUtils.h"

namespace vondrel {

const char* UiRecordKindName(TUiRecord::Kind kind) noexcept {
    switch (kind) {
    case TUiRecord::Kind::MessageDialog:
        return "dialog";
    case TUiRecord::Kind::Exception:
        return "exception";
    case TUiRecord::Kind::ModalForm:
        return "modal";
    case TUiRecord::Kind::PopupMenu:
        return "popup";
    case TUiRecord::Kind::ShellExecute:
        return "shell";
    case TUiRecord::Kind::Repaint:
        return "repaint";
    }
    return "?";
}

TScriptedUiDriver::TScriptedUiDriver()
    : fonts_{"宋体",    "新宋体", "SimSun", "NSimSun",       "新細明體",        "細明體",     "PMingLiU",
             "MingLiU", "Tahoma", "Arial",  "MS Sans Serif", "Times New Roman", "Courier New"} {}

void TScriptedUiDriver::AnswerDialog(TModalResult result, std::string textContains) {
    dialogAnswers_.push_back({result, {}, std::move(textContains)});
}

void TScriptedUiDriver::AnswerDialogButton(std::string buttonName, std::string textContains) {
    dialogAnswers_.push_back({mrNone, std::move(buttonName), std::move(textContains)});
}

void TScriptedUiDriver::AnswerModal(std::string formClass, TModalResult result) {
    modalAnswers_.push_back({std::move(formClass), result, {}});
}

void TScriptedUiDriver::AnswerModal(std::string formClass, ModalScript script) {
    modalAnswers_.push_back({std::move(formClass), mrNone, std::move(script)});
}

void TScriptedUiDriver::AnswerPopup(std::string menuName, std::string itemName) {
    popupAnswers_.push_back({std::move(menuName), std::move(itemName)});
}

void TScriptedUiDriver::AnswerShellExecute(bool success) {
    shellAnswers_.push_back(success);
}

std::size_t TScriptedUiDriver::PendingAnswers() const noexcept {
    return dialogAnswers_.size() + modalAnswers_.size() + popupAnswers_.size() + shellAnswers_.size();
}

std::vector<TUiRecord> TScriptedUiDriver::Dialogs() const {
    std::vector<TUiRecord> dialogs;
    for (const TUiRecord& entry : record_)
        if (entry.What == TUiRecord::Kind::MessageDialog || entry.What == TUiRecord::Kind::Exception)
            dialogs.push_back(entry);
    return dialogs;
}

TModalResult TScriptedUiDriver::ShowMessageDialog(TMessageForm& dialog) {
    TUiRecord entry;
    entry.What = dialog.ShowsException() ? TUiRecord::Kind::Exception : TUiRecord::Kind::MessageDialog;
    entry.Caption = dialog.Caption();
    entry.Text = dialog.Message();
    entry.DialogType = dialog.DialogType();
    entry.FontName = dialog.Font()->Name();
    entry.FontCharset = dialog.Font()->Charset();
    entry.FontHeight = dialog.Font()->Height();
    for (const TButton* button : dialog.ButtonControls()) {
        entry.Buttons.push_back(button->Name());
        entry.ButtonCaptions.push_back(button->Caption());
    }

    const TButton* chosen = nullptr;
    if (!dialog.ShowsException()) {
        for (auto it = dialogAnswers_.begin(); it != dialogAnswers_.end(); ++it) {
            if (!it->TextContains.empty() && dialog.Message().find(it->TextContains) == std::string::npos)
                continue;
            for (const TButton* button : dialog.ButtonControls())
                if (it->ButtonName.empty() ? button->ModalResult() == it->Result
                                           : SameText(button->Name(), it->ButtonName))
                    chosen = button;
            if (!chosen) {
                const std::string wanted =
                    it->ButtonName.empty() ? "result " + std::to_string(it->Result) : it->ButtonName;
                dialogAnswers_.erase(it);
                record_.push_back(entry);
                throw EScriptedUiError("the answer " + wanted + " is not a button of the dialog \"" +
                                       dialog.Message() + "\"");
            }
            dialogAnswers_.erase(it);
            entry.Answered = true;
            break;
        }
    }
    if (!chosen) {
        chosen = dialog.DefaultButton();
        if (!chosen && !dialog.ButtonControls().empty())
            chosen = dialog.ButtonControls().front();
        entry.Note = dialog.ShowsException() ? "exception shown" : "no answer queued: default button";
    }
    entry.Choice = chosen ? chosen->Name() : std::string();
    entry.Result = chosen ? chosen->ModalResult() : mrCancel;
    record_.push_back(entry);
    return entry.Result;
}

void TScriptedUiDriver::ExceptionShown(const std::exception& error) {
    if (failOnException_)
        throw EScriptedUiError(std::string("exception shown: ") + error.what());
}

void TScriptedUiDriver::FormShown(TForm& form) {
    // A new modal run of the form starts.
    if (lastUnanswered_.Get() == &form)
        lastUnanswered_ = nullptr;
}

TModalResult TScriptedUiDriver::RunModal(TForm& form) {
    TUiRecord entry;
    entry.What = TUiRecord::Kind::ModalForm;
    entry.Caption = form.Caption();
    entry.FormClass = form.ClassName();
    entry.Name = form.Name();
    for (auto it = modalAnswers_.begin(); it != modalAnswers_.end(); ++it) {
        if (!form.InheritsFrom(it->FormClass))
            continue;
        ModalAnswer answer = std::move(*it);
        modalAnswers_.erase(it);
        lastUnanswered_ = nullptr;
        entry.Answered = true;
        const std::size_t position = record_.size();
        record_.push_back(entry);
        const TModalResult result = answer.Script ? answer.Script(form) : answer.Result;
        record_[position].Result = result;
        return result;
    }
    if (lastUnanswered_.Get() == &form)
        throw EScriptedUiError("the modal form " + form.ClassName() +
                               " does not close and no answer is queued");
    lastUnanswered_ = &form;
    entry.Result = mrCancel;
    entry.Note = "no answer queued: closed";
    record_.push_back(entry);
    return mrCancel;
}

TMenuItem* TScriptedUiDriver::TrackPopupMenu(TPopupMenu& menu, TPoint) {
    TUiRecord entry;
    entry.What = TUiRecord::Kind::PopupMenu;
    entry.Name = menu.Name();
    TMenuItem* chosen = nullptr;
    for (auto it = popupAnswers_.begin(); it != popupAnswers_.end(); ++it) {
        if (!SameText(it->MenuName, menu.Name()))
            continue;
        const std::string itemName = it->ItemName;
        popupAnswers_.erase(it);
        entry.Answered = true;
        if (!itemName.empty()) {
            chosen = menu.FindItem(itemName);
            if (!chosen) {
                record_.push_back(entry);
                throw EScriptedUiError("the popup menu " + menu.Name() + " has no item " + itemName);
            }
        }
        break;
    }
    if (!entry.Answered)
        entry.Note = "no answer queued: dismissed";
    entry.Choice = chosen ? chosen->Name() : std::string();
    record_.push_back(entry);
    return chosen;
}

bool TScriptedUiDriver::ShellExecute(const TShellExecuteInfo& info) {
    TUiRecord entry;
    entry.What = TUiRecord::Kind::ShellExecute;
    entry.Shell = info;
    bool success = true;
    if (!shellAnswers_.empty()) {
        success = shellAnswers_.front();
        shellAnswers_.pop_front();
        entry.Answered = true;
    }
    entry.Result = success ? 1 : 0;
    record_.push_back(entry);
    return success;
}

void TScriptedUiDriver::RepaintWindow(HWND window) {
    TUiRecord entry;
    entry.What = TUiRecord::Kind::Repaint;
    entry.Window = window;
    record_.push_back(entry);
}

} // namespace vondrel
