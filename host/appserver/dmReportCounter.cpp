#include "dmReportCounter.h"

#include "CodeDefinitions.h"
#include "VariantJson.h"

#include "platform/ClassFactory.h"
#include "platform/DateTime.h"
#include "platform/PlatformServices.h"
#include "platform/SysUtils.h"

#include <cmath>
#include <set>

namespace vondrel {

namespace {

// What a query of the job queue reads, in the order of a job record.
constexpr const char* kJobColumns =
    "JQ001, JQ002, JQ003, JQ004, JQ005, JQ006, JQ007, JQ008, JQ009, JQ010, JQ011,"
    " JQ012, JQ013, JQ019, JQ018, JQ016";

std::string Text(const Variant& value) {
    return value.IsArray() || value.IsDispatch() ? std::string() : VarToStr(value);
}

const Variant& Arg(std::span<Variant> args, std::size_t index) {
    static const Variant empty;
    return index < args.size() ? args[index] : empty;
}

// The element of a one-dimensional array, or Empty outside it (or for a non-array).
const Variant& Element(const Variant& array, int index) {
    static const Variant empty;
    if (array.DimCount() != 1 || index < array.LowBound() || index > array.HighBound())
        return empty;
    return array[index];
}

Variant ArrayOf(std::vector<Variant> items) {
    return VarArrayOf(std::move(items));
}

std::string Stamp(TDateTime when) {
    return FormatDateTime("yyyymmddhhnnsszzz", when);
}

std::string PadNumber(long long number, int width) {
    std::string text = std::to_string(number);
    return text.size() >= static_cast<std::size_t>(width) ? text
                                                          : std::string(width - text.size(), '0') + text;
}

// The length the suite's double-byte code pages give a text: names of schemes are
// limited in those units.
std::size_t CodePageUnits(std::string_view text) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80)
            ++units;
        else if ((c & 0xC0) != 0x80)
            units += 2;
    }
    return units;
}

// The statement is one SELECT and names nothing that changes data. The database enforces
// read-only as well; this check gives the clear reason and stops a second statement.
void CheckQuery(std::string_view statement) {
    static const std::set<std::string, std::less<>> kForbidden = {
        "ALTER",     "ATTACH",     "BACKUP",   "BEGIN",    "CALL",    "COMMIT", "COPY",
        "CREATE",    "DBCC",       "DECLARE",  "DELETE",   "DETACH",  "DROP",   "EXEC",
        "EXECUTE",   "GRANT",      "INSERT",   "INTO",     "LOCK",    "MERGE",  "OPENDATASOURCE",
        "OPENQUERY", "OPENROWSET", "PRAGMA",   "REINDEX",  "RESTORE", "REVOKE", "ROLLBACK",
        "SAVEPOINT", "SET",        "SHUTDOWN", "TRUNCATE", "UPDATE",  "VACUUM",
    };
    std::vector<SqlToken> tokens;
    for (SqlToken& token : TokenizeSql(statement))
        if (IsSignificant(token))
            tokens.push_back(std::move(token));
    while (!tokens.empty() && tokens.back().Kind == SqlTokenKind::Symbol && tokens.back().Text == ";")
        tokens.pop_back();
    if (tokens.empty())
        throw Exception("SimpleSql refused an empty statement");
    if (tokens.front().Kind != SqlTokenKind::Word || !SameText(tokens.front().Text, "SELECT"))
        throw Exception("SimpleSql runs queries only: the statement must begin with SELECT");
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const SqlToken& token = tokens[i];
        if (token.Kind == SqlTokenKind::Symbol && token.Text == ";")
            throw Exception("SimpleSql runs one statement at a time");
        // PostgreSQL also quotes between dollar tags ($q$...$q$) and reads backslash escapes
        // in E'...': the check would read such a statement otherwise than the database does,
        // and a quote it takes for the end of a text could hide a second statement.
        if (token.Kind == SqlTokenKind::Symbol && token.Text == "$")
            throw Exception("SimpleSql does not accept \"$\" outside a text or the company prefix $$");
        if (token.Kind == SqlTokenKind::String && i > 0 && tokens[i - 1].Kind == SqlTokenKind::Word &&
            SameText(tokens[i - 1].Text, "E") && tokens[i - 1].Offset + 1 == token.Offset)
            throw Exception("SimpleSql does not accept escape strings (E'...')");
        if (token.Kind == SqlTokenKind::Word && kForbidden.count(UpperCase(token.Text)))
            throw Exception("SimpleSql runs queries only: \"" + token.Text + "\" is not allowed");
    }
}

// Runs what the server writes itself, without rewriting.
void ExecuteRaw(TDatabase& db, const std::string& statement) {
    const bool translate = db.TranslateSql;
    db.TranslateSql = false;
    try {
        db.Execute(statement);
    } catch (...) {
        db.TranslateSql = translate;
        throw;
    }
    db.TranslateSql = translate;
}

