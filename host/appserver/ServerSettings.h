#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vondrel {

/// A company the server serves: its code and the name of its database.
struct TCompany {
    std::string Code;
    std::string Database;
};

/// The application server's own settings, read from its INI file "Quorvex.ini":
///
///     [Database]
///     ; the suite's system database: an SQLite file (relative to this file) ...
///     SQLiteFile=data/SYSTEM.db
///     ; ... or any ODBC connection string, which wins when both are given
///     ConnectString=Driver=/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so;Server=...
///     [Notice]
///     ; the database of the notice tables, handed to the clients (default: the above)
///     ConnectString=
///     [Companies]
///     ; company code = database name
///     DEMO=DEMO
///
/// On SQLite a company database is the file "<database name>.db" beside the system
/// database file; on PostgreSQL it is the schema of that name.
class TServerSettings {
public:
    /// Reads the file; raises Exception when it is missing or names no database.
    static TServerSettings Load(const std::string& iniFile);
    /// The settings file to use: the file named by QUORVEX_INI, else "Quorvex.ini" in the
    /// registry's server folder (HKLM\Software\KMB\Vondrel\ServerPath), else in its
    /// client folder, else beside the server library. Empty when none exists.
    /// QUORVEX_INI is taken as it is, so that a wrong name is reported.
    static std::string FindIniFile();

    std::string IniFile;
    std::string ConnectString;
    std::string NoticeConnectString;
    std::vector<TCompany> Companies;

    const TCompany* CompanyByCode(std::string_view code) const;
    const TCompany* CompanyByDatabase(std::string_view database) const;
};

} // namespace vondrel
