// quorvex: builds the demo company and runs single calls of the reference application
// server from the command line.
//
//   quorvex make-demo FOLDER          fresh demo databases and Quorvex.ini in FOLDER
//   quorvex sql COMPANY STATEMENT FIELDS
//                                     the server's SimpleSql on a company
//   quorvex jobs                      the job queue, one job per line
//
// The server settings are those the server itself finds (QUORVEX_INI, the registry,
// the server's folder); --ini FILE names them.

#include "DemoCompany.h"
#include "VariantJson.h"
#include "dmReportCounter.h"

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <vector>

using namespace vondrel;

namespace {

int Usage() {
    std::cerr << "usage: quorvex [--ini FILE] make-demo FOLDER | sql COMPANY STATEMENT FIELDS | jobs\n";
    return 2;
}

std::string Show(const Variant& value) {
    if (!value.IsArray())
        return VarToStr(value);
    std::string text = "[";
    for (int i = value.LowBound(); i <= value.HighBound(); ++i)
        text += (i > value.LowBound() ? ", " : "") + Show(value[i]);
    return text + "]";
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string ini;
    if (args.size() >= 2 && args[0] == "--ini") {
        ini = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty())
        return Usage();
    try {
        if (args[0] == "make-demo" && args.size() == 2) {
            const TDemoInstall install = BuildDemoInstall(args[1]);
            std::cout << "settings " << install.IniFile << "\nsystem   " << install.SystemFile
                      << "\ncompany  " << install.CompanyFile << "\n";
            return 0;
        }
        auto server = ini.empty() ? std::make_shared<TdmReportCounter>()
                                  : std::make_shared<TdmReportCounter>(TServerSettings::Load(ini));
        const Variant object(std::static_pointer_cast<Dispatch>(server));
        if (args[0] == "sql" && args.size() == 4) {
            Variant sqlArgs = VarArrayOf({args[2], args[3], "", "N"});
            const Variant rows = object.Call("GetCounter", "SIMPLESQL", sqlArgs, VarArrayOf({args[1], ""}));
            if (rows.IsArray())
                for (int i = rows.LowBound(); i <= rows.HighBound(); ++i)
                    std::cout << Show(rows[i]) << "\n";
            return 0;
        }
        if (args[0] == "jobs" && args.size() == 1) {
            const Variant jobs = object.Call("GetJobs");
            for (int i = jobs.LowBound(); i <= jobs.HighBound(); ++i)
                std::cout << VariantToJson(jobs[i]) << "\n";
            return 0;
        }
    } catch (const std::exception& e) {
        std::cerr << "quorvex: " << e.what() << "\n";
        return 1;
    }
    return Usage();
}
