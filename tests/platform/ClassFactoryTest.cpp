#include "platform/ClassFactory.h"

#include "platform/PlatformServices.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <optional>

namespace vondrel {
namespace {

using test::ScopedEnv;
using test::TempFolder;

class TInProcess : public TAutoObject {
public:
    explicit TInProcess(int generation) : TAutoObject("TInProcess") {
        RegisterProperty("Generation", [generation] { return Variant(generation); });
    }
};

class TFixedUser : public TPlatformServices {
public:
    std::string UserName() const override { return "ann"; }
};

/// A temporary install folder with a registry file whose class registrations name the
/// test plugin in several ways, installed as the system registry.
class ClassFactory : public ::testing::Test {
protected:
    ClassFactory() {
        folder_.Copy(VONDREL_TEST_PLUGIN, "Widgets.so");
        folder_.Copy(VONDREL_TEST_PLUGIN, "lib/Other.so");
        const std::string registry = std::string("REGEDIT4\r\n\r\n") +
                                     Class("Vondrel.TestWidget", "01", "WIDGETS.DLL") +
                                     Class("Vondrel.Refused", "03", "Widgets.dll") +
                                     Class("Vondrel.MissingLibrary", "05", "Missing.dll") +
                                     Class("Vondrel.NoExport", "06", VONDREL_PLATFORM_LIBRARY) +
                                     "[HKEY_CLASSES_ROOT\\Vondrel.NoServer\\CLSID]\r\n"
                                     "@=\"{6F1A0C52-0000-4000-8000-000000000004}\"\r\n\r\n"
                                     "[HKEY_CLASSES_ROOT\\Vondrel.NoClassId]\r\n"
                                     "@=\"no class id below\"\r\n\r\n"
                                     // Registered for the machine only: found through HKCR.
                                     "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Vondrel.OtherWidget\\CLSID]\r\n"
                                     "@=\"{6F1A0C52-0000-4000-8000-000000000002}\"\r\n\r\n"
                                     "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\"
                                     "{6F1A0C52-0000-4000-8000-000000000002}\\InprocServer32]\r\n"
                                     "@=\"lib\\\\Other.dll\"\r\n";
        env_.emplace("VONDREL_REGISTRY", folder_.Write("registry.reg", registry));
    }

    static std::string Class(const std::string& name, const std::string& id, const std::string& library) {
        const std::string clsid = "{6F1A0C52-0000-4000-8000-0000000000" + id + "}";
        return "[HKEY_CLASSES_ROOT\\" + name + "\\CLSID]\r\n@=\"" + clsid + "\"\r\n\r\n" +
               "[HKEY_CLASSES_ROOT\\CLSID\\" + clsid + "\\InprocServer32]\r\n@=\"" + library +
               "\"\r\n\"ThreadingModel\"=\"Apartment\"\r\n\r\n";
    }

    /// The message of the EOleError that creating the class raises.
    static std::string CreationError(const std::string& className) {
        try {
            CreateOleObject(className);
        } catch (const EOleError& e) {
            return e.what();
        }
        return "created";
    }

    TempFolder folder_;
    std::optional<ScopedEnv> env_;
};

TEST_F(ClassFactory, InProcessClassesAreFoundIgnoringCase) {
    RegisterOleClass("Test.InProcess", [] { return std::make_shared<TInProcess>(1); });
    const Variant object = Variant(CreateOleObject("  test.INPROCESS "));
    EXPECT_EQ(object.Get("Generation").AsInteger(), 1);

    RegisterOleClass("TEST.INPROCESS", [] { return std::make_shared<TInProcess>(2); });
    EXPECT_EQ(Variant(CreateOleObject("Test.InProcess")).Get("Generation").AsInteger(), 2);

    RegisterOleClass("Test.InProcess", {});
    EXPECT_NE(CreationError("Test.InProcess").find("Test.InProcess"), std::string::npos);
}

TEST_F(ClassFactory, InProcessClassesComeBeforeTheRegistry) {
    RegisterOleClass("Vondrel.TestWidget", [] { return std::make_shared<TInProcess>(3); });
    EXPECT_EQ(Variant(CreateOleObject("Vondrel.TestWidget")).Get("Generation").AsInteger(), 3);
    RegisterOleClass("Vondrel.TestWidget", {});
    EXPECT_EQ(Variant(CreateOleObject("Vondrel.TestWidget")).Get("ClassName").AsString(),
              "Vondrel.TestWidget");
}

TEST_F(ClassFactory, ACreatorWithoutObjectFails) {
    RegisterOleClass("Test.Empty", [] { return DispatchPtr(); });
    EXPECT_NE(CreationError("Test.Empty"), "created");
    RegisterOleClass("Test.Empty", {});
}

TEST_F(ClassFactory, RegisteredLibrariesCreateTheirObjects) {
    const Variant widget = Variant(CreateOleObject("vondrel.testwidget"));
    EXPECT_EQ(widget.Get("ClassName").AsString(), "vondrel.testwidget");
    Variant number = 21;
    widget.Call("Double", number);
    EXPECT_EQ(number.AsInteger(), 42);
    try {
        widget.Call("Jam");
        FAIL() << "no exception";
    } catch (const EOleException& e) {
        EXPECT_STREQ(e.what(), "Widget jammed");
    }

    const Variant other = Variant(CreateOleObject("Vondrel.OtherWidget"));
    EXPECT_EQ(other.Get("ClassName").AsString(), "Vondrel.OtherWidget");
}

TEST_F(ClassFactory, PluginsShareTheProgramsPlatformServices) {
    const auto previous = SetPlatformServices(std::make_shared<TFixedUser>());
    const Variant widget = Variant(CreateOleObject("Vondrel.TestWidget"));
    EXPECT_EQ(widget.Get("UserName").AsString(), "ann");
    SetPlatformServices(previous);
}

TEST_F(ClassFactory, UnknownOrBrokenRegistrationsRaiseOleErrors) {
    struct Case {
        const char* className;
        const char* reasonPart;
    };
    const Case cases[] = {
        {"Vondrel.Unknown", "Invalid class string"},   {"", "Invalid class string"},
        {"Vondrel.NoClassId", "Invalid class string"}, {"Vondrel.NoServer", "Class not registered"},
        {"Vondrel.Refused", "Class not registered"},   {"Vondrel.MissingLibrary", "Missing.dll"},
        {"Vondrel.NoExport", "VondrelCreateObject"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.className);
        const std::string error = CreationError(c.className);
        EXPECT_NE(error.find(c.reasonPart), std::string::npos) << error;
        EXPECT_NE(error.find(c.className), std::string::npos) << error;
    }
}

TEST_F(ClassFactory, AMissingRegistryFileKnowsNoClasses) {
    const ScopedEnv env("VONDREL_REGISTRY", folder_.File("absent.reg"));
    EXPECT_NE(CreationError("Vondrel.TestWidget").find("Invalid class string"), std::string::npos);
}

} // namespace
} // namespace vondrel
