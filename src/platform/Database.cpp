#include "platform/Database.h"

#include "platform/SysUtils.h"

#include <sql.h>
#include <sqlext.h>

#include <cmath>
#include <filesystem>
#include <mutex>

namespace vondrel {

namespace {

SQLHENV Environment() {
    static SQLHENV env = [] {
        SQLHENV handle = SQL_NULL_HENV;
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &handle)))
            return SQLHENV(SQL_NULL_HENV);
        SQLSetEnvAttr(handle, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        return handle;
    }();
    if (env == SQL_NULL_HENV)
        throw EDatabaseError("The ODBC driver manager could not be initialised");
    return env;
}

std::string Diagnostics(SQLSMALLINT type, SQLHANDLE handle) {
    std::string text;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLCHAR state[6] = {};
        SQLINTEGER native = 0;
        SQLCHAR message[2048] = {};
        SQLSMALLINT length = 0;
        const SQLRETURN rc =
            SQLGetDiagRec(type, handle, record, state, &native, message, sizeof message, &length);
        if (!SQL_SUCCEEDED(rc))
            break;
        if (!text.empty())
            text += "; ";
        text += "[" + std::string(reinterpret_cast<char*>(state)) + "] " +
                TrimRight(reinterpret_cast<char*>(message));
    }
    return text.empty() ? "the driver gave no diagnostics" : text;
}

// The connection string with its password hidden, for messages.
std::string Masked(std::string_view connectString) {
    std::string result;
    std::size_t start = 0;
    while (start <= connectString.size()) {
        std::size_t end = connectString.find(';', start);
        if (end == std::string_view::npos)
            end = connectString.size();
        std::string_view pair = connectString.substr(start, end - start);
        const std::string key = UpperCase(Trim(pair.substr(0, pair.find('='))));
        if (!result.empty())
            result += ';';
        result += (key == "PWD" || key == "PASSWORD")
                      ? std::string(pair.substr(0, pair.find('=') + 1)) + "***"
                      : std::string(pair);
        start = end + 1;
    }
    return result;
}

bool IsDateType(SQLSMALLINT type) {
    return type == SQL_TYPE_DATE || type == SQL_TYPE_TIMESTAMP || type == SQL_TYPE_TIME ||
           type == SQL_DATETIME || type == SQL_DATE || type == SQL_TIMESTAMP;
}

bool IsBinaryType(SQLSMALLINT type) {
    return type == SQL_BINARY || type == SQL_VARBINARY || type == SQL_LONGVARBINARY;
}

// Reads "yyyy-mm-dd", optionally followed by " hh:nn", ":ss" and a fraction of any length.
std::optional<TDateTime> ParseTimestamp(std::string_view text) {
    const std::string value = Trim(text);
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    double fraction = 0;
    std::size_t i = 0;
    auto number = [&](std::size_t digits, int& out) {
        if (i + digits > value.size())
            return false;
        out = 0;
        for (std::size_t k = 0; k < digits; ++k) {
            const char c = value[i + k];
            if (c < '0' || c > '9')
                return false;
            out = out * 10 + (c - '0');
        }
        i += digits;
        return true;
    };
    auto separator = [&](char a, char b = '\0') {
        if (i < value.size() && (value[i] == a || (b && value[i] == b))) {
            ++i;
            return true;
        }
        return false;
    };
    if (!number(4, year) || !separator('-', '/') || !number(2, month) || !separator('-', '/') ||
        !number(2, day))
        return std::nullopt;
    if (i < value.size()) {
        if (!separator(' ', 'T') || !number(2, hour) || !separator(':') || !number(2, minute))
            return std::nullopt;
        if (separator(':')) {
            if (!number(2, second))
                return std::nullopt;
            if (separator('.')) {
                double scale = 0.1;
                while (i < value.size() && value[i] >= '0' && value[i] <= '9') {
                    fraction += (value[i] - '0') * scale;
                    scale /= 10;
                    ++i;
                }
            }
        }
        if (i != value.size())
            return std::nullopt;
    }
    const auto date = TryEncodeDate(year, month, day);
    if (!date || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    const double seconds = hour * 3600.0 + minute * 60.0 + second + std::round(fraction * 1000) / 1000;
    return *date + seconds / 86400.0;
}

std::string FirstWord(std::string_view statement) {
    for (const SqlToken& token : TokenizeSql(statement))
        if (IsSignificant(token))
            return UpperCase(token.Text);
    return {};
}

} // namespace

