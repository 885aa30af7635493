#pragma once

#include "ui/Dialogs.h"
#include "ui/UiDriver.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace vondrel {

/// A script cannot go on: an answer that does not fit what was shown, or a modal form
/// that will not close.
class EScriptedUiError : public Exception {
    using Exception::Exception;
};

/// One thing the driver was asked to show or do.
struct TUiRecord {
    enum class Kind { MessageDialog, Exception, ModalForm, PopupMenu, ShellExecute, Repaint };
    Kind What = Kind::MessageDialog;
    std::string Caption; ///< dialog or form caption
    std::string Text;    ///< the dialog's message
    TMsgDlgType DialogType = mtCustom;
    std::vector<std::string> Buttons;        ///< button names ("OK", "Yes") in order
    std::vector<std::string> ButtonCaptions; ///< as shown
    std::string FontName;
    int FontCharset = 0;
    int FontHeight = 0;
    std::string FormClass; ///< modal forms
    std::string Name;      ///< the form's or popup menu's component name
    std::string Choice;    ///< the button or menu item chosen (its name)
    TModalResult Result = mrNone;
    bool Answered = false; ///< a queued answer was used (else the default)
    std::string Note;      ///< why the default was taken
    TShellExecuteInfo Shell;
    HWND Window = 0;
};
const char* UiRecordKindName(TUiRecord::Kind kind) noexcept;

/// A UI driver that answers from queued answers and records everything shown: message
/// dialogs are answered by the first queued dialog answer whose text filter matches
/// (else with their default button, noted in the record); modal forms by the first
/// answer queued for their class (a modal result, or a script that drives the form
/// through the user simulation and returns a result); popup menus by an item name.
/// Tests and the shell's unattended mode use it.
class TScriptedUiDriver : public UiDriver {
public:
    using ModalScript = std::function<TModalResult(TForm& form)>;

    TScriptedUiDriver();

    void AnswerDialog(TModalResult result, std::string textContains = {});
    /// Answers with the button of that name ("Yes", "Cancel").
    void AnswerDialogButton(std::string buttonName, std::string textContains = {});
    void AnswerModal(std::string formClass, TModalResult result);
    void AnswerModal(std::string formClass, ModalScript script);
    /// The item (by name) chosen from the popup menu of that name; an empty item name
    /// dismisses the menu.
    void AnswerPopup(std::string menuName, std::string itemName);
    void AnswerShellExecute(bool success);
    void SetScreenFonts(std::vector<std::string> fonts) { fonts_ = std::move(fonts); }
    /// Exceptions shown to the person raise EScriptedUiError instead (tests that expect none).
    void SetFailOnException(bool value) noexcept { failOnException_ = value; }

    /// Answers not used yet.
    std::size_t PendingAnswers() const noexcept;
    const std::vector<TUiRecord>& Record() const noexcept { return record_; }
    /// The message dialogs and exceptions shown, in order.
    std::vector<TUiRecord> Dialogs() const;
    void ClearRecord() { record_.clear(); }

    TModalResult ShowMessageDialog(TMessageForm& dialog) override;
    TModalResult RunModal(TForm& form) override;
    TMenuItem* TrackPopupMenu(TPopupMenu& menu, TPoint at) override;
    bool ShellExecute(const TShellExecuteInfo& info) override;
    void RepaintWindow(HWND window) override;
    std::vector<std::string> ScreenFonts() override { return fonts_; }
    void ExceptionShown(const std::exception& error) override;
    void FormShown(TForm& form) override;

private:
    struct DialogAnswer {
        TModalResult Result = mrNone;
        std::string ButtonName;
        std::string TextContains;
    };
    struct ModalAnswer {
        std::string FormClass;
        TModalResult Result = mrNone;
        ModalScript Script;
    };
    struct PopupAnswer {
        std::string MenuName;
        std::string ItemName;
    };

    std::deque<DialogAnswer> dialogAnswers_;
    std::deque<ModalAnswer> modalAnswers_;
    std::deque<PopupAnswer> popupAnswers_;
    std::deque<bool> shellAnswers_;
    std::vector<TUiRecord> record_;
    std::vector<std::string> fonts_;
    bool failOnException_ = false;
    /// The modal form last closed for want of an answer, while it stays up: asked again,
    /// it refuses to close.
    TComponentRef<const TForm> lastUnanswered_;
};

} // namespace vondrel
