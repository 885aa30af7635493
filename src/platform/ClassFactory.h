#pragma once

#include <vondrel/Dispatch.h>

#include <functional>
#include <string>
#include <string_view>

namespace vondrel {

/// The export a library offers so that objects of its classes can be created by class
/// name: it returns a new object (the caller owns it) or nullptr for a class it does not
/// know.
using VondrelCreateObjectProc = Dispatch* (*)(const char* className);
inline constexpr const char* kCreateObjectExport = "VondrelCreateObject";

/// Creates the object whose class name is given. The name is looked up in the objects
/// registered in this process first, then in the registry:
/// HKEY_CLASSES_ROOT\<name>\CLSID names a class id whose InprocServer32 default value is
/// the library (a relative path is read from the registry file's folder); the library is
/// loaded and its VondrelCreateObject export called. Raises EOleError when the class is
/// unknown or cannot be created. Libraries loaded here stay loaded.
DispatchPtr CreateOleObject(std::string_view className);

using ClassCreator = std::function<DispatchPtr()>;
/// Registers a class that lives in this process; a later registration of the same name
/// (compared without regard to case) replaces it, an empty creator removes it.
void RegisterOleClass(std::string className, ClassCreator creator);

} // namespace vondrel
