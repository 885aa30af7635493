#include "platform/ClassFactory.h"

#include "platform/Library.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"

#include <map>
#include <mutex>

namespace vondrel {

namespace {

struct Registered {
    std::mutex mutex;
    std::map<std::string, ClassCreator> creators; // by upper-cased name
};

Registered& InProcess() {
    static Registered registered;
    return registered;
}

std::string DefaultText(const TRegistryFile& registry, const std::string& key) {
    const auto value = registry.Value(key, "");
    return value ? value->Text : std::string();
}

} // namespace

void RegisterOleClass(std::string className, ClassCreator creator) {
    Registered& registered = InProcess();
    std::lock_guard lock(registered.mutex);
    if (creator)
        registered.creators[UpperCase(className)] = std::move(creator);
    else
        registered.creators.erase(UpperCase(className));
}

DispatchPtr CreateOleObject(std::string_view className) {
    const std::string name = Trim(className);
    if (name.empty())
        throw EOleError("Invalid class string");
    {
        Registered& registered = InProcess();
        ClassCreator creator;
        {
            std::lock_guard lock(registered.mutex);
            if (const auto found = registered.creators.find(UpperCase(name));
                found != registered.creators.end())
                creator = found->second;
        }
        if (creator) {
            DispatchPtr object = creator();
            if (!object)
                throw EOleError("Class " + name + " could not create an object");
            return object;
        }
    }

    const auto registry = SystemRegistry();
    const std::string classId = DefaultText(*registry, "HKEY_CLASSES_ROOT\\" + name + "\\CLSID");
    if (classId.empty())
        throw EOleError("Invalid class string: " + name);
    std::string library = DefaultText(*registry, "HKEY_CLASSES_ROOT\\CLSID\\" + classId + "\\InprocServer32");
    if (library.empty())
        throw EOleError("Class not registered: " + name);
    for (char& c : library)
        if (c == '\\')
            c = '/';
    if (library.front() != '/')
        library = registry->Folder() + library;

    const HMODULE module = LoadLibrary(library);
    if (module == 0)
        throw EOleError("Cannot load the library of class " + name + ": " + LastLibraryError());
    const auto create =
        reinterpret_cast<VondrelCreateObjectProc>(GetProcAddress(module, kCreateObjectExport));
    if (!create)
        throw EOleError("The library of class " + name + " has no " + kCreateObjectExport + " export");
    Dispatch* object = create(name.c_str());
    if (!object)
        throw EOleError("Class not registered: " + name);
    return DispatchPtr(object);
}

} // namespace vondrel
