#include "DemoCompany.h"

#include "platform/Database.h"
#include "platform/Files.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace vondrel {

namespace {

namespace fs = std::filesystem;

std::string ReadScript(const std::string& folder, const char* name) {
    const std::string path = (fs::path(folder) / name).string();
    const auto content = ReadFileBytes(path);
    if (!content)
        throw Exception("Cannot read the script " + path);
    return *content;
}

} // namespace

std::string DemoSqlFolder() {
    if (const char* named = std::getenv("QUORVEX_DEMO_SQL"); named && *named)
        return named;
    return QUORVEX_DEMO_SQL_DIR;
}

void RunDemoScripts(TDatabase& database, const std::string& sqlFolder, TDemoPart part) {
    const bool system = part == TDemoPart::System;
    const std::string schema = ReadScript(sqlFolder, system ? "system-schema.sql" : "company-schema.sql");
    const std::string data = ReadScript(sqlFolder, system ? "system-data.sql" : "company-data.sql");
    const bool translate = database.TranslateSql;
    database.TranslateSql = false; // the scripts are written for every target alike
    try {
        database.StartTransaction();
        database.ExecuteScript(schema);
        database.ExecuteScript(data);
        database.Commit();
    } catch (...) {
        database.TranslateSql = translate;
        if (database.InTransaction())
            database.Rollback();
        throw;
    }
    database.TranslateSql = translate;
    database.RefreshSchema();
}

TDemoInstall BuildDemoInstall(const std::string& folder, const std::string& sqlFolder) {
    TDemoInstall install;
    install.Folder = fs::absolute(folder).lexically_normal().string();
    const fs::path data = fs::path(install.Folder) / "data";
    fs::create_directories(data);
    install.SystemFile = (data / "SYSTEM.db").string();
    install.CompanyFile = (data / (std::string(kDemoDatabaseName) + ".db")).string();
    install.IniFile = (fs::path(install.Folder) / "Quorvex.ini").string();

    for (const std::string& file : {install.SystemFile, install.CompanyFile}) {
        std::error_code error;
        fs::remove(file, error);
        if (error)
            throw Exception("Cannot replace " + file + ": " + error.message());
    }
    {
        TDatabase system;
        system.Open(SqliteConnectString(install.SystemFile));
        RunDemoScripts(system, sqlFolder, TDemoPart::System);
    }
    {
        TDatabase company;
        company.Open(SqliteConnectString(install.CompanyFile));
        RunDemoScripts(company, sqlFolder, TDemoPart::Company);
    }

    std::ofstream ini(install.IniFile, std::ios::trunc);
    ini << "; Settings of the reference application server (Quorvex.dmReportCounter).\n"
           "[Database]\n"
           "; The suite's system database; company databases lie beside it as <name>.db\n"
           "SQLiteFile=data/SYSTEM.db\n"
           "\n"
           "[Notice]\n"
           "; Connection string of the notice tables; empty: the system database\n"
           "ConnectString=\n"
           "\n"
           "[Companies]\n"
           "; company code = database name\n"
        << kDemoCompanyCode << "=" << kDemoDatabaseName << "\n";
    if (!ini)
        throw Exception("Cannot write " + install.IniFile);
    return install;
}

} // namespace vondrel