/// Makes the connection refuse changes while it lives.
class TReadOnlyScope {
public:
    explicit TReadOnlyScope(TDatabase& db) : db_(db) { Switch(true); }
    ~TReadOnlyScope() {
        try {
            Switch(false);
        } catch (...) {
        }
    }
    TReadOnlyScope(const TReadOnlyScope&) = delete;
    TReadOnlyScope& operator=(const TReadOnlyScope&) = delete;

private:
    void Switch(bool on) {
        if (db_.Kind() == TDatabaseKind::SQLite)
            ExecuteRaw(db_, on ? "PRAGMA query_only = 1" : "PRAGMA query_only = 0");
        else if (db_.Kind() == TDatabaseKind::PostgreSQL)
            ExecuteRaw(db_, on ? "SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"
                               : "SET SESSION CHARACTERISTICS AS TRANSACTION READ WRITE");
    }
    TDatabase& db_;
};

// Binds the caller's values to :P1, :P2, ... (missing ones are empty texts).
void BindValues(TQuery& query, const Variant& values) {
    std::vector<Variant> items;
    if (values.IsArray()) {
        if (values.DimCount() != 1)
            throw Exception("The values of a check or lookup must be a one-dimensional array");
        for (int i = values.LowBound(); i <= values.HighBound(); ++i)
            items.push_back(values[i]);
    } else if (!values.IsEmpty() && !values.IsNull()) {
        items.push_back(values);
    }
    for (std::size_t i = 0; i < 9; ++i) {
        Variant value = i < items.size() ? items[i] : Variant("");
        if (value.IsEmpty() || value.IsNull())
            value = Variant("");
        if (value.IsArray() || value.IsDispatch())
            throw Exception("Value " + std::to_string(i + 1) + " of a check or lookup is not a single value");
        query.SetParam("P" + std::to_string(i + 1), value);
    }
}

Variant RowOf(const TQuery& query) {
    std::vector<Variant> row;
    for (int c = 0; c < query.FieldCount(); ++c)
        row.push_back(query.Field(c).Value());
    return ArrayOf(std::move(row));
}

std::vector<Variant> AllRows(TQuery& query) {
    std::vector<Variant> rows;
    for (query.Open(); !query.Eof(); query.Next())
        rows.push_back(RowOf(query));
    return rows;
}

} // namespace

// ---------------------------------------------------------------------------------------------

TdmReportCounter::TdmReportCounter() : TAutoObject(kServerClassName) {
    RegisterMethods();
}

TdmReportCounter::TdmReportCounter(TServerSettings settings)
    : TAutoObject(kServerClassName), settings_(std::move(settings)) {
    RegisterMethods();
}

void TdmReportCounter::Guarded(std::string name, std::function<Variant(std::span<Variant>)> method) {
    RegisterMethod(std::move(name), [this, method = std::move(method)](std::span<Variant> args) -> Variant {
        try {
            return method(args);
        } catch (const std::exception& e) {
            lastError_ = e.what();
            throw;
        }
    });
}

void TdmReportCounter::RegisterMethods() {
    Guarded("GetPower", [this](std::span<Variant> a) { return GetPower(Arg(a, 0)); });
    Guarded("SQLType", [this](std::span<Variant>) -> Variant {
        switch (Db().Kind()) {
        case TDatabaseKind::SqlServer:
            return 1;
        case TDatabaseKind::SQLite:
            return 2;
        case TDatabaseKind::PostgreSQL:
            return 3;
        case TDatabaseKind::Other:
            break;
        }
        return 0;
    });
    Guarded("Request", [this](std::span<Variant> a) { return SubmitJob(Arg(a, 0), "", false); });
    Guarded("Request1", [this](std::span<Variant> a) { return SubmitJob(Arg(a, 0), Text(Arg(a, 1)), true); });
    Guarded("ExecSvrDLL", [this](std::span<Variant> a) -> Variant {
        ExecSvrDLL(a);
        return {};
    });
    RegisterMethod("ErrorDescript", [this](std::span<Variant>) -> Variant { return lastError_; });
    Guarded("UpdateStatus1", [this](std::span<Variant> a) -> Variant {
        UpdateStatus1(Arg(a, 0), Arg(a, 1), Arg(a, 2));
        return {};
    });
    Guarded("LoadTable", [this](std::span<Variant> a) -> Variant {
        const Variant& key = Arg(a, 0);
        schemeUser_ = Trim(Text(Element(key, 0)));
        schemeProgram_ = Trim(Text(Element(key, 1)));
        if (!key.IsArray() || schemeUser_.empty() || schemeProgram_.empty()) {
            schemesLoaded_ = false;
            throw Exception("LoadTable needs [user, program]");
        }
        schemesLoaded_ = true;
        return {};
    });
    Guarded("InsertConTable", [this](std::span<Variant> a) -> Variant { return InsertConTable(Arg(a, 0)); });
    Guarded("DeleteConTable", [this](std::span<Variant> a) -> Variant { return DeleteConTable(Arg(a, 0)); });
    Guarded("ChangeConName",
            [this](std::span<Variant> a) -> Variant { return ChangeConName(Arg(a, 0), Arg(a, 1)); });
    Guarded("AS_GetRecords", [this](std::span<Variant> a) { return GetRecords(Arg(a, 0)); });
    Guarded("GetCounter",
            [this](std::span<Variant> a) { return GetCounter(Arg(a, 0), Arg(a, 1), Arg(a, 2)); });
    Guarded("GetSysInfo", [this](std::span<Variant> a) { return GetSysInfo(Arg(a, 0)); });
    Guarded("CheckValue", [this](std::span<Variant> a) -> Variant { return CheckValue(a, false); });
    Guarded("QueryData", [this](std::span<Variant> a) -> Variant { return CheckValue(a, true); });
    Guarded("LookupRows",
            [this](std::span<Variant> a) { return LookupRows(Arg(a, 0), Arg(a, 1), Arg(a, 2), Arg(a, 3)); });
    Guarded("GetPhraseList", [this](std::span<Variant> a) { return GetPhraseList(Arg(a, 0)); });
    Guarded("GetJobs", [this](std::span<Variant>) { return JobRecords({}); });
    Guarded("GetJob", [this](std::span<Variant> a) -> Variant {
        const Variant jobs = JobRecords(Trim(Text(Arg(a, 0))));
        return jobs.HighBound() >= 0 ? jobs[0] : Variant();
    });
}

