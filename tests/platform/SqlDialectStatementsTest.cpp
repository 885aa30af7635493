// Every statement the carry-forward job sends, written exactly as the job writes it, run
// on the demo company through the dialect layer: on SQLite, and on PostgreSQL when its
// server is installed. The expected rows are worked out by hand from demo/sql.

#include "platform/Database.h"

#include "support/DemoInstall.h"
#include "support/PostgresCluster.h"

#include "lib/SqlConditions.h"
#include "platform/DateTime.h"
#include "platform/PlatformServices.h"
#include "platform/SysUtils.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vondrel {
namespace {

using Rows = std::vector<std::vector<std::string>>;

struct StatementCase {
    std::string Name;
    std::string Sql;
    std::vector<std::pair<std::string, Variant>> Params;
    std::vector<std::string> Fields; // read by name; the expected rows hold them in this order
    Rows Expected;
    bool Ordered = false; // the order of the rows matters
};

void PrintTo(const StatementCase& c, std::ostream* os) {
    *os << c.Name;
}

// A value as the tests compare it: numbers in their shortest form, NULL as "NULL".
std::string Show(const Variant& value) {
    if (value.IsNull() || value.IsEmpty())
        return "NULL";
    if (value.IsNumeric())
        return FloatToStr(value.AsDouble());
    return VarToStr(value);
}

// --- the statements, assembled the way the job assembles them ----------------------------

std::string AccountsMarked(int kind) {
    return std::string(" SELECT MA001 FROM $$ACTMA ACTMA ") +
           (kind == 1 ? " WHERE MA028='Y' " : " WHERE MA027='Y' ");
}

std::string UnpostedVouchers(const std::string& period) {
    return std::string(" SELECT TA001,TA002 FROM $$ACTTA ACTTA INNER JOIN $$ACTMH ACTMH ON TA003>=MH003 AND "
                       "TA003<=MH004 ") +
           " WHERE MH001+MH002='" + period + "' AND TA011='N' AND TA010<>'V' ";
}

std::string ProfitLossBalances(const std::string& year, const std::string& month) {
    return std::string(" SELECT MA001,SUM(LE014-LE017) MONEY  FROM $$ACTLE ACTLE INNER JOIN $$ACTMA ACTMA ON "
                       "LE001=MA001 ") +
           " WHERE LE002= '" + year + "' AND LE003 BETWEEN  '01' AND '" + month +
           "' AND MA028='Y' AND MA006='2' " +
           " GROUP BY MA001,LE001,LE004,LE006,LE007,LE008,LE009,LE010,LE011,LE034  HAVING "
           "SUM(LE014-LE017)<>0 ";
}

std::string ExchangeBalances(const std::string& nameMode, const Variant& selection, const std::string& local,
                             const std::string& year, const std::string& period) {
    std::string sql =
        " SELECT LE001,ACTMA.MA003 AS ACTMA003,LE004,ACTMA.MA023 AS ACTMA023,  ACTMA.MA024 AS "
        "ACTMA024,LE006,LE007,LE008,ME002,LE009,MV002,LE010,MF1.MF003 AS MF1003,  LE011,MF2.MF003 AS "
        "MF2003,SUM(LE014-LE017) AS MONEYB,SUM(LE013-LE016) AS MONEYF";
    sql += nameMode == "1" ? " ,COPMA.MA002 AS FCOPMA,PURMA.MA002 AS FPURMA "
                           : " ,COPMA.MA003 AS FCOPMA,PURMA.MA003 AS FPURMA ";
    sql += ",LE034,CMSNO.NO002 AS CMSNO002 ";
    sql += std::string(" FROM $$ACTLE ACTLE ") +
           " INNER JOIN $$ACTMA ACTMA ON LE001= ACTMA.MA001  AND ACTMA.MA027='Y'" +
           " LEFT JOIN $$COPMA COPMA ON LE006= COPMA.MA001 " +
           " LEFT JOIN $$PURMA PURMA ON LE007= PURMA.MA001 " + " LEFT JOIN $$CMSME CMSME ON LE008= ME001 " +
           " LEFT JOIN $$CMSMV CMSMV ON LE009= MV001 " + " LEFT JOIN $$ACTMF MF1 ON LE010= MF1.MF002 " +
           " LEFT JOIN $$ACTMF MF2 ON LE011= MF2.MF002 " + " LEFT JOIN $$CMSNO CMSNO ON LE034= CMSNO.NO001 ";
    std::string where = " WHERE 1=1  ";
    Variant holder = VarArrayCreate({{0, 1}});
    holder[1] = selection;
    Variant value;
    ReadOptionValue(holder, 1, -1, -1, value);
    std::string condition;
    AddFieldCondition(where, "LE004", value, 1, condition);
    where += " AND LE004<>'" + local + "'";
    sql += where;
    sql += " AND LE002+LE003 BETWEEN " + year + "00" + " AND " + period + " ";
    sql += " GROUP BY "
           "LE001,LE004,LE006,LE007,LE008,LE009,LE010,LE011,ACTMA.MA003,ACTMA.MA024,ME002,MV002,MF1.MF003,"
           "MF2.MF003, ACTMA.MA023 ";
    sql += nameMode == "1" ? " ,COPMA.MA002 ,PURMA.MA002, ACTMA.MA023  "
                           : " ,COPMA.MA003, PURMA.MA003 ,ACTMA.MA023 ";
    sql += ",LE034,CMSNO.NO002 ";
    return sql;
}

std::string RateQuery(const std::string& currency, const std::string& endDate) {
    return " Select  MG007 from $$CMSMG CMSMG WHERE MG001='" + currency + "' and MG002<='" + endDate +
           "'  Order by MG002 desc ";
}

std::string ProfitLossPreview(const std::string& nameMode, const std::string& year,
                              const std::string& period) {
    std::string sql =
        " SELECT LE001,ACTMA1.MA003 AS ACTMA1003,ACTMA1.MA020 AS ACTMA1020,LE004,ACTMA2.MA001 AS "
        "ACTMA2001,ACTMA2.MA003 AS ACTMA2003,  ACTMA2.MA009 AS ACTMA2009,ACTMA2.MA039 AS "
        "ACTMA2039,ACTMA2.MA041 AS "
        "ACTMA2041,ACTMA2.MA040 AS ACTMA2040,  ACTMA2.MA012 AS ACTMA2012,ACTMA2.MA014 AS "
        "ACTMA2014,ACTMA2.MA020 AS "
        "ACTMA2020,ACTMA2.MA031 AS ACTMA2031,LE006,LE007,LE008,  ME002,LE009,MV002,LE010,MF1.MF003 AS "
        "MF1003,LE011,MF2.MF003 AS MF2003,  SUM(LE014) AS MONEYDB,  SUM(LE017) AS MONEYCB,  SUM(LE013) AS "
        "MONEYDF,  SUM(LE016) AS MONEYCF,  SUM(LE012) AS NUMD,  SUM(LE026) AS NUMC ";
    sql += nameMode == "1" ? " ,COPMA.MA002 AS FCOPMA,PURMA.MA002 AS FPURMA "
                           : " ,COPMA.MA003 AS FCOPMA,PURMA.MA003 AS FPURMA ";
    sql += " ,ACTMA1.MA019 AS ACTMA1019 ";
    sql += ",LE034,CMSNO.NO002 AS CMSNO002,ACTMA2.MA045 AS ACTMA2045 ";
    sql +=
        std::string(" FROM $$ACTLE ACTLE ") +
        " INNER JOIN $$ACTMA ACTMA1 ON LE001= ACTMA1.MA001 AND ACTMA1.MA028='Y' AND ACTMA1.MA006=2 AND "
        "ACTMA1.MA010='Y' " +
        " LEFT JOIN $$COPMA COPMA ON LE006= COPMA.MA001 " +
        " LEFT JOIN $$PURMA PURMA ON LE007= PURMA.MA001 " +
        " LEFT JOIN $$CMSME CMSME ON LE008= CMSME.ME001 " +
        " LEFT JOIN $$CMSMV CMSMV ON LE009= CMSMV.MV001 " + " LEFT JOIN $$ACTMF MF1 ON LE010= MF1.MF002 " +
        " LEFT JOIN $$ACTMF MF2 ON LE011= MF2.MF002 " +
        " LEFT JOIN $$ACTMA ACTMA2 ON ACTMA1.MA029= ACTMA2.MA001 AND ACTMA2.MA010='Y' AND ACTMA2.MA016='Y' " +
        " LEFT JOIN $$CMSNO CMSNO ON LE034= CMSNO.NO001 ";
    sql += " WHERE LE002+LE003 BETWEEN " + year + "00" + " AND " + period + " ";
    sql += std::string(
               " GROUP BY LE001,LE004,LE006,LE007,LE008,LE009,LE010,LE011, ACTMA1.MA003,ACTMA1.MA020, ") +
           " ACTMA2.MA001,ACTMA2.MA003,ACTMA2.MA009,ACTMA2.MA039,ACTMA2.MA041,ACTMA2.MA040,ACTMA2.MA012, "
           "ACTMA2.MA014,ACTMA2.MA020,ACTMA2.MA031,";
    sql += nameMode == "1" ? " ME002,MV002,MF1.MF003,MF2.MF003,COPMA.MA002,PURMA.MA002,ACTMA1.MA019 "
                             ",LE034,CMSNO.NO002,ACTMA2.MA045 "
                           : " ME002,MV002,MF1.MF003,MF2.MF003,COPMA.MA003,PURMA.MA003,ACTMA1.MA019 "
                             ",LE034,CMSNO.NO002,ACTMA2.MA045 ";
    sql += " HAVING SUM(LE014-LE017)<>0  ";
    return sql;
}

Variant Range(const char* from, const char* to) {
    return VarArrayOf({std::string(1, kRangeMarker), from, to});
}

std::vector<StatementCase> Cases() {
    const std::vector<std::string> exchangeFields = {"LE001",    "LE004",  "LE006",   "FCOPMA",
                                                     "LE007",    "FPURMA", "MONEYF",  "MONEYB",
                                                     "ACTMA023", "LE034",  "CMSNO002"};
    const Rows allForeign = {
        {"100201", "USD", "", "NULL", "", "NULL", "12500", "87700", "1", "", "NULL"},
        {"100202", "EUR", "", "NULL", "", "NULL", "4500", "35050", "1", "", "NULL"},
        {"100203", "HKD", "", "NULL", "", "NULL", "10000", "9100", "1", "", "NULL"},
        {"1122", "USD", "C001", "上海华东贸易有限公司", "", "NULL", "3000", "21000", "1", "", "NULL"},
        {"1122", "USD", "C002", "Pacific Trading Co., Ltd.", "", "NULL", "-500", "-3600", "1", "", "NULL"},
        {"2202", "JPY", "", "NULL", "S001", "东京精工株式会社", "-100000", "-4800", "1", "", "NULL"},
        {"2202", "EUR", "", "NULL", "S002", "柏林机械有限公司", "-1000", "-7700", "1", "", "NULL"},
    };
    const std::vector<std::string> profitFields = {
        "LE001",   "LE004",  "LE006", "FCOPMA",    "LE008",     "ME002",    "LE009",
        "LE010",   "MF1003", "LE034", "ACTMA2001", "MONEYDB",   "MONEYCB",  "MONEYDF",
        "MONEYCF", "NUMD",   "NUMC",  "ACTMA2009", "ACTMA2012", "ACTMA2045"};
    const Rows profitRows = {
        {"6001",  "RMB",    "C001",  "上海华东贸易有限公司",
         "D02",   "销售部", "",      "",
         "NULL",  "",       "4103",  "0",
         "80000", "0",      "80000", "0",
         "0",     "Y",      "1",     "Y"},
        {"6001", "USD",    "C002", "Pacific Trading Co., Ltd.",
         "D02",  "销售部", "",     "",
         "NULL", "",       "4103", "0",
         "7000", "0",      "1000", "0",
         "0",    "Y",      "1",    "Y"},
        {"6051", "RMB", "",       "NULL", "",       "NULL", "",  "",     "NULL", "",
         "NULL", "0",   "1234.5", "0",    "1234.5", "0",    "0", "NULL", "NULL", "NULL"},
        {"6111", "RMB", "",     "NULL", "",     "NULL", "",  "",     "NULL", "",
         "NULL", "0",   "2000", "0",    "2000", "0",    "0", "NULL", "NULL", "NULL"},
        {"6401", "RMB",   "",  "NULL",  "D02", "销售部", "",  "",  "NULL", "",
         "4103", "45000", "0", "45000", "0",   "100",    "0", "Y", "1",    "Y"},
        {"6602", "RMB",  "",     "NULL", "",     "NULL", "E001", "I101", "差旅费", "",
         "4103", "5950", "2000", "5950", "2000", "0",    "0",    "Y",    "1",      "Y"},
        {"6602", "RMB",  "",  "NULL", "",  "NULL", "E002", "I102", "办公费", "",
         "4103", "7150", "0", "7150", "0", "0",    "0",    "Y",    "1",      "Y"},
        {"6603", "RMB",    "",   "NULL",   "D01", "财务部", "",  "",  "NULL", "P01",
         "4103", "400.25", "50", "400.25", "50",  "0",      "0", "Y", "1",    "Y"},
    };
    Rows profitShortNames = profitRows;
    profitShortNames[0][3] = "华东贸易";
    profitShortNames[1][3] = "Pacific";

    return {
        {"notice templates of the program",
         " SELECT MD001, MD002, MD003, MD006, ISNULL(MD007, '') MD007  FROM DEMO..TMCMD  LEFT JOIN "
         "DEMO..TMCMC ON "
         "MC001 = MD001 AND MC002 = MD002  WHERE UPPER(MC005) = :MC005  AND MD004 = :MD004 ",
         {{"MC005", "ZORB71"}, {"MD004", "6"}},
         {"MD001", "MD002", "MD003", "MD006"},
         {{"N1", "ZORB71A", "1", "MSG"}, {"N1", "ZORB71B", "1", "MSG"}}},
        {"portal switch", "SELECT MA003 FROM KMBINTMA WHERE MA001='StartupPortal' ", {}, {"MA003"}, {{"N"}}},
        {"portal address", "SELECT MA003 FROM KMBINTMA WHERE MA001='Portal WS' ", {}, {"MA003"}, {{""}}},
        {"accounts carried forward",
         AccountsMarked(1),
         {},
         {"MA001"},
         {{"6001"}, {"6051"}, {"6111"}, {"6301"}, {"6401"}, {"6602"}, {"6603"}}},
        {"accounts revalued",
         AccountsMarked(0),
         {},
         {"ma001"},
         {{"100201"}, {"100202"}, {"100203"}, {"1122"}, {"2202"}}},
        {"no unposted voucher in December", UnpostedVouchers("202612"), {}, {"TA001"}, {}},
        {"the unposted voucher of November",
         UnpostedVouchers("202611"),
         {},
         {"TA001", "TA002"},
         {{"ZZ", "20261100002"}}},
        {"profit and loss to carry forward up to December",
         ProfitLossBalances("2026", "12"),
         {},
         {"MA001", "MONEY"},
         {{"6001", "-80000"},
          {"6001", "-7000"},
          {"6051", "-1234.5"},
          {"6111", "-2000"},
          {"6401", "45000"},
          {"6602", "3950"},
          {"6602", "7150"},
          {"6603", "350.25"}}},
        {"profit and loss to carry forward up to November",
         ProfitLossBalances("2026", "11"),
         {},
         {"MA001", "MONEY"},
         {{"6001", "-50000"},
          {"6001", "-7000"},
          {"6401", "45000"},
          {"6602", "3950"},
          {"6602", "7150"},
          {"6603", "-50"}}},
        {"open period", "SELECT MC023 FROM $$ACTMC", {}, {"MC023"}, {{"202612"}}},
        {"foreign balances, all currencies",
         ExchangeBalances("2", Range("", ""), "RMB", "2026", "202612"),
         {},
         exchangeFields,
         allForeign},
        {"foreign balances, short names",
         ExchangeBalances("1", Range("", ""), "RMB", "2026", "202612"),
         {},
         {"LE001", "LE006", "FCOPMA", "LE007", "FPURMA"},
         {{"100201", "", "NULL", "", "NULL"},
          {"100202", "", "NULL", "", "NULL"},
          {"100203", "", "NULL", "", "NULL"},
          {"1122", "C001", "华东贸易", "", "NULL"},
          {"1122", "C002", "Pacific", "", "NULL"},
          {"2202", "", "NULL", "S001", "东京精工"},
          {"2202", "", "NULL", "S002", "柏林机械"}}},
        {"foreign balances in US dollars",
         ExchangeBalances("2", Range("USD", "USD"), "RMB", "2026", "202612"),
         {},
         {"LE001", "LE006", "MONEYF", "MONEYB"},
         {{"100201", "", "12500", "87700"},
          {"1122", "C001", "3000", "21000"},
          {"1122", "C002", "-500", "-3600"}}},
        {"foreign balances of a currency list",
         ExchangeBalances("2",
                          VarArrayOf({std::string(1, kListMarker), VarArrayOf({"EUR", "欧元"}),
                                      VarArrayOf({"JPY", "日元"})}),
                          "RMB", "2026", "202612"),
         {},
         {"LE001", "LE004", "MONEYB"},
         {{"100202", "EUR", "35050"}, {"2202", "EUR", "-7700"}, {"2202", "JPY", "-4800"}}},
        {"foreign balances up to June",
         ExchangeBalances("2", Range("", ""), "RMB", "2026", "202606"),
         {},
         {"LE001", "LE004", "LE006", "MONEYF", "MONEYB"},
         {{"100201", "USD", "", "12000", "84200"},
          {"100202", "EUR", "", "4500", "35050"},
          {"100203", "HKD", "", "10000", "9100"},
          {"1122", "USD", "C001", "3000", "21000"},
          {"2202", "EUR", "", "-1000", "-7700"},
          {"2202", "JPY", "", "-100000", "-4800"}}},
        {"US dollar rates up to the period end",
         RateQuery("USD", "20261231"),
         {},
         {"MG007"},
         {{"7.1"}, {"7.05"}},
         true},
        {"euro rates up to the period end",
         RateQuery("EUR", "20261231"),
         {},
         {"MG007"},
         {{"7.8"}, {"7.7"}},
         true},
        {"Hong Kong dollar rate up to the period end",
         RateQuery("HKD", "20261231"),
         {},
         {"MG007"},
         {{"0.91"}},
         true},
        {"no yen rate", RateQuery("JPY", "20261231"), {}, {"MG007"}, {}, true},
        {"profit and loss preview", ProfitLossPreview("2", "2026", "202612"), {}, profitFields, profitRows},
        {"profit and loss preview, short names",
         ProfitLossPreview("1", "2026", "202612"),
         {},
         profitFields,
         profitShortNames},
    };
}

void CheckStatement(TDatabase& db, const StatementCase& c) {
    TQuery query(db);
    query.SetSQL(c.Sql);
    for (const auto& [name, value] : c.Params)
        query.SetParam(name, value);
    Rows rows;
    try {
        for (query.Open(); !query.Eof(); query.Next()) {
            std::vector<std::string> row;
            for (const std::string& field : c.Fields)
                row.push_back(Show(query.FieldByName(field).Value()));
            rows.push_back(std::move(row));
        }
    } catch (const std::exception& e) {
        ADD_FAILURE() << e.what() << "\nSent: " << db.Prepare(c.Sql).Sql;
        return;
    }
    Rows expected = c.Expected;
    if (!c.Ordered) {
        std::sort(rows.begin(), rows.end());
        std::sort(expected.begin(), expected.end());
    }
    EXPECT_EQ(rows, expected);
}

// The notice connection of a run: template rows, the database clock, the day's sequence
// number and the insert, as the batch form runs them one after another.
void CheckNoticeSequence(TDatabase& db) {
    TQuery query(db);
    query.SetSQL(" SELECT GETDATE() DATEX ");
    query.Open();
    const TDateTime clock = query.FieldByName("DATEX").AsDateTime();
    EXPECT_NEAR(clock, Now(), 60.0 / 86400);
    const std::string stamp = FormatDateTime("yyyymmddhhnnsszzz", clock);
    ASSERT_EQ(stamp.size(), 17u);
    const std::string day = stamp.substr(0, 8);
    auto sequence = [&] {
        const std::string sql =
            std::string(" SELECT (SELECT CASE WHEN MAX(TC001) IS NULL THEN '") + day + "000001" + "' " +
            " ELSE CONVERT(CHAR(14), CAST(MAX(TC001) AS BIGINT) + 1) END " + " FROM " +
            " (SELECT MAX(TC001) TC001 FROM ADMTC WHERE TC004 LIKE '" + day + "%' " + " UNION " +
            " SELECT MAX(TD001) TD001 FROM ADMTD WHERE TD004 LIKE '" + day + "%') B) SEQX ";
        TQuery seq(db);
        seq.SetSQL(sql);
        seq.Open();
        return seq.FieldByName("SEQX").AsString();
    };
    auto insert = [&](const std::string& number) {
        TQuery ins(db);
        ins.SetSQL(
            " INSERT INTO ADMTC (TC001, TC002, TC003, TC004, TC005, TC006, TC007, TC008, TC009,  COMPANY, "
            "CREATOR, CREATE_DATE, FLAG)  VALUES (:TC001, :TC002, :TC003, :TC004, :TC005, :TC006, :TC007, "
            ":TC008, :TC009,:COMPANY, :CREATOR, :CREATE_DATE, :FLAG) ");
        for (const char* name : {"TC002", "TC003", "TC006", "TC007", "TC008", "COMPANY", "CREATOR"})
            ins.SetParam(name, std::string("x"));
        ins.SetParam("TC001", number);
        ins.SetParam("TC004", stamp);
        ins.SetParam("CREATE_DATE", stamp);
        ins.SetParam("TC005", "N");
        ins.SetParam("TC009", "4");
        ins.SetParam("FLAG", 1);
        EXPECT_EQ(ins.ExecSQL(), 1);
    };
    EXPECT_EQ(sequence(), day + "000001");
    insert(day + "000001");
    EXPECT_EQ(sequence(), day + "000002");
    // A number of the day already moved on to the delivered messages counts as well.
    db.Execute(
        "INSERT INTO ADMTD (TD001, TD002, TD003, TD004, TD005, TD006, TD007, TD008, TD009, COMPANY, CREATOR,"
        " CREATE_DATE, FLAG) VALUES ('" +
        day + "000041', 'x', 'x', '" + stamp + "', 'Y', 'x', 'x', 'x', '4', 'x', 'x', 'x', 1)");
    EXPECT_EQ(sequence(), day + "000042");
    // Another day's numbers do not.
    db.Execute(
        "INSERT INTO ADMTD (TD001, TD002, TD003, TD004, TD005, TD006, TD007, TD008, TD009, COMPANY, CREATOR,"
        " CREATE_DATE, FLAG) VALUES ('19991231000077', 'x', 'x', '19991231000000000', 'Y', 'x', 'x', 'x', "
        "'4',"
        " 'x', 'x', 'x', 1)");
    EXPECT_EQ(sequence(), day + "000042");
}

class StatementsOnSQLite : public testing::TestWithParam<StatementCase> {};

TEST_P(StatementsOnSQLite, GiveTheHandCalculatedRows) {
    TTempDemo demo;
    TDatabase db;
    db.Open(SqliteConnectString(demo.Install().SystemFile));
    db.CompanyDatabase = kDemoDatabaseName;
    CheckStatement(db, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Ledger, StatementsOnSQLite, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<StatementCase>& info) {
                             std::string name;
                             for (char c : info.param.Name)
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

TEST(StatementsOnSQLiteNotices, NumberTheDaysNoticesFromTheDatabaseClock) {
    TTempDemo demo;
    TDatabase db;
    db.Open(SqliteConnectString(demo.Install().SystemFile));
    CheckNoticeSequence(db);
}

TEST(StatementsOnPostgreSQL, GiveTheSameRowsAsOnSQLite) {
    std::string reason;
    const auto cluster = TPostgresCluster::Start(reason);
    if (!cluster)
        GTEST_SKIP() << reason;
    TDatabase db;
    db.Open(cluster->ConnectString());
    ASSERT_EQ(db.Kind(), TDatabaseKind::PostgreSQL);
    db.TranslateSql = false;
    db.Execute("CREATE SCHEMA DEMO");
    db.Execute("SET search_path TO demo");
    RunDemoScripts(db, DemoSqlFolder(), TDemoPart::Company);
    db.Execute("SET search_path TO public");
    RunDemoScripts(db, DemoSqlFolder(), TDemoPart::System);
    db.TranslateSql = true;
    db.CompanyDatabase = kDemoDatabaseName;
    for (const StatementCase& c : Cases()) {
        SCOPED_TRACE(c.Name);
        CheckStatement(db, c);
    }
    CheckNoticeSequence(db);
}

} // namespace
} // namespace vondrel
