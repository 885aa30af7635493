#include "ShellRun.h"

#include "FormText.h"

#include "lib/VondrelIni.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Dialogs.h"
#include "ui/Form.h"
#include "ui/Menus.h"
#include "ui/Screen.h"
#include "ui/UserSimulation.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>

namespace vondrel {

namespace {

namespace fs = std::filesystem;

constexpr const char* kRegistryFileName = "registry.reg";
constexpr int kSessionElements = 5;

/// The names of a job record's elements, as the server lists them.
constexpr const char* kJobFields[] = {
    "number", "program",   "company",  "user",   "database", "serverClass",      "kind",     "runMode",
    "start",  "recurring", "computer", "status", "options",  "submittedThrough", "messages", "submittedAt"};

std::string Language(const std::string& langType) {
    const std::string language = UpperCase(Trim(langType));
    for (const std::string& known : CatalogueLanguages())
        if (language == known)
            return language;
    return "CHS";
}

} // namespace

// --- the run --------------------------------------------------------------------------

TShellRun::TShellRun(TShellOptions options, std::ostream& out)
    : options_(std::move(options)), out_(out),
      driver_(std::make_shared<TShellUiDriver>([this](const TJson& event) { Report(event); })) {}

TShellRun::~TShellRun() {
    controller_.reset();
    if (shellWindow_)
        DeallocateHWnd(shellWindow_);
    if (previousDriver_)
        SetUiDriver(previousDriver_);
    if (registrySet_) {
        if (previousRegistry_)
            setenv("VONDREL_REGISTRY", previousRegistry_->c_str(), 1);
        else
            unsetenv("VONDREL_REGISTRY");
    }
}

void TShellRun::Report(const TJson& event) {
    out_ << JsonLine(event) << "\n" << std::flush;
}

void TShellRun::Refused(const TScriptCommand& command, const std::string& reason) {
    TJson event;
    event["event"] = "refused";
    event["line"] = command.Line;
    event["command"] = command.Source;
    event["reason"] = reason;
    Report(event);
}

void TShellRun::Notify(void* data, std::int32_t code, TDLLBaseController*) {
    TJson event;
    event["event"] = "notify";
    event["code"] = code;
    static_cast<TShellRun*>(data)->Report(event);
}

TShellSessionSettings TShellRun::PrepareInstall() {
    if (!options_.InstallFolder.empty()) {
        std::error_code error;
        if (!fs::is_directory(options_.InstallFolder, error))
            throw EShellError("The install folder " + options_.InstallFolder + " does not exist");
        const fs::path registry = fs::absolute(fs::path(options_.InstallFolder) / kRegistryFileName, error);
        if (!fs::is_regular_file(registry, error))
            throw EShellError("The install folder " + options_.InstallFolder + " has no registry file " +
                              kRegistryFileName);
        if (const char* old = std::getenv("VONDREL_REGISTRY"))
            previousRegistry_ = old;
        setenv("VONDREL_REGISTRY", registry.string().c_str(), 1);
        registrySet_ = true;
    }
    const auto registry = SystemRegistry();
    if (!registry->Error().empty())
        throw EShellError("The registry file " + registry->Path() + " cannot be used: " + registry->Error());

    TVondrelIniC client;
    client.Load();
    if (client.ClientPath.empty())
        throw EShellError(
            "The registry file " + registry->Path() +
            " names no install folder (ClientPath of HKEY_LOCAL_MACHINE\\Software\\KMB\\Vondrel)");
    std::error_code error;
    if (!fs::is_directory(client.ClientPath, error))
        throw EShellError("The install folder " + client.ClientPath +
                          " named by the registry does not exist");

    TShellSessionSettings settings;
    settings.InstallFolder = client.ClientPath;
    settings.Language = Language(client.LangType);
    if (client.ServerList.IsArray() && client.ServerList.HighBound(2) >= client.ServerList.LowBound(2))
        settings.ServerAddress = Trim(VarToStr(client.ServerList.At({0, client.ServerList.LowBound(2)})));
    else
        settings.ServerAddress.clear();
    return settings;
}

Variant TShellRun::SessionParameters() const {
    Variant param = VarArrayCreate({{0, options_.SessionSize - 1}});
    const Variant values[kSessionElements] = {options_.User, options_.Company, options_.Database,
                                              static_cast<int>(shellWindow_), ""};
    for (int i = 0; i < options_.SessionSize && i < kSessionElements; ++i)
        param[i] = values[i];
    return param;
}

void TShellRun::Start() {
    const TShellSessionSettings settings = PrepareInstall();
    const std::string cataloguePath = (fs::path(settings.InstallFolder) / kMessageCatalogueFile).string();
    std::error_code error;
    if (!fs::is_regular_file(cataloguePath, error))
        throw EShellError("The install folder " + settings.InstallFolder + " has no message catalogue " +
                          kMessageCatalogueFile);
    try {
        session_ = std::make_shared<TShellSession>(settings, TMessageCatalogue::Load(cataloguePath));
    } catch (const EShellError&) {
        throw;
    } catch (const std::exception& e) {
        throw EShellError(e.what());
    }
    session_->OnHelp = [this](const std::string& system, const std::string& topic) {
        TJson event;
        event["event"] = "help";
        event["system"] = system;
        event["topic"] = topic;
        Report(event);
    };

    module_ = std::make_unique<TJobModule>(options_.ModuleFile);
    previousDriver_ = SetUiDriver(driver_);
    shellWindow_ = AllocateHWnd([](TMessage&) {});

    try {
        controller_.reset(module_->NewController());
    } catch (const std::exception& e) {
        throw EShellError(std::string(kGetControllerExport) + " of " + module_->Path() +
                          " failed: " + e.what());
    }
    if (!controller_)
        throw EShellError(std::string(kGetControllerExport) + " of " + module_->Path() +
                          " gave no controller");
    controller_->Session = Variant(std::static_pointer_cast<Dispatch>(session_));
    controller_->OnNotify = {&TShellRun::Notify, this};

    try {
        startResult_ = controller_->CreateJobForm(SessionParameters());
    } catch (const std::exception& e) {
        throw EShellError("CreateJobForm of " + module_->Path() + " failed: " + e.what());
    }
    TJson event;
    event["event"] = "start";
    event["module"] = module_->Path();
    event["result"] = *startResult_;
    Report(event);
    // Close requests the form posted during its start-up are handled now.
    Application().ProcessMessages();
    if (*startResult_ != 0 && !controller_->IsFormReleased())
        controller_->ReleaseJobForm();
}

TForm* TShellRun::JobForm() {
    if (!controller_ || controller_->IsFormReleased())
        return nullptr;
    return dynamic_cast<TForm*>(FindControl(controller_->GetFormHandle()));
}

TForm* TShellRun::TargetForm(TForm* target) {
    if (target)
        return target;
    if (TForm* modal = Screen().TopModalForm())
        return modal;
    return JobForm();
}

bool TShellRun::Run(const std::vector<TScriptCommand>& commands, TForm* target) {
    TComponentRef<TForm> form(target);
    for (const TScriptCommand& command : commands) {
        if (quit_)
            return false;
        if (target && !form) {
            Refused(command, "the modal form is gone");
            continue;
        }
        try {
            if (!Execute(command, target ? form.Get() : nullptr))
                return false;
        } catch (const std::exception& e) {
            TJson event;
            event["event"] = "error";
            event["line"] = command.Line;
            event["command"] = command.Source;
            event["message"] = e.what();
            Report(event);
        }
    }
    return !quit_;
}

bool TShellRun::Execute(const TScriptCommand& command, TForm* target) {
    const std::string& verb = command.Verb;
    if (verb == "quit") {
        quit_ = true;
        return false;
    }
    if (verb == "answer") {
        Answer(command);
        return true;
    }
    if (verb == "on-modal") {
        const std::vector<TScriptCommand> body = command.Body;
        driver_->QueueModal(command.Name, [this, body](TForm& form) {
            Run(body, &form);
            return mrNone;
        });
        return true;
    }
    if (verb == "dump") {
        Dump(command, target);
        return true;
    }
    if (verb == "show" || verb == "release" || verb == "run-command") {
        if (!controller_ || controller_->IsFormReleased()) {
            Refused(command, "there is no job form");
            return true;
        }
        // A modal window was opened by the job form's own code, which is still running
        // under it: freeing the form (or running a job that may close it) would pull the
        // form away from under that code.
        if (verb != "show" && Screen().TopModalForm()) {
            Refused(command,
                    "the modal window " + Screen().TopModalForm()->Name() + " is open: close it first");
            return true;
        }
        if (verb == "show") {
            controller_->SetFormVisible(-1);
        } else if (verb == "release") {
            controller_->ReleaseJobForm();
        } else {
            const Variant data = command.Text.empty() ? Variant() : JsonTextVariant(command.Text);
            const Variant arg = VarArrayOf({command.Numbers.at(0), VarArrayOf({command.Flag, data})});
            const std::int32_t result = controller_->RunCommand(kRunCommandWithOptions, 0, arg);
            TJson event;
            event["event"] = "run-command";
            event["line"] = command.Line;
            event["result"] = result;
            Report(event);
        }
        Application().ProcessMessages();
        return true;
    }

    TForm* form = TargetForm(target);
    if (!form) {
        Refused(command, "there is no form to work in");
        return true;
    }
    TUserResult result;
    if (verb == "leave") {
        result = User::Leave();
    } else if (verb == "close") {
        result = User::CloseForm(*form);
    } else if (verb == "key" && command.Name.empty()) {
        result = User::Key(command.Key, command.Shift);
    } else {
        TComponent* component = User::Find(*form, command.Name);
        if (!component) {
            Refused(command, "the form " + form->Name() + " has no " + command.Name);
            return true;
        }
        auto* control = dynamic_cast<TControl*>(component);
        auto* item = dynamic_cast<TMenuItem*>(component);
        if (verb == "click" && item)
            result = User::Click(*item);
        else if (!control)
            result = TUserResult::Refused(command.Name + " is not a control");
        else if (verb == "focus")
            result = User::Focus(*control);
        else if (verb == "set")
            result = User::Set(*control, command.Text);
        else if (verb == "click")
            result = User::Click(*control);
        else if (verb == "key")
            result = User::Key(*control, command.Key, command.Shift);
        else if (verb == "check")
            result = User::Check(*control, command.Flag);
        else if (verb == "choose")
            result = command.Numbers.empty() ? User::Choose(*control, command.Text)
                                             : User::Choose(*control, command.Numbers.front());
        else if (verb == "select")
            result = User::Select(*control, command.Numbers);
    }
    if (!result)
        Refused(command, result.Reason);
    return true;
}

void TShellRun::Answer(const TScriptCommand& command) {
    if (command.What == "dialog") {
        driver_->QueueDialogAnswer(command.Name);
        return;
    }
    // The other answers work the shell's windows (and the code tree's) as a person would:
    // type into the field or pick the rows, then confirm.
    struct Step {
        const char* Control;
        std::string Text;
    };
    std::string formClass;
    std::vector<Step> typing;
    std::vector<int> rows;
    if (command.What == "lookup") {
        formClass = "TfrmShellLookup";
        rows = command.Numbers;
    } else if (command.What == "date") {
        formClass = "TfrmShellDate";
        typing.push_back({"edDate", command.Text});
    } else if (command.What == "phrase") {
        formClass = "TfrmShellPhrase";
        typing.push_back({"edPhrase", command.Text});
    } else {
        formClass = "TfrmCodeTree";
        typing.push_back({"edCode", command.Text});
    }
    const bool none = command.Flag;
    driver_->QueueModal(formClass, [this, command, typing, rows, none](TForm& form) {
        auto control = [&](const char* name) { return dynamic_cast<TControl*>(User::Find(form, name)); };
        auto fail = [&](const std::string& reason) {
            Refused(command, reason);
            if (TControl* cancel = control("btnCancel"))
                User::Click(*cancel);
            return mrCancel;
        };
        if (none) {
            if (TControl* cancel = control("btnCancel"))
                User::Click(*cancel);
            return mrCancel;
        }
        for (const Step& step : typing) {
            TControl* field = control(step.Control);
            if (!field)
                return fail("the form " + form.Name() + " has no " + step.Control);
            if (TUserResult typed = User::Set(*field, step.Text); !typed)
                return fail(typed.Reason);
        }
        if (!rows.empty()) {
            TControl* list = control("lvRows");
            if (!list)
                return fail("the form " + form.Name() + " has no lvRows");
            if (TUserResult selected = User::Select(*list, rows); !selected)
                return fail(selected.Reason);
        }
        TControl* ok = control("btnOk");
        if (!ok)
            return fail("the form " + form.Name() + " has no btnOk");
        if (TUserResult clicked = User::Click(*ok); !clicked)
            return fail(clicked.Reason);
        return mrNone;
    });
}

void TShellRun::Dump(const TScriptCommand& command, TForm* target) {
    TJson event;
    event["event"] = "dump";
    event["what"] = command.What;
    if (command.What == "outcome") {
        event["ResultCode"] = controller_ ? controller_->ResultCode : 0;
        event["ResultValue"] = controller_ ? VariantJson(controller_->ResultValue) : VariantJson(Variant());
        event["released"] = !controller_ || controller_->IsFormReleased();
    } else if (command.What == "dialogs") {
        event["dialogs"] = driver_->Dialogs();
    } else if (command.What == "jobs") {
        const Variant jobs = session_->AppServer().Call("GetJobs");
        TJson list = TJson::array();
        if (jobs.IsArray())
            for (int j = jobs.LowBound(); j <= jobs.HighBound(); ++j) {
                const Variant& job = jobs[j];
                TJson entry;
                for (int f = 0; job.IsArray() && f <= job.HighBound() - job.LowBound(); ++f) {
                    const std::string name =
                        f < static_cast<int>(std::size(kJobFields)) ? kJobFields[f] : std::to_string(f);
                    entry[name] = VariantJson(job[job.LowBound() + f]);
                }
                list.push_back(std::move(entry));
            }
        event["jobs"] = std::move(list);
    } else if (command.What == "messages") {
        TForm* form = JobForm();
        if (!form) {
            Refused(command, "there is no job form");
            return;
        }
        for (const char* log : {"MessageIdLog", "MessageTextLog"}) {
            std::string text;
            if (form->GetPropText(log, text) != TPropResult::Ok) {
                Refused(command, "the job form does not publish " + std::string(log));
                return;
            }
            event[log] = text;
        }
    } else {
        TForm* form = TargetForm(target);
        if (!form) {
            Refused(command, "there is no form");
            return;
        }
        if (command.What == "form") {
            event["form"] = FormJson(*form);
        } else {
            const auto* control = dynamic_cast<const TControl*>(User::Find(*form, command.Name));
            if (!control) {
                Refused(command, "the form " + form->Name() + " has no control " + command.Name);
                return;
            }
            if (command.What == "control") {
                event["control"] = ControlJson(*form, *control);
            } else {
                try {
                    event["list"] = ListJson(*control);
                } catch (const std::exception& e) {
                    Refused(command, e.what());
                    return;
                }
            }
        }
    }
    Report(event);
}

void TShellRun::Finish() {
    if (!controller_)
        return;
    Application().ProcessMessages();
    if (!controller_->IsFormReleased())
        controller_->ReleaseJobForm();
    Application().ProcessMessages();
    TJson event;
    event["event"] = "outcome";
    event["ResultCode"] = controller_->ResultCode;
    event["ResultValue"] = VariantJson(controller_->ResultValue);
    Report(event);
    controller_.reset();
}

// --- interactive runs -----------------------------------------------------------------

std::optional<std::vector<TScriptCommand>> TShellRun::ReadCommands(TTerminal& terminal,
                                                                   const std::string& prompt) {
    while (true) {
        auto line = terminal.ReadLine(prompt);
        if (!line)
            return std::nullopt;
        std::string text = *line;
        while (OpenBlocks(text) > 0) {
            auto more = terminal.ReadLine("... ");
            if (!more)
                return std::nullopt;
            text += "\n" + *more;
        }
        try {
            return ParseScript(text);
        } catch (const EScriptSyntax& e) {
            terminal.Write(std::string(e.what()) + "\n");
        }
    }
}

TModalResult TShellRun::WorkModal(TTerminal& terminal, TForm& form) {
    TComponentRef<TForm> alive(&form);
    while (alive && alive->Visible() && alive->ModalResult() == mrNone && !quit_) {
        terminal.Write(FormText(*alive));
        const auto commands = ReadCommands(terminal, alive->Name() + "> ");
        if (!commands) {
            quit_ = true;
            break;
        }
        Run(*commands, alive);
    }
    return quit_ ? mrCancel : mrNone;
}

void TShellRun::RunInteractive(TTerminal& terminal) {
    driver_->SetInteractive(
        [&terminal](const TMessageForm& dialog) -> std::optional<std::string> {
            std::string buttons;
            for (const TButton* button : dialog.ButtonControls())
                buttons += (buttons.empty() ? "" : " ") + button->Name();
            terminal.Write("-- " + std::string(DialogTypeName(dialog.DialogType())) + ": " +
                           dialog.Message() + "\n");
            return terminal.ReadLine("answer (" + buttons + ", Enter for the default)> ");
        },
        [this, &terminal](TForm& form) { return WorkModal(terminal, form); });
    // The terminal is gone once this returns, but releasing the module can still show
    // dialogs: from then on they take their default answers.
    struct TForgetTerminal {
        TShellUiDriver& Driver;
        ~TForgetTerminal() { Driver.SetInteractive({}, {}); }
    } forget{*driver_};
    terminal.Write("Commands: show, focus, set, leave, click, close, key, check, choose, select, answer,\n"
                   "on-modal ... end, run-command, release, dump, quit. The form is shown after each.\n");
    while (!quit_) {
        if (TForm* form = JobForm())
            terminal.Write(FormText(*form));
        else
            terminal.Write("(the job form is gone)\n");
        const auto commands = ReadCommands(terminal, "vondrel> ");
        if (!commands)
            break;
        if (!Run(*commands))
            break;
    }
}

// --- the program ----------------------------------------------------------------------

int RunShell(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    TShellOptions options;
    try {
        options = ParseCommandLine(args);
    } catch (const EShellUsage& e) {
        err << "vondrel: " << e.what() << "\n" << ShellUsage();
        return 2;
    }
    if (options.Help) {
        out << ShellUsage();
        return 0;
    }
    std::vector<TScriptCommand> script;
    if (!options.Interactive()) {
        std::string text;
        if (options.ScriptFile == "-") {
            std::ostringstream buffer;
            buffer << in.rdbuf();
            text = buffer.str();
        } else {
            const auto bytes = ReadFileBytes(options.ScriptFile);
            if (!bytes) {
                err << "vondrel: cannot read the script " << options.ScriptFile << "\n";
                return 2;
            }
            text = *bytes;
        }
        try {
            script = ParseScript(text);
        } catch (const EScriptSyntax& e) {
            err << "vondrel: " << options.ScriptFile << ": " << e.what() << "\n";
            return 2;
        }
    }

    TShellRun run(options, out);
    try {
        run.Start();
    } catch (const std::exception& e) {
        TJson event;
        event["event"] = "error";
        event["message"] = e.what();
        out << JsonLine(event) << "\n" << std::flush;
        err << "vondrel: " << e.what() << "\n";
        run.Finish();
        return 1;
    }
    if (options.Interactive()) {
        TStreamTerminal terminal(in, out);
        run.RunInteractive(terminal);
    } else {
        run.Run(script);
    }
    run.Finish();
    return 0;
}

} // namespace vondrel