// --- connection ---------------------------------------------------------------------------

const TServerSettings& TdmReportCounter::Settings() {
    if (!settings_)
        settings_ = TServerSettings::Load(TServerSettings::FindIniFile());
    return *settings_;
}

TDatabase& TdmReportCounter::Db() {
    if (!database_ || !database_->Connected()) {
        auto database = std::make_unique<TDatabase>();
        database->Open(Settings().ConnectString);
        database_ = std::move(database);
    }
    database_->CompanyDatabase.clear();
    return *database_;
}

const TCompany& TdmReportCounter::CompanyOf(const Variant& context) {
    const std::string code = Trim(Text(context.IsArray() ? Element(context, 0) : context));
    const std::string database = context.IsArray() ? Trim(Text(Element(context, 1))) : std::string();
    if (const TCompany* company = Settings().CompanyByCode(code)) {
        if (!database.empty() && !SameText(database, company->Database))
            throw Exception("The database " + database + " is not the database of company " + code);
        return *company;
    }
    if (code.empty() && !database.empty())
        return CompanyOfDatabase(database);
    throw Exception("Unknown company: \"" + code + "\"");
}

const TCompany& TdmReportCounter::CompanyOfDatabase(const Variant& database) {
    const std::string name = Trim(Text(database));
    if (const TCompany* company = Settings().CompanyByDatabase(name))
        return *company;
    throw Exception("Unknown company database: \"" + name + "\"");
}

// --- rights -----------------------------------------------------------------------------------

Variant TdmReportCounter::GetPower(const Variant& request) {
    const std::string user = Trim(Text(Element(request, 1)));
    const std::string program = UpperCase(Trim(Text(Element(request, 2))));
    if (!request.IsArray() || user.empty() || program.empty())
        throw Exception("GetPower needs [database, user, program, \"\"]");
    if (!Text(Element(request, 0)).empty())
        CompanyOfDatabase(Element(request, 0));
    TDatabase& db = Db();
    TQuery query(db);
    query.SetSQL("SELECT MA002, MA003, MA004 FROM KMBMA WHERE MA001 = :USERID");
    query.SetParam("USERID", user);
    query.Open();
    if (query.Eof())
        throw Exception("Unknown user: " + user);
    const std::string name = query.FieldByName("MA002").AsString();
    const std::string group = query.FieldByName("MA003").AsString();
    if (query.FieldByName("MA004").AsString() != "Y")
        throw Exception("The user " + user + " is not active");

    query.SetSQL("SELECT MR003, MR004, MR005 FROM ADMMR WHERE MR001 = :USERID AND MR002 = :PROGRAM");
    query.SetParam("USERID", user);
    query.SetParam("PROGRAM", program);
    query.Open();
    std::string rights = "YYYYYYYY,Y,Y,YYYYYYYY,YYYYYYYY,YYYYYYYY";
    std::string restriction;
    std::vector<std::string> codes;
    if (!query.Eof()) {
        rights = query.FieldByName("MR003").AsString();
        restriction = query.FieldByName("MR004").AsString();
        const std::string list = query.FieldByName("MR005").AsString();
        std::size_t start = 0;
        while (!list.empty() && start <= list.size()) {
            const std::size_t comma = std::min(list.find(',', start), list.size());
            std::string code = Trim(list.substr(start, comma - start));
            if (!code.empty())
                codes.push_back(std::move(code));
            start = comma + 1;
        }
    }
    // A counted array: the number of codes, then the codes.
    Variant counted = VarArrayCreate({{0, static_cast<int>(codes.size())}});
    counted[0] = static_cast<int>(codes.size());
    for (std::size_t i = 0; i < codes.size(); ++i)
        counted[static_cast<int>(i) + 1] = codes[i];
    return ArrayOf({program, rights, name, group, restriction, counted});
}

