#pragma once

#include "framework/BaseGene.h"

#include <string>

namespace vondrel {

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;

/// A job form for testing the controller and the shell before the real start-up exists:
/// it accepts a session array of at least five elements once, reads the program name
/// through the shell's validator, and otherwise shows the catalogue's start-up messages
/// and asks to be closed, as a job form does. Its buttons submit the job to the server in
/// this process (ResultCode 1, the job number) or cancel (2); F2 in edCode asks the shell's lookup service;
/// run commands are written to CommandLog (mode 99 raises). For the user "ECHO" its own show, hide and
/// destroy handlers show a dialog each ("own OnShow" ...), so that their order is seen.
class TfrmTestJob : public TfrmBaseGene {
public:
    explicit TfrmTestJob(TComponent* owner);

    bool AcceptSession(const Variant& param) override;
    void ApplyRunCommand(const Variant& command) override;

    const std::string& MessageIdLog() const noexcept { return messageIdLog_; }
    const std::string& MessageTextLog() const noexcept { return messageTextLog_; }
    const std::string& CommandLog() const noexcept { return commandLog_; }

    TEdit* edCode;
    TComboBox* cbKind;
    TCheckBox* chk15;
    TButton* btnOk;
    TButton* btnCancel;

protected:
    void FormShow(TObject* sender) override;

private:
    void PostMessageId(const std::string& id);
    void Echo(const char* what);
    void LookupCode();
    /// Queues the job with the application server: its option array holds edCode.
    void Submit();

    std::string messageIdLog_;
    std::string messageTextLog_;
    std::string commandLog_;
};

} // namespace vondrel
