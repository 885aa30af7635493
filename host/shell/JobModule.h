#pragma once

#include "platform/Library.h"

#include <vondrel/Controller.h>
#include <vondrel/Exception.h>

#include <string>

namespace vondrel {

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

} // namespace vondrel