// --- jobs -----------------------------------------------------------------------------------

Variant TdmReportCounter::SubmitJob(const Variant& options, const std::string& computer, bool runNow) {
    try {
        if (!options.IsArray() || options.DimCount() != 1 || options.LowBound() != 0 ||
            options.HighBound() < 2)
            throw Exception("The option array must have the elements 0 to 2 (environment, names, values)");
        const int high = options.HighBound();
        if (high != 2 && high != 4)
            throw Exception("The option array must have 3 elements, or 5 for a recurring job; it has " +
                            std::to_string(high + 1));
        const Variant& environment = options[0];
        const Variant& names = options[1];
        const Variant& values = options[2];
        if (!environment.IsArray() || environment.DimCount() != 1 || environment.HighBound() < 9)
            throw Exception("The environment (element 0 of the option array) must have the entries 1 to 9");
        if (!names.IsArray() || !values.IsArray() || names.DimCount() != 1 || values.DimCount() != 1 ||
            names.LowBound() != values.LowBound() || names.HighBound() != values.HighBound())
            throw Exception(
                "The option names and values (elements 1 and 2) must be arrays of the same bounds");
        const Variant& optionCount = Element(environment, 3);
        if (optionCount.IsNumeric() && optionCount.AsInteger() != values.HighBound())
            throw Exception("The environment announces " + Text(optionCount) + " options but " +
                            std::to_string(values.HighBound()) + " were sent");

        const std::string program = UpperCase(Trim(Text(Element(environment, 1))));
        const std::string companyCode = Trim(Text(Element(environment, 4)));
        const std::string user = Trim(Text(Element(environment, 5)));
        const std::string databaseName = Trim(Text(Element(environment, 6)));
        const std::string serverClass = Trim(Text(Element(environment, 8)));
        const std::string jobKind = Trim(Text(Element(environment, 9)));
        if (program.empty() || companyCode.empty() || user.empty())
            throw Exception("The environment names no program, company or user");
        const TCompany& company = CompanyOf(ArrayOf({companyCode, databaseName}));

        int runMode = 0;
        const Variant& mode = Element(environment, 10);
        if (!mode.IsEmpty() && !mode.IsNull()) {
            const auto number = TryStrToInt(Text(mode));
            if (!number || *number < 0 || *number > 2)
                throw Exception("Unknown run mode: " + Text(mode));
            runMode = *number;
        }
        TDateTime start = Now();
        const Variant& startValue = Element(environment, 11);
        if (startValue.Type() == VarType::Date || startValue.IsNumeric()) {
            start = startValue.AsDate();
        } else if (startValue.IsText() && !Trim(Text(startValue)).empty()) {
            const auto parsed = TryStrToDateTime(Text(startValue));
            if (!parsed)
                throw Exception("Not a start time: " + Text(startValue));
            start = *parsed;
        }
        // A day number outside the calendar would be stored as a run time of zeros.
        if (!std::isfinite(start) || start < MinDateTime() || std::trunc(start) > MaxDateTime())
            throw Exception("Not a start time: " + Text(startValue));

        const bool recurring = high == 4;
        std::string schedule, rules;
        if (recurring) {
            const Variant& record = options[3];
            if (!record.IsArray() || record.DimCount() != 1 || record.HighBound() < 3 ||
                Text(Element(record, 0)) != "Y")
                throw Exception("The schedule record (element 3) must be [\"Y\", run time, cycle, range]");
            schedule = VariantToJson(record);
            rules = VariantToJson(options[4]);
        }
        const std::string encoded = VariantToJson(options);

        TDatabase& db = Db();
        {
            TQuery query(db);
            query.SetSQL("SELECT MA004 FROM KMBMA WHERE MA001 = :USERID");
            query.SetParam("USERID", user);
            query.Open();
            if (query.Eof())
                throw Exception("Unknown user: " + user);
            query.SetSQL("SELECT MB001 FROM ADMMB WHERE MB001 = :PROGRAM");
            query.SetParam("PROGRAM", program);
            query.Open();
            if (query.Eof())
                throw Exception("Unknown program: " + program);
        }

        const TDateTime now = Now();
        const std::string day = FormatDateTime("yyyymmdd", now);
        // Numbers are the day and a serial; the key refuses a number taken meanwhile by
        // another connection, and the next try takes the following one.
        for (int attempt = 0;; ++attempt) {
            try {
                db.StartTransaction();
                TQuery query(db);
                query.SetSQL("SELECT MAX(CAST(SUBSTRING(JQ001, 9, 12) AS INTEGER)) FROM ADMJQ"
                             " WHERE JQ001 LIKE :DAY");
                query.SetParam("DAY", day + "%");
                query.Open();
                const long long last =
                    query.Eof() || query.Field(0).IsNull() ? 0 : query.Field(0).AsInteger();
                const std::string number = day + PadNumber(last + 1, 4);
                query.SetSQL(
                    "INSERT INTO ADMJQ (JQ001, JQ002, JQ003, JQ004, JQ005, JQ006, JQ007, JQ008, JQ009, JQ010,"
                    " JQ011, JQ012, JQ013, JQ014, JQ015, JQ016, JQ017, JQ018, JQ019) VALUES (:JQ001, :JQ002,"
                    " :JQ003, :JQ004, :JQ005, :JQ006, :JQ007, :JQ008, :JQ009, :JQ010, :JQ011, :JQ012, :JQ013,"
                    " :JQ014, :JQ015, :JQ016, :JQ017, :JQ018, :JQ019)");
                query.SetParam("JQ001", number);
                query.SetParam("JQ002", program);
                query.SetParam("JQ003", company.Code);
                query.SetParam("JQ004", user);
                query.SetParam("JQ005", company.Database);
                query.SetParam("JQ006", serverClass);
                query.SetParam("JQ007", jobKind);
                query.SetParam("JQ008", runMode);
                query.SetParam("JQ009", Stamp(start));
                query.SetParam("JQ010", recurring ? "Y" : "N");
                query.SetParam("JQ011", computer);
                query.SetParam("JQ012", runNow ? "I" : "W");
                query.SetParam("JQ013", encoded);
                query.SetParam("JQ014", schedule);
                query.SetParam("JQ015", rules);
                query.SetParam("JQ016", Stamp(now));
                query.SetParam("JQ017", Stamp(now));
                query.SetParam("JQ018", "");
                query.SetParam("JQ019", runNow ? "Request1" : "Request");
                query.ExecSQL();
                db.Commit();
                return number;
            } catch (const EDatabaseError&) {
                if (db.InTransaction())
                    db.Rollback();
                if (attempt >= 4)
                    throw;
            }
        }
    } catch (const std::exception& e) {
        lastError_ = e.what();
        return "ERROR";
    }
}

