// A plugin for the loader and class-factory tests: one late-bound class, created by name
// through the exported creator.
#include <vondrel/Dispatch.h>

#include "platform/PlatformServices.h"
#include "platform/SysUtils.h"

namespace {

using vondrel::Variant;

class TWidget : public vondrel::TAutoObject {
public:
    explicit TWidget(std::string className) : TAutoObject("TWidget") {
        RegisterProperty("ClassName", [name = std::move(className)] { return Variant(name); });
        // Read through the platform library, so a test sees whether the plugin shares
        // the services the program installed.
        RegisterProperty("UserName", [] { return Variant(vondrel::Platform().UserName()); });
        RegisterMethod("Double", [](std::span<Variant> args) {
            if (args.empty())
                throw vondrel::Exception("Double needs a number");
            args[0] = args[0].AsInteger() * 2;
            return Variant();
        });
        RegisterMethod("Jam",
                       [](std::span<Variant>) -> Variant { throw vondrel::Exception("Widget jammed"); });
    }
};

} // namespace

extern "C" vondrel::Dispatch* VondrelCreateObject(const char* className) {
    const std::string name = className ? className : "";
    if (vondrel::SameText(name, "Vondrel.TestWidget") || vondrel::SameText(name, "Vondrel.OtherWidget"))
        return new TWidget(name);
    return nullptr;
}
