#pragma once

#include "JobModule.h"
#include "Script.h"
#include "ShellJson.h"
#include "ShellOptions.h"
#include "ShellSession.h"
#include "ShellUiDriver.h"
#include "Terminal.h"

#include "ui/Messages.h"

#include <vondrel/Controller.h>

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vondrel {

class TForm;

/// One job window driven by the shell: the install folder and its session object, the
/// module and its controller, the UI driver, and the commands of a script or a terminal.
/// Every event goes to the output as one JSON line.
class TShellRun {
public:
    TShellRun(TShellOptions options, std::ostream& out);
    ~TShellRun();
    TShellRun(const TShellRun&) = delete;
    TShellRun& operator=(const TShellRun&) = delete;

    /// Reads the installation, loads the module, makes the controller, hands it the
    /// session and creates the job form; raises EShellError when the job cannot run.
    void Start();
    /// Runs commands; false when one of them ended the run (quit).
    bool Run(const std::vector<TScriptCommand>& commands, TForm* target = nullptr);
    /// Reads commands from a terminal until its input ends or "quit", showing the form
    /// after each one.
    void RunInteractive(TTerminal& terminal);
    /// Releases a form that is still there, reports the outcome and drops the controller.
    void Finish();

    /// 0 when the form accepted the session, -1 when not; empty before Start.
    std::optional<std::int32_t> StartResult() const noexcept { return startResult_; }
    TDLLBaseController* Controller() noexcept { return controller_.get(); }
    TShellSession& Session() noexcept { return *session_; }
    TShellUiDriver& Driver() noexcept { return *driver_; }
    /// The job form while it exists.
    TForm* JobForm();
    /// The window the shell offers the form for repaint requests.
    HWND ShellWindow() const noexcept { return shellWindow_; }

private:
    static void Notify(void* data, std::int32_t code, TDLLBaseController* sender);

    void Report(const TJson& event);
    void Refused(const TScriptCommand& command, const std::string& reason);
    TShellSessionSettings PrepareInstall();
    Variant SessionParameters() const;
    bool Execute(const TScriptCommand& command, TForm* target);
    void Answer(const TScriptCommand& command);
    void Dump(const TScriptCommand& command, TForm* target);
    TForm* TargetForm(TForm* target);
    TModalResult WorkModal(TTerminal& terminal, TForm& form);
    std::optional<std::vector<TScriptCommand>> ReadCommands(TTerminal& terminal, const std::string& prompt);

    TShellOptions options_;
    std::ostream& out_;
    std::shared_ptr<TShellUiDriver> driver_;
    std::shared_ptr<UiDriver> previousDriver_;
    std::optional<std::string> previousRegistry_;
    bool registrySet_ = false;
    std::shared_ptr<TShellSession> session_;
    std::unique_ptr<TJobModule> module_;
    std::unique_ptr<TDLLBaseController> controller_;
    HWND shellWindow_ = 0;
    std::optional<std::int32_t> startResult_;
    bool quit_ = false;
};

/// The shell program: parses the arguments, runs the job and returns the exit status
/// (0 the run went through, 1 the job could not be run, 2 a bad command line or script).
int RunShell(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace vondrel
