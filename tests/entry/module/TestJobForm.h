#pragma once

#include "framework/BaseGene.h"

#include <string>

namespace vondrel {

class TCheckBox;
class TComboBox;
class TEdit;

/// A small job form on the real base form, for testing the controller and the shell: it
/// starts up as every job form does (the application server named as the run-mode form
/// names it), its OK button submits a job whose one option is edCode to the server in this
/// process (ResultCode 1, the job number), its cancel button leaves ResultCode 2; F2 in
/// edCode asks the shell's lookup service; run commands are written to CommandLog (mode
/// 99 raises). For the user "ECHO" its own show, hide and destroy handlers show a dialog
/// each ("own OnShow" ...), so that their order is seen.
class TfrmTestJob : public TfrmBaseGene {
public:
    explicit TfrmTestJob(TComponent* owner);

    void ApplyRunCommand(const Variant& command) override;
    void HandleF2Key(Word key, TWinControl* control) override;

    const std::string& CommandLog() const noexcept { return commandLog_; }

    TEdit* edCode;
    TComboBox* cbKind;
    TCheckBox* chk15;

protected:
    void PrepareConnection(TSocketConnection* connection) override;
    void FormShow(TObject* sender) override;
    void FormDestroy(TObject* sender) override;
    void btnOkClick(TObject* sender) override;
    void btnCancelClick(TObject* sender) override;

private:
    void Echo(const char* what);

    std::string commandLog_;
};

} // namespace vondrel