// ---------------------------------------------------------------------------------------------

std::string SqliteDriverPath() {
    namespace fs = std::filesystem;
    static const char* const kFolders[] = {
        "/usr/lib/x86_64-linux-gnu/odbc",
        "/usr/lib/aarch64-linux-gnu/odbc",
        "/usr/lib/odbc",
        "/usr/lib64/odbc",
        "/usr/local/lib/odbc",
    };
    for (const char* folder : kFolders) {
        const fs::path path = fs::path(folder) / "libsqlite3odbc.so";
        std::error_code error;
        if (fs::exists(path, error))
            return path.string();
    }
    return {};
}

std::string SqliteConnectString(std::string_view databaseFile) {
    std::string driver = SqliteDriverPath();
    if (driver.empty())
        driver = "libsqlite3odbc.so";
    return "Driver=" + driver + ";Database=" + std::string(databaseFile) + ";Timeout=10000";
}

// ---------------------------------------------------------------------------------------------
// TDatabase

TDatabase::TDatabase() = default;

TDatabase::~TDatabase() {
    Close();
}

void TDatabase::Open(std::string_view connectString) {
    Close();
    SQLHDBC dbc = SQL_NULL_HDBC;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, Environment(), &dbc)))
        throw EDatabaseError("Cannot allocate an ODBC connection");
    SQLSetConnectAttr(dbc, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(15), 0);
    std::string text(connectString);
    const SQLRETURN rc = SQLDriverConnect(dbc, nullptr, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS,
                                          nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) {
        const std::string message = Diagnostics(SQL_HANDLE_DBC, dbc);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        throw EDatabaseError("Cannot connect to the database (" + Masked(connectString) + "): " + message);
    }
    dbc_ = dbc;
    connectString_ = text;
    SQLCHAR name[256] = {};
    SQLSMALLINT length = 0;
    if (SQL_SUCCEEDED(SQLGetInfo(dbc, SQL_DBMS_NAME, name, sizeof name, &length)))
        dbmsName_ = reinterpret_cast<char*>(name);
    kind_ = DatabaseKindFromDbmsName(dbmsName_);
}

void TDatabase::Close() {
    if (!dbc_)
        return;
    auto dbc = static_cast<SQLHDBC>(dbc_);
    if (inTransaction_)
        SQLEndTran(SQL_HANDLE_DBC, dbc, SQL_ROLLBACK);
    SQLDisconnect(dbc);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    dbc_ = nullptr;
    inTransaction_ = false;
    schemaLoaded_ = false;
    schema_ = TSqlSchema();
    mainFile_.reset();
    attached_.clear();
    dbmsName_.clear();
    kind_ = TDatabaseKind::Other;
}

bool TDatabase::Connected() const noexcept {
    return dbc_ != nullptr;
}

void TDatabase::CheckOpen() const {
    if (!dbc_)
        throw EDatabaseError("The database is not connected");
}

TSqlTranslation TDatabase::Prepare(std::string_view statement) {
    CheckOpen();
    if (!TranslateSql) {
        // Sent as written; only the parameter markers change.
        TSqlTranslation result;
        for (const SqlToken& token : TokenizeSql(statement)) {
            if (token.Kind == SqlTokenKind::Parameter) {
                result.Parameters.push_back(ParameterName(token));
                result.Sql += "?";
            } else {
                result.Sql += token.Text;
            }
        }
        return result;
    }
    auto translate = [&] {
        TSqlDialect dialect(kind_);
        dialect.CompanyDatabase = CompanyDatabase;
        if (kind_ != TDatabaseKind::SqlServer)
            dialect.Schema = &Schema();
        dialect.DatabaseQualifier = [this](const std::string& database) { return QualifierFor(database); };
        return dialect.Translate(statement);
    };
    TSqlTranslation result = translate();
    if (kind_ == TDatabaseKind::SQLite && !result.Databases.empty()) {
        const std::size_t before = attached_.size();
        EnsureDatabases(result.Databases);
        if (attached_.size() != before)
            result = translate(); // the new tables' column types may change the rewriting
    }
    return result;
}