void TdmReportCounter::ExecSvrDLL(std::span<Variant> args) {
    const std::string jobNumber = Trim(Text(Arg(args, 0)));
    const std::string serverClass = Trim(Text(Arg(args, 5)));
    const std::string jobKind = UpperCase(Trim(Text(Arg(args, 6))));
    TDatabase& db = Db();
    {
        TQuery query(db);
        query.SetSQL("SELECT JQ001 FROM ADMJQ WHERE JQ001 = :JOB");
        query.SetParam("JOB", jobNumber);
        query.Open();
        if (query.Eof())
            throw Exception("Job " + jobNumber + " not found");
    }
    auto record = [&](const std::string& status, const std::string& text) {
        const std::string now = Stamp(Now());
        TQuery query(db);
        query.SetSQL("UPDATE ADMJQ SET JQ012 = :STATUS, JQ017 = :NOW WHERE JQ001 = :JOB");
        query.SetParam("STATUS", status);
        query.SetParam("NOW", now);
        query.SetParam("JOB", jobNumber);
        query.ExecSQL();
        query.SetSQL("INSERT INTO ADMJL (JL001, JL002, JL003, JL004) VALUES (:JOB, :NOW, 'RUN', :TEXT)");
        query.SetParam("JOB", jobNumber);
        query.SetParam("NOW", now);
        query.SetParam("TEXT", text);
        query.ExecSQL();
    };

    DispatchPtr serverHalf;
    try {
        serverHalf = CreateOleObject(serverClass);
    } catch (const EOleError& e) {
        record("R", "The server half " + serverClass + " is not installed; the run was recorded. (" +
                        e.what() + ")");
        return;
    }
    Variant runArray;
    if (jobKind == "B")
        runArray = ArrayOf({jobNumber, Arg(args, 3), Arg(args, 4), Arg(args, 8), Arg(args, 7), Arg(args, 10),
                            Arg(args, 11)});
    else
        runArray = ArrayOf({jobNumber, "", Arg(args, 3), Arg(args, 4), Arg(args, 7), Arg(args, 8),
                            Arg(args, 9), jobKind, Arg(args, 10), Arg(args, 11), 1, "936"});
    const Variant object(serverHalf);
    try {
        object.Call("Run", runArray);
    } catch (const std::exception& e) {
        record("E", std::string("The run failed: ") + e.what());
        throw;
    }
    std::string messages;
    try {
        messages = Text(object.Call("MessageText"));
    } catch (const EOleError&) {
        // The server half keeps no message text.
    }
    record("R", messages);
}

