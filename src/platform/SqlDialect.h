#pragma once

#include "platform/SqlTokenizer.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vondrel {

/// The database a connection talks to, as its driver names it.
enum class TDatabaseKind { Other, SqlServer, SQLite, PostgreSQL };

/// The kind for a driver's SQL_DBMS_NAME ("SQLite", "PostgreSQL", "Microsoft SQL Server").
TDatabaseKind DatabaseKindFromDbmsName(std::string_view dbmsName);
const char* DatabaseKindName(TDatabaseKind kind);

/// What an expression yields, as far as the rewriter needs to know.
enum class TSqlType { Unknown, Text, Number };

/// The column types of the tables statements name. T-SQL decides from them whether "+"
/// joins texts or adds numbers, and whether a comparison with a number converts the text.
class TSqlSchema {
public:
    void AddColumn(std::string_view table, std::string_view column, TSqlType type);
    bool HasTable(std::string_view table) const;
    /// The column's type in the table; when the table is empty or unknown, the type the
    /// column has in every table that has it (Unknown when they disagree or none has it).
    TSqlType ColumnType(std::string_view table, std::string_view column) const;
    bool Empty() const noexcept { return tables_.empty(); }
    /// The kind a declared column type stands for ("VARCHAR(20)" → Text, "NUMERIC(18,4)" →
    /// Number).
    static TSqlType TypeFromDeclaration(std::string_view declaration);

private:
    struct AnyTable {
        TSqlType Type = TSqlType::Unknown;
        bool Conflict = false;
    };
    std::map<std::string, std::map<std::string, TSqlType>> tables_; // upper-cased names
    std::map<std::string, AnyTable> columns_;
};

/// A statement made ready for the target database.
struct TSqlTranslation {
    std::string Sql;
    /// The names of the ":NAME" parameters, in the order of the "?" markers that replaced
    /// them (a name used twice appears twice).
    std::vector<std::string> Parameters;
    /// The database names the statement reaches through "db..table" or "$$", in order of
    /// first use, as written.
    std::vector<std::string> Databases;
};

/// Turns a statement written in the suite's T-SQL into the dialect of the target
/// database. SQL Server gets the statement as it is; SQLite and PostgreSQL get: "db..table"
/// and "$$table" as a qualified name; ISNULL as COALESCE; GETDATE() as the local time with
/// milliseconds; CONVERT(type, e) and T-SQL type names as CAST; LEN as the length without
/// trailing blanks; TOP n as LIMIT n; "+" between texts as "||"; a text compared with a
/// number, or used in arithmetic, converted to a number. Every kind gets "$$" resolved
/// and ":NAME" parameters turned into "?" markers. Raises ESqlError for a form that has
/// no equivalent on the target.
class TSqlDialect {
public:
    explicit TSqlDialect(TDatabaseKind kind) : Kind(kind) {}

    TDatabaseKind Kind;
    /// What "$$" stands for: the company's database name. Empty: the connection's own
    /// database (the prefix is dropped).
    std::string CompanyDatabase;
    /// Column types for "+" and comparisons; without it only literals and functions are
    /// typed.
    const TSqlSchema* Schema = nullptr;
    /// How a database name is written in front of a table name on the target; an empty
    /// answer drops the qualifier (the connection's own database). Default: the name as
    /// written.
    std::function<std::string(const std::string& database)> DatabaseQualifier;

    TSqlTranslation Translate(std::string_view statement) const;
};

} // namespace vondrel
