#include "ShellOptions.h"

#include "platform/SysUtils.h"

namespace vondrel {

namespace {

constexpr int kMaxSessionSize = 10;

} // namespace

const char* ShellUsage() noexcept {
    return "usage: vondrel [--install DIR] --module FILE --user USER --company COMPANY\n"
           "               [--database DATABASE] [--session-size N] [--script FILE|-]\n"
           "\n"
           "Loads a job module, starts its job form for the user and company and lets a script\n"
           "(or, without --script, the person at the terminal) work it. Output: JSON lines.\n"
           "\n"
           "  --install DIR       install folder; its registry.reg is the registry\n"
           "  --module FILE       the job module (Zorb71C.so)\n"
           "  --user USER         user id\n"
           "  --company COMPANY   company code\n"
           "  --database DB       company database (default: the company code)\n"
           "  --session-size N    elements of the session parameter array (default 5)\n"
           "  --script FILE|-     commands to run unattended, \"-\" for standard input\n"
           "  --help              this text\n";
}

TShellOptions ParseCommandLine(const std::vector<std::string>& args) {
    TShellOptions options;
    std::vector<std::string> seen;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.Help = true;
            continue;
        }
        std::string name = arg;
        std::string value;
        bool hasValue = false;
        if (const std::size_t equals = arg.find('=');
            arg.rfind("--", 0) == 0 && equals != std::string::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
            hasValue = true;
        }
        std::string* target = name == "--install"    ? &options.InstallFolder
                              : name == "--module"   ? &options.ModuleFile
                              : name == "--user"     ? &options.User
                              : name == "--company"  ? &options.Company
                              : name == "--database" ? &options.Database
                              : name == "--script"   ? &options.ScriptFile
                                                     : nullptr;
        if (!target && name != "--session-size")
            throw EShellUsage("unknown argument \"" + arg + "\"");
        for (const std::string& earlier : seen)
            if (earlier == name)
                throw EShellUsage(name + " is given twice");
        seen.push_back(name);
        if (!hasValue) {
            if (i + 1 >= args.size())
                throw EShellUsage(name + " needs a value");
            value = args[++i];
        }
        if (name == "--session-size") {
            const auto size = TryStrToInt(value);
            if (!size || *size < 0 || *size > kMaxSessionSize)
                throw EShellUsage("--session-size takes a number from 0 to " +
                                  std::to_string(kMaxSessionSize) + ", not \"" + value + "\"");
            options.SessionSize = *size;
            continue;
        }
        if (value.empty())
            throw EShellUsage(name + " needs a value");
        *target = value;
    }
    if (options.Help)
        return options;
    if (options.ModuleFile.empty())
        throw EShellUsage("--module is missing");
    if (options.User.empty())
        throw EShellUsage("--user is missing");
    if (options.Company.empty())
        throw EShellUsage("--company is missing");
    if (options.Database.empty())
        options.Database = options.Company;
    return options;
}

} // namespace vondrel
