#pragma once

#include "Script.h"
#include "ShellJson.h"
#include "ShellOptions.h"
#include "ShellSession.h"
#include "ShellUiDriver.h"

#include "platform/Library.h"
#include "ui/Messages.h"

#include <vondrel/Controller.h>

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vondrel {

class TForm;

/// The shell cannot run the job: a missing or unloadable module, a module without the
/// export, a bad install folder, a controller that cannot be made.
class EShellError : public Exception {
    using Exception::Exception;
};

/// A job module loaded by file name. The library stays loaded for the life of the
/// process: the control model keeps descriptions of the module's classes.
class TJobModule {
public:
    /// Loads the library and finds GetController; raises EShellError.
    explicit TJobModule(const std::string& fileName);

    const std::string& Path() const noexcept { return path_; }
    /// A new controller from the module's export (its exceptions pass through).
    TDLLBaseController* NewController() const { return getController_(); }

private:
    std::string path_;
    HMODULE handle_ = 0;
    GetControllerProc getController_ = nullptr;
};

/// Where a person at a terminal types commands and reads what happens.
class TTerminal {
public:
    virtual ~TTerminal() = default;
    /// A line typed after the prompt; nothing at the end of the input.
    virtual std::optional<std::string> ReadLine(const std::string& prompt) = 0;
    virtual void Write(const std::string& text) = 0;
};

/// A terminal on two streams (standard input and output, or strings in tests).
class TStreamTerminal : public TTerminal {
public:
    TStreamTerminal(std::istream& in, std::ostream& out) : in_(in), out_(out) {}
    std::optional<std::string> ReadLine(const std::string& prompt) override;
    void Write(const std::string& text) override;

private:
    std::istream& in_;
    std::ostream& out_;
};

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