std::int64_t TDatabase::Execute(std::string_view statement) {
    TQuery query(*this);
    query.SetSQL(statement);
    return query.ExecSQL();
}

void TDatabase::ExecuteScript(std::string_view script) {
    for (const std::string& statement : SplitSqlStatements(script))
        Execute(statement);
}

void TDatabase::StartTransaction() {
    CheckOpen();
    if (inTransaction_)
        throw EDatabaseError("A transaction is already open");
    const auto dbc = static_cast<SQLHDBC>(dbc_);
    if (!SQL_SUCCEEDED(
            SQLSetConnectAttr(dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0)))
        throw EDatabaseError("Cannot start a transaction: " + Diagnostics(SQL_HANDLE_DBC, dbc));
    inTransaction_ = true;
}

void TDatabase::Commit() {
    CheckOpen();
    if (!inTransaction_)
        throw EDatabaseError("No transaction is open");
    const auto dbc = static_cast<SQLHDBC>(dbc_);
    const SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, dbc, SQL_COMMIT);
    const std::string message = SQL_SUCCEEDED(rc) ? std::string() : Diagnostics(SQL_HANDLE_DBC, dbc);
    SQLSetConnectAttr(dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
    inTransaction_ = false;
    if (!message.empty())
        throw EDatabaseError("Cannot commit: " + message);
}

