#pragma once

#include "TestSession.h"

#include "framework/BaseGene.h"

#include "support/DemoInstall.h"
#include "support/FixedPlatform.h"
#include "support/TempFolder.h"
#include "support/UiFixture.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vondrel {
class TEdit;
class TMemo;
class TSelectPanel;
class TStringGrid;
} // namespace vondrel

namespace vondrel::test {

/// A fresh demo company whose folder is also a client installation: the registry names
/// it as the client folder, its client settings name the application server, and it has
/// the demo's language files.
class TJobFormInstall {
public:
    TJobFormInstall();
    /// Rewrites the client settings with this server address and interface code page.
    void WriteClientIni(const std::string& computerName = "127.0.0.1", const std::string& uiCodePage = "936");
    const std::string& Folder() const noexcept { return demo_.Folder(); }

private:
    TTempDemo demo_;
    std::optional<ScopedEnv> registry_;
};

/// A job form as the tests drive it: the base form with five options on its first page,
/// the server named the way the run-mode form names it, the lookup service wanted, and
/// the F2 requests it receives noted.
class TfrmTestJob : public TfrmBaseGene {
public:
    explicit TfrmTestJob(TComponent* owner);

    void InitOptions() override;
    void PrepareConnection(TSocketConnection* connection) override;
    void RightsApplied() override;
    void HandleF2Key(Word key, TWinControl* control) override;

    /// Sets the program code as start-up derives it (for help topics).
    void UseProgramCode(const std::string& code) { programCode_ = code; }

    TEdit* ed01 = nullptr;
    TEdit* ed02 = nullptr;
    TMemo* me03 = nullptr;
    TStringGrid* sg04 = nullptr;
    TSelectPanel* sp05 = nullptr;

    std::string ServerToUse = "Quorvex.dmReportCounter";
    int LookupFlagsToUse = 4;
    int RightsAppliedCount = 0;
    std::vector<std::string> F2Requests;
};

inline constexpr const char* kTestModulePath = "/opt/kmb/C_PKG/Zorb71C.so";

/// Tests of the base job form against the reference server on a fresh demo company (one
/// per test suite), with a test session object and a scripted UI driver.
class JobFormTest : public UiTest {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    /// A new form with the module path and the session set, as the controller makes it.
    TfrmTestJob* NewForm(const std::string& modulePath = kTestModulePath);
    /// A new form that accepted a full session of KM01 on the demo company.
    TfrmTestJob* StartedForm();
    /// The session parameter array [user, company, database, window, extra] with the given
    /// number of elements.
    static Variant SessionParam(int count = 5, HWND window = 0);

    TSessionState& State() { return session_->State(); }
    Variant SessionObject() { return Variant(DispatchPtr(session_)); }
    TJobFormInstall& Install() { return *install_; }

private:
    static TJobFormInstall* install_;
    std::optional<ScopedPlatform> platform_;
    std::shared_ptr<TTestSession> session_;
    std::vector<TComponentRef<TfrmTestJob>> forms_;
};

} // namespace vondrel::test
