// The client shell. For now it reports what it finds of an installation: the registry
// file, the install folder it names and the settings files there. Loading and driving
// the job module comes with the module's controller.
#include "platform/ClassFactory.h"
#include "platform/Registry.h"

#include <filesystem>
#include <iostream>

namespace {

const char* kRegistryKey = "HKEY_LOCAL_MACHINE\\Software\\KMB\\Vondrel";

void Report(const std::string& what, const std::string& value) {
    std::cout << "  " << what << ": " << value << "\n";
}

} // namespace

int main() {
    using namespace vondrel;
    std::cout << "vondrel " << VONDREL_VERSION << " self-check\n";
    const auto registry = SystemRegistry();
    Report("registry file",
           registry->Path() + (registry->Error().empty() ? "" : " (" + registry->Error() + ")"));
    const auto clientPath = registry->Value(kRegistryKey, "ClientPath");
    Report("install folder", clientPath ? clientPath->Text : "(no ClientPath value)");
    if (clientPath) {
        for (const char* name : {"VondrelC.ini", "VondrelS.ini"}) {
            const bool found = std::filesystem::exists(std::filesystem::path(clientPath->Text) / name);
            Report(name, found ? "found" : "missing");
        }
    }
    try {
        const Variant server(CreateOleObject("Quorvex.dmReportCounter"));
        Variant args = VarArrayOf({"SELECT COUNT(*) AS N FROM $$ACTMA", "N", "", "N"});
        const Variant rows = server.Call("GetCounter", "SIMPLESQL", args, VarArrayOf({"DEMO", "DEMO"}));
        Report("application server", "Quorvex.dmReportCounter answers; company DEMO has " +
                                         (rows.IsArray() ? rows[0][0].AsString() : std::string("no")) + " accounts");
    } catch (const std::exception& e) {
        Report("application server", std::string("not reachable: ") + e.what());
    }
    std::cout << "the job form is not built yet\n";
    return 0;
}
