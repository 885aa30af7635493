#pragma once

#include "ui/Form.h"

#include <string>
#include <vector>

namespace vondrel {

class TButton;
class TLabel;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp
};
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
template <>
struct TEnumTraits<TMsgDlgType> {
    static const TEnumInfo& Info();
};
template <>
struct TEnumTraits<TMsgDlgBtn> {
    static const TEnumInfo& Info();
};

inline constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

/// The button's name ("Yes", "OK", "NoToAll"), also the name of its component on the
/// dialog; LocalButtonCaption and scripts use it.
const char* ButtonName(TMsgDlgBtn button) noexcept;
TModalResult ButtonResult(TMsgDlgBtn button) noexcept;

/// The platform's standard message dialog: a form with the message label and one button
/// per kind asked for, each a component named after its kind ("OK", "Yes"). Its caption,
/// button captions and font may be changed before it is shown. Showing it modally goes
/// to the UI driver, which answers with the modal result of a button.
class TMessageForm : public TForm {
public:
    TMessageForm(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);

    const std::string& Message() const noexcept { return message_; }
    TMsgDlgType DialogType() const noexcept { return type_; }
    TMsgDlgButtons Buttons() const noexcept { return buttons_; }
    /// The buttons in the order shown.
    const std::vector<TButton*>& ButtonControls() const noexcept { return buttonControls_; }
    /// The button Enter presses: OK, else Yes, else Retry; nullptr when none of them.
    TButton* DefaultButton() const noexcept;
    /// The button Esc presses: Cancel, else No, else OK; nullptr when none of them.
    TButton* CancelButton() const noexcept;
    /// An exception's message shown by the application.
    bool ShowsException() const noexcept { return exception_; }
    void SetShowsException(bool value) noexcept { exception_ = value; }

    TModalResult ShowModal() override;

private:
    std::string message_;
    TMsgDlgType type_;
    TMsgDlgButtons buttons_;
    std::vector<TButton*> buttonControls_;
    TLabel* label_ = nullptr;
    bool exception_ = false;
};

/// A message dialog not shown yet (the caller owns it and frees it).
TMessageForm* CreateMessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);
/// Shows a message dialog and returns the modal result of the button chosen.
TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                        int helpContext = 0);
void ShowMessage(const std::string& text);

} // namespace vondrel
