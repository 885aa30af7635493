#pragma once

#include "ServerSettings.h"

#include "platform/Database.h"

#include <vondrel/Dispatch.h>

#include <memory>
#include <optional>
#include <string>

namespace vondrel {

inline constexpr const char* kServerClassName = "Quorvex.dmReportCounter";

/// The reference application server, reached late-bound by method name. Every method
/// raises EOleException on failure unless its contract says otherwise, and every failure
/// leaves its text for ErrorDescript. Texts come back as narrow (UTF-8) texts; arrays are
/// one-dimensional from 0 unless stated.
///
/// Job form services
/// - GetPower([database, user, program, ""]) → [program, rights list (six comma-separated
///   fields), user name, user group, restriction name, [count, code, ...]]. A user without
///   a rights row of the program has every right; an unknown or inactive user raises.
/// - SQLType() → 1 SQL Server, 2 SQLite, 3 PostgreSQL, 0 another database.
/// - Request(option array) → job number, or "ERROR" (ErrorDescript says why): the job is
///   queued with its option array, run mode (environment entry 10), start time (entry 11),
///   and for a recurring job its schedule record and date rules (elements 3 and 4).
/// - Request1(option array, computer name) → job number or "ERROR": a job to be run now.
/// - ExecSvrDLL(var job number, program, "", company, user, server class, job kind,
///   database, var option values, count, run log number, product code): runs the job's
///   server half, an object of the server class created through the class factory with
///   the method Run(run array) and optionally MessageText() → text; when the class is not
///   installed the run is recorded and nothing else happens. Raises for an unknown job.
/// - ErrorDescript() → the text of the last failure.
/// - UpdateStatus1(var job number, message log, date and time): records the run's
///   messages (also for the job number "ERROR") and marks the job done.
/// - LoadTable([user, program]): chooses the schemes the provider "pvdConSave" delivers.
/// - InsertConTable([name, user, date, program, field list, option text, replace]) → ""
///   or the reason; DeleteConTable([name, user, program]) → "" or the reason;
///   ChangeConName(old key, new key) → "" or the reason.
/// - AS_GetRecords(provider, params) → [[[field name, type name, size], ...], [[value,
///   ...], ...]]: the rows of a provider in one call; type names are "String",
///   "Integer", "Float", "Date", "Boolean"; no rows is an array with bounds 0..-1. The
///   provider "pvdConSave" has NCONDITION, CREATOR, PROGRAMME, CREATE_DATE, SCONDITION,
///   VCONDITION ordered by name. An unknown provider raises.
///
/// Counter, validator and lookup services (the shell forwards to these)
/// - GetCounter(function, var args, [company code, database]):
///   "SIMPLESQL" with [statement, field list, ...] → rows of the listed fields (names
///   trimmed, compared without regard to case) in order, or Empty when no row is found.
///   The statement must be one SELECT; it runs read-only; "$$" names the company's
///   tables. A refused or failing statement raises with the reason.
///   "RESULTCONNECTSTRING" → the connection string of the notice database.
/// - GetSysInfo(var company code) → two-dimensional [0..1, 0..n-1]: row 0 the names of
///   the company's system parameters, row 1 their values.
/// - CheckValue(var table, var check number, var database, var values, var result) →
///   true when the code exists; result := the definition's first row (Empty when none).
///   QueryData: the same with result := every row. An unknown definition or database
///   raises.
/// - LookupRows(table, lookup number, database, params) → rows, each with the code first
///   and the name second; params is a value array or a single value.
/// - GetPhraseList(user, database) → the user's phrases, then everybody's.
/// - GetJobs() → every job, oldest first; GetJob(job number) → one job or Empty. A job is
///   [number, program, company, user, database, server class, job kind, run mode, start
///   time "YYYYMMDDHHNNSSZZZ", recurring "Y"/"N", computer, status (W waiting, I to run
///   now, R ran, D done, E failed), option array as submitted, submitted through
///   ("Request"/"Request1"), run messages, submitted at].
class TdmReportCounter : public TAutoObject {
public:
    /// Settings are read and the database opened on the first call that needs them.
    TdmReportCounter();
    explicit TdmReportCounter(TServerSettings settings);

private:
    void RegisterMethods();
    void Guarded(std::string name, std::function<Variant(std::span<Variant>)> method);

    const TServerSettings& Settings();
    TDatabase& Db();
    const TCompany& CompanyOf(const Variant& context);
    const TCompany& CompanyOfDatabase(const Variant& database);

    Variant GetPower(const Variant& request);
    Variant SubmitJob(const Variant& options, const std::string& computer, bool runNow);
    void ExecSvrDLL(std::span<Variant> args);
    void UpdateStatus1(const Variant& jobNumber, const Variant& log, const Variant& when);
    std::string InsertConTable(const Variant& record);
    std::string DeleteConTable(const Variant& key);
    std::string ChangeConName(const Variant& oldKey, const Variant& newKey);
    Variant GetRecords(const Variant& provider);
    Variant GetCounter(const Variant& function, const Variant& args, const Variant& context);
    Variant SimpleSql(const Variant& args, const Variant& context);
    Variant GetSysInfo(const Variant& companyCode);
    bool CheckValue(std::span<Variant> args, bool allRows);
    Variant LookupRows(const Variant& table, const Variant& number, const Variant& database,
                       const Variant& params);
    Variant GetPhraseList(const Variant& user);
    Variant JobRecords(const std::string& jobNumber);

    std::optional<TServerSettings> settings_;
    std::unique_ptr<TDatabase> database_;
    std::string lastError_;
    std::string schemeUser_;
    std::string schemeProgram_;
    bool schemesLoaded_ = false;
};

} // namespace vondrel