void TdmReportCounter::UpdateStatus1(const Variant& jobNumber, const Variant& log, const Variant& when) {
    const std::string number = Trim(Text(jobNumber));
    TDateTime time = Now();
    if (when.Type() == VarType::Date || when.IsNumeric())
        time = when.AsDate();
    TDatabase& db = Db();
    TQuery query(db);
    query.SetSQL("INSERT INTO ADMJL (JL001, JL002, JL003, JL004) VALUES (:JOB, :TIME, 'STATUS', :TEXT)");
    query.SetParam("JOB", number);
    query.SetParam("TIME", Stamp(time));
    query.SetParam("TEXT", Text(log));
    query.ExecSQL();
    query.SetSQL("UPDATE ADMJQ SET JQ012 = 'D', JQ017 = :TIME, JQ018 = :TEXT WHERE JQ001 = :JOB");
    query.SetParam("JOB", number);
    query.SetParam("TIME", Stamp(time));
    query.SetParam("TEXT", Text(log));
    query.ExecSQL();
}

Variant TdmReportCounter::JobRecords(const std::string& jobNumber) {
    TQuery query(Db());
    query.SetSQL(std::string("SELECT ") + kJobColumns + " FROM ADMJQ" +
                 (jobNumber.empty() ? "" : " WHERE JQ001 = :JOB") + " ORDER BY JQ016, JQ001");
    if (!jobNumber.empty())
        query.SetParam("JOB", jobNumber);
    std::vector<Variant> jobs;
    for (query.Open(); !query.Eof(); query.Next()) {
        Variant job = VarArrayCreate({{0, query.FieldCount() - 1}});
        for (int c = 0; c < query.FieldCount(); ++c) {
            if (c == 12)
                job[c] = VariantFromJson(query.Field(c).AsString());
            else if (c == 7)
                job[c] = static_cast<int>(query.Field(c).AsInteger());
            else
                job[c] = query.Field(c).AsString();
        }
        jobs.push_back(std::move(job));
    }
    return ArrayOf(std::move(jobs));
}

// --- schemes ----------------------------------------------------------------------------------

std::string TdmReportCounter::InsertConTable(const Variant& record) {
    try {
        if (!record.IsArray() || record.DimCount() != 1 || record.LowBound() != 0 || record.HighBound() < 6)
            throw Exception("A scheme record has the elements 0 to 6");
        const std::string name = Text(record[0]);
        const std::string user = Trim(Text(record[1]));
        const std::string date = Trim(Text(record[2]));
        const std::string program = Trim(Text(record[3]));
        const std::string fields = Text(record[4]);
        const std::string options = Text(record[5]);
        const bool replace = !record[6].IsEmpty() && !record[6].IsNull() && record[6].AsBoolean();
        if (Trim(name).empty())
            throw Exception("The scheme name is empty");
        if (CodePageUnits(name) > 20)
            throw Exception("The scheme name \"" + name + "\" is longer than 20 characters");
        if (user.empty() || program.empty())
            throw Exception("The scheme names no user or program");
        // Eight digits naming a real day: a number check alone lets "0x1F2E3D" or "-2026123" in.
        const bool digits = date.size() == 8 && date.find_first_not_of("0123456789") == std::string::npos;
        if (!digits || !TryEncodeDate(std::stoi(date.substr(0, 4)), std::stoi(date.substr(4, 2)),
                                      std::stoi(date.substr(6, 2))))
            throw Exception("The scheme date must be YYYYMMDD: \"" + date + "\"");

        TDatabase& db = Db();
        TQuery query(db);
        query.SetSQL("SELECT NCONDITION FROM GENES WHERE NCONDITION = :NAME AND CREATOR = :USERID"
                     " AND PROGRAMME = :PROGRAM");
        query.SetParam("NAME", name);
        query.SetParam("USERID", user);
        query.SetParam("PROGRAM", program);
        query.Open();
        const bool exists = !query.Eof();
        query.Close();
        if (exists && !replace)
            throw Exception("A scheme named \"" + name + "\" already exists");
        query.SetSQL(
            exists ? "UPDATE GENES SET CREATE_DATE = :CREATED, SCONDITION = :FIELDS, VCONDITION = :OPTIONS"
                     " WHERE NCONDITION = :NAME AND CREATOR = :USERID AND PROGRAMME = :PROGRAM"
                   : "INSERT INTO GENES (NCONDITION, CREATOR, PROGRAMME, CREATE_DATE, SCONDITION, VCONDITION)"
                     " VALUES (:NAME, :USERID, :PROGRAM, :CREATED, :FIELDS, :OPTIONS)");
        query.SetParam("NAME", name);
        query.SetParam("USERID", user);
        query.SetParam("PROGRAM", program);
        query.SetParam("CREATED", date);
        query.SetParam("FIELDS", fields);
        query.SetParam("OPTIONS", options);
        query.ExecSQL();
        return {};
    } catch (const std::exception& e) {
        lastError_ = e.what();
        return e.what();
    }
}

