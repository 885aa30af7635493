// bench_revaluation [--rows N] [--folder DIR]
//
// Generates a demo company whose ledger holds N balance rows (default 1,000,000) of
// foreign-currency accounts, then computes the exchange revaluation preview twice:
//
//  1. the statement path: the job's balance query and one rate query per balance row,
//     each through the application server's "SimpleSql" (T-SQL rewritten for SQLite,
//     run over ODBC, answered as variant rows), the differences computed as the job does;
//  2. one hand-written SQL statement run directly on SQLite through its C library.
//
// Both must give the same differences; the figures are rows per second and their ratio.

#include "DemoCompany.h"
#include "dmReportCounter.h"

#include <sqlite3.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>

using namespace vondrel;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

void Check(int rc, sqlite3* db, const char* what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::cerr << what << ": " << sqlite3_errmsg(db) << "\n";
        std::exit(1);
    }
}

void Exec(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::cerr << sql << ": " << (error ? error : "?") << "\n";
        std::exit(1);
    }
}

// Revalued accounts B0001.., customers K0001.., four currencies, periods 00 to 12 of
// 2026: combinations in that order until the ledger has the rows asked for.
void GenerateLedger(const std::string& file, long rows) {
    sqlite3* db = nullptr;
    Check(sqlite3_open(file.c_str(), &db), db, "open");
    Exec(db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN");
    constexpr int kAccounts = 100, kCustomers = 200;
    const char* const currencies[] = {"USD", "EUR", "HKD", "JPY"};
    for (int a = 1; a <= kAccounts; ++a) {
        char code[16];
        std::snprintf(code, sizeof code, "B%04d", a);
        Exec(db,
             std::string("INSERT INTO ACTMA SELECT '") + code + "', MA002, MA003 || '" + code +
                 "', MA004, MA005, MA006, MA007, MA008, MA009, MA010, MA011, MA012, MA013, MA014, MA015, "
                 "MA016,"
                 " MA017, MA019, MA020, MA023, MA024, MA027, MA028, MA029, MA031, MA039, MA040, MA041, MA045"
                 " FROM ACTMA WHERE MA001 = '1122'");
    }
    for (int c = 1; c <= kCustomers; ++c) {
        char code[16];
        std::snprintf(code, sizeof code, "K%04d", c);
        Exec(db, std::string("INSERT INTO COPMA VALUES ('") + code + "', '客户" + code + "', '客户有限公司" +
                     code + "', '', '', 'USD', '')");
    }
    sqlite3_stmt* insert = nullptr;
    Check(sqlite3_prepare_v2(
              db,
              "INSERT INTO ACTLE (LE001, LE002, LE003, LE004, LE006, LE007, LE008, LE009, LE010, LE011,"
              " LE012, LE013, LE014, LE016, LE017, LE026, LE034)"
              " VALUES (?, '2026', ?, ?, ?, '', '', '', '', '', 0, ?, ?, ?, ?, 0, '')",
              -1, &insert, nullptr),
          db, "prepare");
    long written = 0;
    for (int a = 1; a <= kAccounts && written < rows; ++a)
        for (const char* currency : currencies)
            for (int c = 1; c <= kCustomers && written < rows; ++c)
                for (int p = 0; p <= 12 && written < rows; ++p) {
                    char account[16], customer[16], period[16];
                    std::snprintf(account, sizeof account, "B%04d", a);
                    std::snprintf(customer, sizeof customer, "K%04d", c);
                    std::snprintf(period, sizeof period, "%02d", p);
                    const double foreign = (a * 37 + c * 11 + p * 7) % 1000 + 0.25;
                    const double rate = 0.9 + ((a + c + p) % 80) / 10.0;
                    sqlite3_bind_text(insert, 1, account, -1, SQLITE_TRANSIENT);
                    sqlite3_bind_text(insert, 2, period, -1, SQLITE_TRANSIENT);
                    sqlite3_bind_text(insert, 3, currency, -1, SQLITE_STATIC);
                    sqlite3_bind_text(insert, 4, customer, -1, SQLITE_TRANSIENT);
                    const bool debit = (a + c + p) % 3 != 0;
                    sqlite3_bind_double(insert, 5, debit ? foreign : 0);
                    sqlite3_bind_double(insert, 6, debit ? std::round(foreign * rate * 100) / 100 : 0);
                    sqlite3_bind_double(insert, 7, debit ? 0 : foreign);
                    sqlite3_bind_double(insert, 8, debit ? 0 : std::round(foreign * rate * 100) / 100);
                    Check(sqlite3_step(insert), db, "insert");
                    sqlite3_reset(insert);
                    ++written;
                }
    sqlite3_finalize(insert);
    Exec(db, "COMMIT; ANALYZE");
    sqlite3_close(db);
}

const char* const kBalanceQuery =
    " SELECT LE001,ACTMA.MA003 AS ACTMA003,LE004,ACTMA.MA023 AS ACTMA023,  ACTMA.MA024 AS "
    "ACTMA024,LE006,LE007,LE008,ME002,LE009,MV002,LE010,MF1.MF003 AS MF1003,  LE011,MF2.MF003 AS "
    "MF2003,SUM(LE014-LE017) AS MONEYB,SUM(LE013-LE016) AS MONEYF ,COPMA.MA003 AS FCOPMA,PURMA.MA003 AS "
    "FPURMA "
    ",LE034,CMSNO.NO002 AS CMSNO002  FROM $$ACTLE ACTLE  INNER JOIN $$ACTMA ACTMA ON LE001= ACTMA.MA001  AND "
    "ACTMA.MA027='Y' LEFT JOIN $$COPMA COPMA ON LE006= COPMA.MA001  LEFT JOIN $$PURMA PURMA ON LE007= "
    "PURMA.MA001  LEFT JOIN $$CMSME CMSME ON LE008= ME001  LEFT JOIN $$CMSMV CMSMV ON LE009= MV001  LEFT "
    "JOIN "
    "$$ACTMF MF1 ON LE010= MF1.MF002  LEFT JOIN $$ACTMF MF2 ON LE011= MF2.MF002  LEFT JOIN $$CMSNO CMSNO ON "
    "LE034= CMSNO.NO001  WHERE 1=1   AND LE004<>'RMB' AND LE002+LE003 BETWEEN 202600 AND 202612  GROUP BY "
    "LE001,LE004,LE006,LE007,LE008,LE009,LE010,LE011,ACTMA.MA003,ACTMA.MA024,ME002,MV002,MF1.MF003,MF2.MF003,"
    " "
    "ACTMA.MA023  ,COPMA.MA003, PURMA.MA003 ,ACTMA.MA023 ,LE034,CMSNO.NO002 ";
const char* const kBalanceFields = " LE001,ACTMA003,LE006,FCOPMA,LE007,FPURMA,LE008,ME002,LE009,MV002,LE010,"
                                   "MF1003,LE011,MF2003,LE004,MONEYF,MONEYB,ACTMA023,LE034,CMSNO002 ";

// The same preview in one statement: balances, the latest rate on or before the period
// end (1 without one), and the rows whose difference is not zero.
const char* const kHandWritten =
    "SELECT LE001, LE004, LE006, LE007, LE008, LE009, LE010, LE011, LE034, MONEYF * RATE - MONEYB AS DIFF"
    "  FROM (SELECT B.*, COALESCE((SELECT MG007 FROM CMSMG WHERE MG001 = B.LE004 AND MG002 <= '20261231'"
    "                              ORDER BY MG002 DESC LIMIT 1), 1) AS RATE"
    "          FROM (SELECT LE001, LE004, LE006, LE007, LE008, LE009, LE010, LE011, LE034,"
    "                       SUM(LE013 - LE016) AS MONEYF, SUM(LE014 - LE017) AS MONEYB"
    "                  FROM ACTLE INNER JOIN ACTMA ON MA001 = LE001 AND MA027 = 'Y'"
    "                 WHERE LE004 <> 'RMB' AND LE002 = '2026' AND LE003 BETWEEN '00' AND '12'"
    "                 GROUP BY LE001, LE004, LE006, LE007, LE008, LE009, LE010, LE011, LE034) B)"
    " WHERE ABS(MONEYF * RATE - MONEYB) > 1e-10";

struct Outcome {
    long BalanceRows = 0;
    long Shown = 0;
    double Total = 0;
    double Seconds = 0;
};

Outcome StatementPath(const std::string& ini) {
    const Variant server(
        std::static_pointer_cast<Dispatch>(std::make_shared<TdmReportCounter>(TServerSettings::Load(ini))));
    const Variant company = VarArrayOf({"DEMO", "DEMO"});
    Outcome outcome;
    const auto start = Clock::now();
    Variant args = VarArrayOf({kBalanceQuery, kBalanceFields, "", "N"});
    const Variant rows = server.Call("GetCounter", "SIMPLESQL", args, company);
    const double balanceSeconds = Seconds(start);
    for (int i = rows.LowBound(); rows.IsArray() && i <= rows.HighBound(); ++i) {
        const Variant& row = rows[i];
        Variant rateArgs = VarArrayOf({" Select  MG007 from $$CMSMG CMSMG WHERE MG001='" + VarToStr(row[14]) +
                                           "' and MG002<='20261231'  Order by MG002 desc ",
                                       "MG007", "", "N"});
        const Variant rate = server.Call("GetCounter", "SIMPLESQL", rateArgs, company);
        const double r = rate.IsArray() ? rate[0][0].AsDouble() : 1.0;
        const double difference = row[15].AsDouble() * r - row[16].AsDouble();
        ++outcome.BalanceRows;
        if (std::fabs(difference) > 1e-10) {
            ++outcome.Shown;
            outcome.Total += difference;
        }
    }
    outcome.Seconds = Seconds(start);
    std::printf("  balance query %.2f s, %ld rate queries %.2f s (%.0f us each)\n", balanceSeconds,
                outcome.BalanceRows, outcome.Seconds - balanceSeconds,
                outcome.BalanceRows ? (outcome.Seconds - balanceSeconds) * 1e6 / outcome.BalanceRows : 0.0);
    return outcome;
}

Outcome HandWritten(const std::string& file) {
    sqlite3* db = nullptr;
    Check(sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), db, "open");
    Outcome outcome;
    const auto start = Clock::now();
    sqlite3_stmt* statement = nullptr;
    Check(sqlite3_prepare_v2(db, kHandWritten, -1, &statement, nullptr), db, "prepare");
    while (sqlite3_step(statement) == SQLITE_ROW) {
        ++outcome.Shown;
        outcome.Total += sqlite3_column_double(statement, 9);
    }
    sqlite3_finalize(statement);
    outcome.Seconds = Seconds(start);
    sqlite3_close(db);
    return outcome;
}

} // namespace