void TDatabase::Rollback() {
    CheckOpen();
    if (!inTransaction_)
        return;
    const auto dbc = static_cast<SQLHDBC>(dbc_);
    SQLEndTran(SQL_HANDLE_DBC, dbc, SQL_ROLLBACK);
    SQLSetConnectAttr(dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
    inTransaction_ = false;
}

std::string TDatabase::MainFile() {
    if (!mainFile_) {
        mainFile_ = std::string();
        const bool translate = TranslateSql;
        TranslateSql = false;
        try {
            TQuery query(*this);
            query.SetSQL("PRAGMA database_list");
            for (query.Open(); !query.Eof(); query.Next())
                if (SameText(query.FieldByName("name").AsString(), "main"))
                    mainFile_ = query.FieldByName("file").AsString();
        } catch (...) {
            TranslateSql = translate;
            throw;
        }
        TranslateSql = translate;
    }
    return *mainFile_;
}

std::string TDatabase::QualifierFor(const std::string& database) {
    if (kind_ == TDatabaseKind::SQLite) {
        const std::string main = MainFile();
        if (SameText(std::filesystem::path(main).stem().string(), database) || SameText(database, "main"))
            return {};
    }
    return database;
}

void TDatabase::AttachDatabase(std::string_view name, std::string_view file) {
    CheckOpen();
    if (kind_ != TDatabaseKind::SQLite || attached_.count(UpperCase(name)))
        return;
    const bool translate = TranslateSql;
    TranslateSql = false;
    std::string path(file);
    std::string quotedPath;
    for (char c : path)
        quotedPath += c == '\'' ? std::string("''") : std::string(1, c);
    try {
        Execute("ATTACH DATABASE '" + quotedPath + "' AS \"" + std::string(name) + "\"");
    } catch (...) {
        TranslateSql = translate;
        throw;
    }
    TranslateSql = translate;
    attached_.insert(UpperCase(name));
    schemaLoaded_ = false;
}

void TDatabase::EnsureDatabases(const std::vector<std::string>& names) {
    namespace fs = std::filesystem;
    for (const std::string& name : names) {
        if (attached_.count(UpperCase(name)) || QualifierFor(name).empty())
            continue;
        const fs::path folder = fs::path(MainFile()).parent_path();
        std::error_code error;
        // The file name is matched without regard to case, like the database name.
        for (const auto& entry : fs::directory_iterator(folder, error)) {
            const fs::path& path = entry.path();
            if (SameText(path.extension().string(), ".db") && SameText(path.stem().string(), name)) {
                AttachDatabase(name, path.string());
                break;
            }
        }
    }
}

const TSqlSchema& TDatabase::Schema() {
    if (!schemaLoaded_)
        LoadSchema();
    return schema_;
}

void TDatabase::LoadSchema() {
    schema_ = TSqlSchema();
    schemaLoaded_ = true;
    const bool translate = TranslateSql;
    TranslateSql = false;
    try {
        if (kind_ == TDatabaseKind::SQLite) {
            std::vector<std::string> databases;
            TQuery list(*this);
            list.SetSQL("PRAGMA database_list");
            for (list.Open(); !list.Eof(); list.Next())
                databases.push_back(list.FieldByName("name").AsString());
            for (const std::string& database : databases) {
                std::vector<std::string> tables;
                TQuery names(*this);
                names.SetSQL("SELECT name FROM \"" + database +
                             "\".sqlite_master WHERE type IN ('table', 'view')");
                for (names.Open(); !names.Eof(); names.Next())
                    tables.push_back(names.Field(0).AsString());
                for (const std::string& table : tables) {
                    TQuery columns(*this);
                    columns.SetSQL("PRAGMA \"" + database + "\".table_info(\"" + table + "\")");
                    for (columns.Open(); !columns.Eof(); columns.Next())
                        schema_.AddColumn(
                            table, columns.FieldByName("name").AsString(),
                            TSqlSchema::TypeFromDeclaration(columns.FieldByName("type").AsString()));
                }
            }
        } else if (kind_ == TDatabaseKind::PostgreSQL) {
            TQuery columns(*this);
            columns.SetSQL("SELECT table_name, column_name, data_type FROM information_schema.columns "
                           "WHERE table_schema NOT IN ('pg_catalog', 'information_schema')");
            for (columns.Open(); !columns.Eof(); columns.Next())
                schema_.AddColumn(columns.Field(0).AsString(), columns.Field(1).AsString(),
                                  TSqlSchema::TypeFromDeclaration(columns.Field(2).AsString()));
        }
    } catch (...) {
        TranslateSql = translate;
        throw;
    }
    TranslateSql = translate;
}

// ---------------------------------------------------------------------------------------------
// TQueryField

std::string TQueryField::AsString() const {
    return VarToStr(value_);
}

std::int64_t TQueryField::AsInteger() const {
    if (value_.IsNull())
        return 0;
    return value_.AsInt64();
}

double TQueryField::AsFloat() const {
    if (value_.IsNull())
        return 0;
    return value_.AsDouble();
}

TDateTime TQueryField::AsDateTime() const {
    if (value_.Type() == VarType::Date)
        return value_.AsDate();
    if (value_.IsText())
        if (const auto value = ParseTimestamp(value_.AsString()))
            return *value;
    throw EDatabaseError("Field " + name_ + " does not hold a date and time: \"" + VarToStr(value_) + "\"");
}

// ---------------------------------------------------------------------------------------------
// TQuery

TQuery::TQuery(TDatabase& database) : database_(database) {}

TQuery::~TQuery() {
    Close();
}

void TQuery::SetSQL(std::string_view statement) {
    Close();
    sql_ = std::string(statement);
    params_.clear();
}

void TQuery::SetParam(std::string_view name, const Variant& value) {
    std::string key(name);
    if (!key.empty() && key.front() == ':')
        key.erase(0, 1);
    params_[UpperCase(key)] = value;
}

void TQuery::Close() {
    if (stmt_) {
        SQLFreeHandle(SQL_HANDLE_STMT, static_cast<SQLHSTMT>(stmt_));
        stmt_ = nullptr;
    }
    eof_ = true;
}

void TQuery::Open() {
    Run(true);
}

std::int64_t TQuery::ExecSQL() {
    Run(false);
    SQLLEN count = -1;
    SQLRowCount(static_cast<SQLHSTMT>(stmt_), &count);
    Close();
    return count;
}

void TQuery::Run(bool expectRows) {
    Close();
    fields_.clear();
    const TSqlTranslation statement = database_.Prepare(sql_);
    const std::string firstWord = FirstWord(sql_);
    if (firstWord == "CREATE" || firstWord == "ALTER" || firstWord == "DROP")
        database_.RefreshSchema();

    SQLHSTMT stmt = SQL_NULL_HSTMT;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, static_cast<SQLHDBC>(database_.Handle()), &stmt)))
        throw EDatabaseError("Cannot allocate an ODBC statement: " +
                             Diagnostics(SQL_HANDLE_DBC, static_cast<SQLHDBC>(database_.Handle())));
    stmt_ = stmt;

    // The bound values must stay where they are until the statement has run.
    const std::size_t count = statement.Parameters.size();
    std::vector<std::string> texts(count);
    std::vector<std::int64_t> integers(count);
    std::vector<double> doubles(count);
    std::vector<SQLLEN> lengths(count);
    for (std::size_t k = 0; k < count; ++k) {
        const std::string& name = statement.Parameters[k];
        const auto found = params_.find(UpperCase(name));
        if (found == params_.end()) {
            Close();
            throw EDatabaseError("No value was given for the parameter :" + name);
        }
        const Variant& value = found->second;
        const auto number = static_cast<SQLUSMALLINT>(k + 1);
        SQLRETURN rc = SQL_SUCCESS;
        switch (value.Type()) {
        case VarType::Empty:
        case VarType::Null:
            lengths[k] = SQL_NULL_DATA;
            rc = SQLBindParameter(stmt, number, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 1, 0, nullptr, 0,
                                  &lengths[k]);
            break;
        case VarType::Boolean:
        case VarType::Integer:
        case VarType::Int64:
            integers[k] = value.AsInt64();
            lengths[k] = 0;
            rc = SQLBindParameter(stmt, number, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0,
                                  &integers[k], 0, &lengths[k]);
            break;
        case VarType::Double:
            doubles[k] = value.AsDouble();
            lengths[k] = 0;
            rc = SQLBindParameter(stmt, number, SQL_PARAM_INPUT, SQL_C_DOUBLE, SQL_DOUBLE, 0, 0, &doubles[k],
                                  0, &lengths[k]);
            break;
        case VarType::Array:
        case VarType::Dispatch:
            Close();
            throw EDatabaseError("The parameter :" + name + " cannot take a " + VarTypeName(value.Type()));
        default: {
            texts[k] = value.Type() == VarType::Date ? DateTimeToStr(value.AsDate()) : value.AsString();
            lengths[k] = static_cast<SQLLEN>(texts[k].size());
            const SQLULEN size = std::max<SQLULEN>(1, texts[k].size());
            rc = SQLBindParameter(stmt, number, SQL_PARAM_INPUT, SQL_C_CHAR,
                                  size > 4000 ? SQL_LONGVARCHAR : SQL_VARCHAR, size, 0, texts[k].data(),
                                  static_cast<SQLLEN>(texts[k].size() + 1), &lengths[k]);
            break;
        }
        }
        if (!SQL_SUCCEEDED(rc)) {
            const std::string message = Diagnostics(SQL_HANDLE_STMT, stmt);
            Close();
            throw EDatabaseError("Cannot bind the parameter :" + name + ": " + message);
        }
    }

    std::string text = statement.Sql;
    const SQLRETURN rc = SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS);
    if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) {
        const std::string message = Diagnostics(SQL_HANDLE_STMT, stmt);
        Close();
        throw EDatabaseError(message + "\nStatement: " + Trim(sql_));
    }
    if (!expectRows)
        return;

    SQLSMALLINT columns = 0;
    SQLNumResultCols(stmt, &columns);
    for (SQLSMALLINT c = 1; c <= columns; ++c) {
        SQLCHAR name[512] = {};
        SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = 0;
        SQLULEN size = 0;
        SQLDescribeCol(stmt, c, name, sizeof name, &nameLength, &type, &size, &digits, &nullable);
        fields_.emplace_back(reinterpret_cast<char*>(name), type);
    }
    eof_ = false;
    Fetch();
}

