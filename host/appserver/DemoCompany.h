#pragma once

#include <string>

namespace vondrel {

class TDatabase;

/// Where a demo installation keeps its server settings and databases.
struct TDemoInstall {
    std::string Folder;
    std::string IniFile;     ///< Folder/Quorvex.ini
    std::string SystemFile;  ///< Folder/data/SYSTEM.db
    std::string CompanyFile; ///< Folder/data/DEMO.db
};

inline constexpr const char* kDemoCompanyCode = "DEMO";
inline constexpr const char* kDemoDatabaseName = "DEMO";

/// The folder of the demo company's SQL scripts: the one named by QUORVEX_DEMO_SQL, else
/// demo/sql of the source tree this program was built from.
std::string DemoSqlFolder();

enum class TDemoPart { System, Company };

/// Runs the schema and data scripts of one part on an open database, in one transaction.
/// On PostgreSQL the caller chooses the schema (search_path) beforehand.
void RunDemoScripts(TDatabase& database, const std::string& sqlFolder, TDemoPart part);

/// Builds a fresh demo installation in the folder: the system database and the demo
/// company's database under data/ (replacing existing ones) and the server settings
/// Quorvex.ini naming them. Raises Exception on failure.
TDemoInstall BuildDemoInstall(const std::string& folder, const std::string& sqlFolder = DemoSqlFolder());

} // namespace vondrel
