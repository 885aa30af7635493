#pragma once

#include "framework/KMForm.h"

#include <vondrel/Variant.h>

#include <cstdint>
#include <string>

namespace vondrel {

/// The generic job form every batch or report job inherits: it takes the session from
/// the controller, derives the program code from the library's file name, obtains the
/// shell's services, reads the system parameters and the program master, and connects
/// to the application server.
class TfrmBaseGene : public TKMForm {
public:
    explicit TfrmBaseGene(TComponent* owner);
    ~TfrmBaseGene() override;

    /// The full file name of the library the form was created from.
    void SetModulePath(const std::string& path);
    const std::string& ModulePath() const noexcept { return modulePath_; }

    /// Start-up with the session parameter array [user, company, database, shell window,
    /// extra]; false when the session was refused (the form then closes itself).
    virtual bool AcceptSession(const Variant& param);
    /// Runs the job with saved options: [ignored, [mode, [restore flag, saved data]]].
    virtual void ApplyRunCommand(const Variant& command);

    /// The shell's session object, copied in by the controller.
    Variant Session;
    /// The outcome the controller reads when the form is destroyed: 0 nothing done,
    /// 1 job submitted or run (ResultValue holds the job number), 2 cancelled.
    std::int32_t ResultCode = 0;
    Variant ResultValue;

    const std::string& VersionStamp() const noexcept { return versionStamp_; }
    const std::string& UserId() const noexcept { return userId_; }
    const std::string& CompanyCode() const noexcept { return companyCode_; }
    const std::string& DatabaseName() const noexcept { return databaseName_; }
    const std::string& ProgramCode() const noexcept { return programCode_; }
    const std::string& ProgramName() const noexcept { return programName_; }

protected:
    std::string modulePath_;
    std::string versionStamp_;
    std::string userId_;
    std::string companyCode_;
    std::string databaseName_;
    std::string programCode_;
    std::string programName_;
};

} // namespace vondrel