int main(int argc, char** argv) {
    long rows = 1000000;
    std::string folder;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--rows")
            rows = std::atol(argv[i + 1]);
        else if (option == "--folder")
            folder = argv[i + 1];
    }
    const bool temporary = folder.empty();
    if (temporary)
        folder = (fs::temp_directory_path() / ("vondrel-bench-" + std::to_string(::getpid()))).string();
    try {
        auto start = Clock::now();
        const TDemoInstall install = BuildDemoInstall(folder);
        GenerateLedger(install.CompanyFile, rows);
        std::printf("ledger of %ld balance rows generated in %.1f s (%s)\n", rows, Seconds(start),
                    install.CompanyFile.c_str());

        std::printf("statement path (server, ODBC, one rate query per balance row):\n");
        const Outcome server = StatementPath(install.IniFile);
        std::printf("hand-written statement directly on SQLite:\n");
        const Outcome direct = HandWritten(install.CompanyFile);

        const double serverRate = server.BalanceRows / server.Seconds;
        const double directRate = server.BalanceRows / direct.Seconds;
        std::printf("  %.2f s\n\n", direct.Seconds);
        std::printf("%-34s %8s %13s %11s %15s %15s\n", "", "seconds", "balance rows", "shown rows",
                    "balance rows/s", "ledger rows/s");
        std::printf("%-34s %8.2f %13ld %11ld %15.0f %15.0f\n", "statement path through the server",
                    server.Seconds, server.BalanceRows, server.Shown, serverRate, rows / server.Seconds);
        std::printf("%-34s %8.2f %13ld %11ld %15.0f %15.0f\n", "one statement directly on SQLite",
                    direct.Seconds, server.BalanceRows, direct.Shown, directRate, rows / direct.Seconds);
        std::printf("ratio (direct / statement path): %.1f\n", directRate / serverRate);
        const bool same = server.Shown == direct.Shown &&
                          std::fabs(server.Total - direct.Total) < 1e-4 * (1 + std::fabs(direct.Total));
        std::printf("same result: %s (sum of differences %.2f and %.2f)\n", same ? "yes" : "NO", server.Total,
                    direct.Total);
        if (temporary)
            fs::remove_all(folder);
        return same ? 0 : 1;
    } catch (const std::exception& e) {
        std::cerr << "bench_revaluation: " << e.what() << "\n";
        if (temporary)
            fs::remove_all(folder);
        return 1;
    }
}
