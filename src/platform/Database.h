#pragma once

#include "platform/DateTime.h"
#include "platform/SqlDialect.h"

#include <vondrel/Exception.h>
#include <vondrel/Variant.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vondrel {

/// The database refused a connection or a statement; the message carries the driver's
/// diagnostics ("[SQLSTATE] text").
class EDatabaseError : public Exception {
    using Exception::Exception;
};

/// The file of the SQLite ODBC driver on this machine (empty when it is not installed),
/// and a connection string that opens a database file through it without any ODBC
/// configuration file.
std::string SqliteDriverPath();
std::string SqliteConnectString(std::string_view databaseFile);

/// A connection to a database through ODBC, opened with a connection string that names
/// the driver by its file ("Driver=/usr/lib/.../libsqlite3odbc.so;Database=/data/x.db").
/// Statements are written in the suite's T-SQL and rewritten for the database the
/// connection reaches (TSqlDialect); set TranslateSql to false to send them as they are.
/// Parameters are written ":NAME". The connection never prompts for a login.
///
/// On SQLite, a statement that names "NAME..table" reaches the database file NAME.db in
/// the folder of the connection's own file, attached under that name when first used;
/// "NAME" equal to the connection's own file name (without ".db") is the connection's own
/// database. On PostgreSQL, "NAME..table" is the table in the schema NAME.
class TDatabase {
public:
    TDatabase();
    ~TDatabase();
    TDatabase(const TDatabase&) = delete;
    TDatabase& operator=(const TDatabase&) = delete;

    /// Connects; raises EDatabaseError with the driver's diagnostics.
    void Open(std::string_view connectString);
    void Close();
    bool Connected() const noexcept;
    const std::string& ConnectString() const noexcept { return connectString_; }

    /// The database's own name for itself (SQL_DBMS_NAME) and the kind it stands for.
    const std::string& DbmsName() const noexcept { return dbmsName_; }
    TDatabaseKind Kind() const noexcept { return kind_; }

    /// Rewrite statements from T-SQL for the target (on by default).
    bool TranslateSql = true;
    /// The database "$$" stands for; empty means the connection's own.
    std::string CompanyDatabase;

    /// The statement as it will be sent: rewritten, with "?" markers for its parameters;
    /// attaches the SQLite database files it names.
    TSqlTranslation Prepare(std::string_view statement);

    /// Runs a statement that returns no rows; the number of rows it changed (-1 when the
    /// driver does not say).
    std::int64_t Execute(std::string_view statement);

    /// Runs several statements separated by ";" one after another.
    void ExecuteScript(std::string_view script);

    void StartTransaction();
    void Commit();
    void Rollback();
    bool InTransaction() const noexcept { return inTransaction_; }

    /// Attaches an SQLite database file under a name (does nothing on other databases).
    void AttachDatabase(std::string_view name, std::string_view file);
    /// The column types the rewriter uses; read from the database on first use and again
    /// after a statement that creates, alters or drops something.
    const TSqlSchema& Schema();
    void RefreshSchema() noexcept { schemaLoaded_ = false; }

    /// For TQuery: the ODBC connection handle.
    void* Handle() const noexcept { return dbc_; }

private:
    friend class TQuery;
    void EnsureDatabases(const std::vector<std::string>& names);
    void LoadSchema();
    std::string MainFile();
    std::string QualifierFor(const std::string& database);
    void CheckOpen() const;

    void* dbc_ = nullptr;
    std::string connectString_;
    std::string dbmsName_;
    TDatabaseKind kind_ = TDatabaseKind::Other;
    bool inTransaction_ = false;
    TSqlSchema schema_;
    bool schemaLoaded_ = false;
    std::optional<std::string> mainFile_;
    std::set<std::string> attached_; // upper-cased names
};

/// One column of the current row of a query. (Not named TField: the control model's
/// dataset field is, and both libraries are loaded together.)
class TQueryField {
public:
    TQueryField(std::string name, int sqlType) : name_(std::move(name)), sqlType_(sqlType) {}

    const std::string& FieldName() const noexcept { return name_; }
    /// The value in the kind the column has: text, integer, floating point (NUMERIC and
    /// DECIMAL included), boolean, date; Null for SQL NULL.
    const Variant& Value() const noexcept { return value_; }
    bool IsNull() const noexcept { return value_.IsNull(); }
    /// The value as text (empty for NULL).
    std::string AsString() const;
    std::int64_t AsInteger() const;
    double AsFloat() const;
    /// A date column, or a text in the form "yyyy-mm-dd hh:nn:ss.zzz" (any number of
    /// fraction digits). Raises EDatabaseError for anything else.
    TDateTime AsDateTime() const;

private:
    friend class TQuery;
    std::string name_;
    int sqlType_;
    Variant value_;
};

/// A statement on a connection, in the manner of the platform's dataset: set the SQL and
/// the parameters, then Open and walk the rows with Eof/Next, or ExecSQL.
class TQuery {
public:
    explicit TQuery(TDatabase& database);
    ~TQuery();
    TQuery(const TQuery&) = delete;
    TQuery& operator=(const TQuery&) = delete;

    /// Replaces the statement (closing the query) and forgets the parameters.
    void SetSQL(std::string_view statement);
    const std::string& SQL() const noexcept { return sql_; }

    /// Parameter values, by name without the colon, compared without regard to case.
    /// Texts are bound as texts, integers as integers, floating point as such; Null and
    /// Empty bind SQL NULL. A parameter of the statement that has no value raises at Open.
    void SetParam(std::string_view name, const Variant& value);
    void SetParam(std::string_view name, std::string_view text) { SetParam(name, Variant(text)); }
    void SetParam(std::string_view name, const std::string& text) { SetParam(name, Variant(text)); }
    void SetParam(std::string_view name, const char* text) { SetParam(name, Variant(text)); }
    void SetParam(std::string_view name, std::int64_t number) {
        SetParam(name, Variant(static_cast<long long>(number)));
    }
    void SetParam(std::string_view name, int number) { SetParam(name, Variant(number)); }
    void ClearParams() { params_.clear(); }

    /// Runs a statement that returns rows and reads the first one.
    void Open();
    /// Runs a statement that returns no rows; the number of rows changed (-1 unknown).
    std::int64_t ExecSQL();
    void Close();
    bool Active() const noexcept { return stmt_ != nullptr; }

    bool Eof() const noexcept { return eof_; }
    void Next();

    int FieldCount() const noexcept { return static_cast<int>(fields_.size()); }
    const TQueryField& Field(int index) const { return fields_.at(static_cast<std::size_t>(index)); }
    /// The field of that name, compared without regard to case; raises EDatabaseError
    /// when the statement has no such column.
    const TQueryField& FieldByName(std::string_view name) const;
    const TQueryField* FindField(std::string_view name) const;

private:
    void Run(bool expectRows);
    void Fetch();
    [[noreturn]] void Fail();

    TDatabase& database_;
    std::string sql_;
    std::map<std::string, Variant> params_; // upper-cased names
    void* stmt_ = nullptr;
    std::vector<TQueryField> fields_;
    bool eof_ = true;
};

} // namespace vondrel