void TQuery::Next() {
    if (eof_)
        return;
    Fetch();
}

void TQuery::Fetch() {
    const auto stmt = static_cast<SQLHSTMT>(stmt_);
    if (!stmt || fields_.empty()) {
        Close();
        return;
    }
    const SQLRETURN rc = SQLFetch(stmt);
    if (rc == SQL_NO_DATA) {
        // Release the cursor at once: an open cursor keeps an SQLite database locked.
        Close();
        for (TQueryField& field : fields_)
            field.value_ = Variant::Null();
        return;
    }
    if (!SQL_SUCCEEDED(rc))
        Fail();
    for (std::size_t c = 0; c < fields_.size(); ++c) {
        TQueryField& field = fields_[c];
        const auto column = static_cast<SQLUSMALLINT>(c + 1);
        const auto type = static_cast<SQLSMALLINT>(field.sqlType_);
        if (IsDateType(type)) {
            SQL_TIMESTAMP_STRUCT stamp = {};
            SQLLEN indicator = 0;
            const SQLRETURN got =
                SQLGetData(stmt, column, SQL_C_TYPE_TIMESTAMP, &stamp, sizeof stamp, &indicator);
            if (!SQL_SUCCEEDED(got))
                Fail();
            if (indicator == SQL_NULL_DATA) {
                field.value_ = Variant::Null();
                continue;
            }
            const auto date = TryEncodeDate(stamp.year ? stamp.year : 1899, stamp.year ? stamp.month : 12,
                                            stamp.year ? stamp.day : 30);
            const double seconds = stamp.hour * 3600.0 + stamp.minute * 60.0 + stamp.second +
                                   std::round(stamp.fraction / 1e6) / 1000;
            field.value_ = Variant::FromDate((date ? *date : 0) + seconds / 86400.0);
            continue;
        }
        std::string text;
        bool isNull = false;
        char buffer[8192];
        for (;;) {
            SQLLEN indicator = 0;
            const SQLRETURN got = SQLGetData(stmt, column, IsBinaryType(type) ? SQL_C_BINARY : SQL_C_CHAR,
                                             buffer, sizeof buffer, &indicator);
            if (got == SQL_NO_DATA)
                break;
            if (!SQL_SUCCEEDED(got))
                Fail();
            if (indicator == SQL_NULL_DATA) {
                isNull = true;
                break;
            }
            const std::size_t room = IsBinaryType(type) ? sizeof buffer : sizeof buffer - 1;
            const bool partial = indicator == SQL_NO_TOTAL || indicator > static_cast<SQLLEN>(room);
            text.append(buffer, partial ? room : static_cast<std::size_t>(indicator));
            if (got == SQL_SUCCESS)
                break;
        }
        if (isNull) {
            field.value_ = Variant::Null();
            continue;
        }
        switch (type) {
        case SQL_BIT:
            field.value_ = Variant(text == "1" || SameText(text, "true") || SameText(text, "t"));
            break;
        case SQL_TINYINT:
        case SQL_SMALLINT:
        case SQL_INTEGER:
        case SQL_BIGINT:
            if (const auto number = TryStrToInt64(text)) {
                if (type != SQL_BIGINT && *number >= INT32_MIN && *number <= INT32_MAX)
                    field.value_ = Variant(static_cast<int>(*number));
                else
                    field.value_ = Variant(static_cast<long long>(*number));
            } else {
                field.value_ = Variant(std::move(text));
            }
            break;
        case SQL_NUMERIC:
        case SQL_DECIMAL:
        case SQL_FLOAT:
        case SQL_REAL:
        case SQL_DOUBLE:
            if (const auto number = TryStrToFloat(text))
                field.value_ = Variant(*number);
            else
                field.value_ = Variant(std::move(text));
            break;
        default:
            field.value_ = Variant(std::move(text));
            break;
        }
    }
}

void TQuery::Fail() {
    const std::string message = Diagnostics(SQL_HANDLE_STMT, static_cast<SQLHSTMT>(stmt_));
    Close();
    throw EDatabaseError(message + "\nStatement: " + Trim(sql_));
}

const TQueryField* TQuery::FindField(std::string_view name) const {
    for (const TQueryField& field : fields_)
        if (SameText(field.FieldName(), name))
            return &field;
    return nullptr;
}

const TQueryField& TQuery::FieldByName(std::string_view name) const {
    if (const TQueryField* field = FindField(name))
        return *field;
    throw EDatabaseError("Field '" + std::string(name) + "' not found");
}

} // namespace vondrel
