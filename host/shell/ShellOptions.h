#pragma once

#include <vondrel/Exception.h>

#include <string>
#include <vector>

namespace vondrel {

/// A command line the shell cannot run.
class EShellUsage : public Exception {
    using Exception::Exception;
};

/// What the command line asks for.
struct TShellOptions {
    /// The install folder whose registry.reg becomes the registry (else VONDREL_REGISTRY).
    std::string InstallFolder;
    /// The job module, by file name ("Zorb71C.so", or the Windows name "Zorb71C.dll").
    std::string ModuleFile;
    std::string User;
    std::string Company;
    /// The company database; the company code when not given.
    std::string Database;
    /// How many elements of the session parameter array to pass (0 to 10).
    int SessionSize = 5;
    /// The script file, "-" for standard input; empty for an interactive run.
    std::string ScriptFile;
    bool Help = false;

    bool Interactive() const noexcept { return ScriptFile.empty(); }
};

/// Reads the arguments (without the program name); raises EShellUsage.
TShellOptions ParseCommandLine(const std::vector<std::string>& args);

/// The usage text.
const char* ShellUsage() noexcept;

} // namespace vondrel
