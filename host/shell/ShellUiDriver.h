#pragma once

#include "ShellJson.h"

#include "ui/ScriptedUiDriver.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vondrel {

/// The shell's UI driver. Answers queued by the script are used first; what is left goes
/// to the person at the terminal when there is one (interactive runs), else the scripted
/// driver takes the default (a dialog's default button, a modal form closed with cancel)
/// and says so. Every dialog, modal form and shell request is reported as a JSON event.
class TShellUiDriver : public UiDriver {
public:
    using Report = std::function<void(const TJson& event)>;
    /// Asks the person for a dialog's answer: a button name, or nothing for the default.
    using AskDialog = std::function<std::optional<std::string>(const TMessageForm& dialog)>;
    /// Lets the person work in a modal form; returns the result to end with when the form
    /// set none.
    using WorkModal = std::function<TModalResult(TForm& form)>;

    explicit TShellUiDriver(Report report);

    /// The answer (a button name) for the next dialog.
    void QueueDialogAnswer(std::string button);
    /// The next modal form of the class (or a descendant) runs the script.
    void QueueModal(std::string formClass, TScriptedUiDriver::ModalScript script);
    /// Makes the run interactive: what the script did not answer is asked of the person.
    void SetInteractive(AskDialog askDialog, WorkModal workModal);

    /// Every dialog shown so far, as reported.
    const std::vector<TJson>& Dialogs() const noexcept { return dialogs_; }

    TModalResult ShowMessageDialog(TMessageForm& dialog) override;
    TModalResult RunModal(TForm& form) override;
    TMenuItem* TrackPopupMenu(TPopupMenu& menu, TPoint at) override;
    bool ShellExecute(const TShellExecuteInfo& info) override;
    void RepaintWindow(HWND window) override;
    std::vector<std::string> ScreenFonts() override;
    void ExceptionShown(const std::exception& error) override;
    void FormShown(TForm& form) override;

private:
    TJson DialogEvent(const TUiRecord& record) const;

    Report report_;
    std::shared_ptr<TScriptedUiDriver> scripted_;
    std::deque<std::string> dialogAnswers_;
    std::deque<std::string> modalClasses_;
    AskDialog askDialog_;
    WorkModal workModal_;
    std::vector<TJson> dialogs_;
};

/// The JSON name of a dialog type: "warning", "error", "information", "confirmation",
/// "custom".
const char* DialogTypeName(TMsgDlgType type) noexcept;

} // namespace vondrel
