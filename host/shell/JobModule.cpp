#include "JobModule.h"

namespace vondrel {

TJobModule::TJobModule(const std::string& fileName) {
    path_ = ResolveLibraryPath(fileName);
    if (path_.empty())
        throw EShellError("The module " + fileName + " does not exist");
    handle_ = LoadLibrary(path_);
    if (handle_ < 33)
        throw EShellError("The module " + path_ + " cannot be loaded: " + LastLibraryError());
    getController_ = reinterpret_cast<GetControllerProc>(GetProcAddress(handle_, kGetControllerExport));
    if (!getController_)
        throw EShellError("The module " + path_ + " has no export " + kGetControllerExport);
}

} // namespace vondrel