std::string TdmReportCounter::DeleteConTable(const Variant& key) {
    try {
        if (!key.IsArray() || key.DimCount() != 1 || key.HighBound() < key.LowBound() + 2)
            throw Exception("A scheme key is [name, user, program]");
        const int low = key.LowBound();
        TQuery query(Db());
        query.SetSQL(
            "DELETE FROM GENES WHERE NCONDITION = :NAME AND CREATOR = :USERID AND PROGRAMME = :PROGRAM");
        query.SetParam("NAME", Text(key[low]));
        query.SetParam("USERID", Trim(Text(key[low + 1])));
        query.SetParam("PROGRAM", Trim(Text(key[low + 2])));
        if (query.ExecSQL() == 0)
            throw Exception("No scheme named \"" + Text(key[low]) + "\"");
        return {};
    } catch (const std::exception& e) {
        lastError_ = e.what();
        return e.what();
    }
}

std::string TdmReportCounter::ChangeConName(const Variant& oldKey, const Variant& newKey) {
    try {
        for (const Variant* key : {&oldKey, &newKey})
            if (!key->IsArray() || key->DimCount() != 1 || key->HighBound() < key->LowBound() + 2)
                throw Exception("A scheme key is [name, user, program]");
        const std::string oldName = Text(oldKey[oldKey.LowBound()]);
        const std::string newName = Text(newKey[newKey.LowBound()]);
        const std::string user = Trim(Text(oldKey[oldKey.LowBound() + 1]));
        const std::string program = Trim(Text(oldKey[oldKey.LowBound() + 2]));
        if (!SameText(user, Trim(Text(newKey[newKey.LowBound() + 1]))) ||
            !SameText(program, Trim(Text(newKey[newKey.LowBound() + 2]))))
            throw Exception("A scheme keeps its user and program when it is renamed");
        if (Trim(newName).empty())
            throw Exception("The scheme name is empty");
        if (CodePageUnits(newName) > 20)
            throw Exception("The scheme name \"" + newName + "\" is longer than 20 characters");
        if (newName == oldName)
            return {};
        TDatabase& db = Db();
        TQuery query(db);
        query.SetSQL("SELECT NCONDITION FROM GENES WHERE NCONDITION = :NAME AND CREATOR = :USERID"
                     " AND PROGRAMME = :PROGRAM");
        query.SetParam("NAME", newName);
        query.SetParam("USERID", user);
        query.SetParam("PROGRAM", program);
        query.Open();
        if (!query.Eof())
            throw Exception("A scheme named \"" + newName + "\" already exists");
        query.SetSQL("UPDATE GENES SET NCONDITION = :NEWNAME WHERE NCONDITION = :NAME AND CREATOR = :USERID"
                     " AND PROGRAMME = :PROGRAM");
        query.SetParam("NEWNAME", newName);
        query.SetParam("NAME", oldName);
        query.SetParam("USERID", user);
        query.SetParam("PROGRAM", program);
        if (query.ExecSQL() == 0)
            throw Exception("No scheme named \"" + oldName + "\"");
        return {};
    } catch (const std::exception& e) {
        lastError_ = e.what();
        return e.what();
    }
}

Variant TdmReportCounter::GetRecords(const Variant& provider) {
    const std::string name = Trim(Text(provider));
    if (!SameText(name, "pvdConSave"))
        throw Exception("Unknown provider: \"" + name + "\"");
    struct Column {
        const char* Name;
        int Size;
    };
    static constexpr Column kColumns[] = {{"NCONDITION", 20}, {"CREATOR", 20},      {"PROGRAMME", 20},
                                          {"CREATE_DATE", 8}, {"SCONDITION", 4000}, {"VCONDITION", 4000}};
    std::vector<Variant> fields;
    for (const Column& column : kColumns)
        fields.push_back(ArrayOf({column.Name, "String", column.Size}));
    std::vector<Variant> rows;
    if (schemesLoaded_) {
        TQuery query(Db());
        query.SetSQL(
            "SELECT NCONDITION, CREATOR, PROGRAMME, CREATE_DATE, SCONDITION, VCONDITION FROM GENES"
            " WHERE CREATOR = :USERID AND PROGRAMME = :PROGRAM ORDER BY NCONDITION, CREATOR, PROGRAMME");
        query.SetParam("USERID", schemeUser_);
        query.SetParam("PROGRAM", schemeProgram_);
        for (query.Open(); !query.Eof(); query.Next()) {
            std::vector<Variant> row;
            for (int c = 0; c < query.FieldCount(); ++c)
                row.push_back(query.Field(c).AsString());
            rows.push_back(ArrayOf(std::move(row)));
        }
    }
    return ArrayOf({ArrayOf(std::move(fields)), ArrayOf(std::move(rows))});
}

// --- counter service --------------------------------------------------------------------------

Variant TdmReportCounter::GetCounter(const Variant& function, const Variant& args, const Variant& context) {
    const std::string name = UpperCase(Trim(Text(function)));
    if (name == "SIMPLESQL")
        return SimpleSql(args, context);
    if (name == "RESULTCONNECTSTRING")
        return Settings().NoticeConnectString;
    throw Exception("Unknown counter function: \"" + Text(function) + "\"");
}

Variant TdmReportCounter::SimpleSql(const Variant& args, const Variant& context) {
    if (!args.IsArray() || args.DimCount() != 1 || args.HighBound() < args.LowBound() + 1)
        throw Exception("SimpleSql needs [statement, field list]");
    const std::string statement = Text(args[args.LowBound()]);
    const std::string fieldList = Text(args[args.LowBound() + 1]);
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (start <= fieldList.size()) {
        const std::size_t comma = std::min(fieldList.find(',', start), fieldList.size());
        const std::string field = Trim(fieldList.substr(start, comma - start));
        if (!field.empty())
            fields.push_back(field);
        start = comma + 1;
    }
    if (fields.empty())
        throw Exception("SimpleSql needs the names of the fields to return");
    CheckQuery(statement);

    TDatabase& db = Db();
    const bool hasContext =
        context.IsArray() && !(Text(Element(context, 0)).empty() && Text(Element(context, 1)).empty());
    if (hasContext)
        db.CompanyDatabase = CompanyOf(context).Database;
    db.Prepare(statement); // attaches what the statement names before the connection turns read-only
    TReadOnlyScope readOnly(db);
    TQuery query(db);
    query.SetSQL(statement);
    std::vector<Variant> rows;
    for (query.Open(); !query.Eof(); query.Next()) {
        std::vector<Variant> row;
        for (const std::string& field : fields)
            row.push_back(query.FieldByName(field).Value());
        rows.push_back(ArrayOf(std::move(row)));
    }
    if (rows.empty())
        return {};
    return ArrayOf(std::move(rows));
}

Variant TdmReportCounter::GetSysInfo(const Variant& companyCode) {
    TDatabase& db = Db();
    db.CompanyDatabase = CompanyOf(companyCode).Database;
    TQuery query(db);
    query.SetSQL("SELECT SP001, SP002 FROM $$CMSSP ORDER BY SP001");
    std::vector<std::pair<std::string, std::string>> parameters;
    for (query.Open(); !query.Eof(); query.Next())
        parameters.emplace_back(query.Field(0).AsString(), query.Field(1).AsString());
    Variant result = VarArrayCreate({{0, 1}, {0, static_cast<int>(parameters.size()) - 1}});
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        result.At({0, static_cast<int>(i)}) = parameters[i].first;
        result.At({1, static_cast<int>(i)}) = parameters[i].second;
    }
    return result;
}

// --- validator and lookup services ------------------------------------------------------------

bool TdmReportCounter::CheckValue(std::span<Variant> args, bool allRows) {
    if (args.size() < 5)
        throw Exception("CheckValue takes table, check number, database, values and result");
    const std::string table = Trim(Text(args[0]));
    const std::string number = Trim(Text(args[1]));
    const TCodeDefinition* definition = FindCheck(table, number);
    if (!definition)
        throw Exception("No check " + table + " " + number);
    TDatabase& db = Db();
    if (std::string_view(definition->Statement).find("$$") != std::string_view::npos)
        db.CompanyDatabase = CompanyOfDatabase(args[2]).Database;
    TQuery query(db);
    query.SetSQL(definition->Statement);
    BindValues(query, args[3]);
    std::vector<Variant> rows = AllRows(query);
    if (rows.empty()) {
        args[4] = Variant();
        return false;
    }
    args[4] = allRows ? ArrayOf(std::move(rows)) : rows.front();
    return true;
}

Variant TdmReportCounter::LookupRows(const Variant& table, const Variant& number, const Variant& database,
                                     const Variant& params) {
    const TCodeDefinition* definition = FindLookup(Text(table), Text(number));
    if (!definition)
        throw Exception("No lookup " + Trim(Text(table)) + " " + Trim(Text(number)));
    TDatabase& db = Db();
    if (std::string_view(definition->Statement).find("$$") != std::string_view::npos)
        db.CompanyDatabase = CompanyOfDatabase(database).Database;
    TQuery query(db);
    query.SetSQL(definition->Statement);
    BindValues(query, params);
    return ArrayOf(AllRows(query));
}

Variant TdmReportCounter::GetPhraseList(const Variant& user) {
    TQuery query(Db());
    query.SetSQL("SELECT PH003 FROM ADMPH WHERE PH001 = :USERID OR PH001 = ''"
                 " ORDER BY CASE WHEN PH001 = '' THEN 1 ELSE 0 END, PH002");
    query.SetParam("USERID", Trim(Text(user)));
    std::vector<Variant> phrases;
    for (query.Open(); !query.Eof(); query.Next())
        phrases.push_back(query.Field(0).AsString());
    return ArrayOf(std::move(phrases));
}

} // namespace vondrel
