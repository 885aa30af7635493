#include "ServerFixture.h"

#include <cmath>
#include <map>

namespace vondrel {
namespace {

TEST_F(ServerTest, IsCreatedByClassNameThroughTheRegistry) {
    ASSERT_TRUE(server.IsDispatch());
    EXPECT_EQ(server.Call("SQLType"), Variant(2)); // SQLite
    EXPECT_THROW(CreateOleObject("Quorvex.NoSuchClass"), EOleError);
}

TEST_F(ServerTest, AnswersRightsRecords) {
    Variant request = VarArrayOf({"DEMO", "KM02", "ZORB71", ""});
    const Variant rights = server.Call("GetPower", request);
    ASSERT_TRUE(rights.IsArray());
    EXPECT_EQ(Texts(rights), (std::vector<std::string>{"ZORB71", "YYYYYYYY,Y,N,YYYYYYNN,NNNNNNNN,NNNNNNNN",
                                                       "李出纳", "CASH", "CMSME", "<array>"}));
    EXPECT_EQ(rights[5], VarArrayOf({2, "D01", "D02"}));

    // Without a rights row of the program the user has every right and no restriction.
    request = VarArrayOf({"DEMO", "ADMIN", "zorb71", ""});
    const Variant full = server.Call("GetPower", request);
    EXPECT_EQ(VarToStr(full[1]), "YYYYYYYY,Y,Y,YYYYYYYY,YYYYYYYY,YYYYYYYY");
    EXPECT_EQ(full[5], VarArrayOf({0}));

    for (const char* user : {"NOBODY", "KM03"}) {
        SCOPED_TRACE(user);
        request = VarArrayOf({"DEMO", user, "ZORB71", ""});
        EXPECT_THROW(server.Call("GetPower", request), EOleException);
        EXPECT_NE(ErrorText().find(user), std::string::npos) << ErrorText();
    }
}

TEST_F(ServerTest, SimpleSqlAnswersTheListedFieldsInOrderOrEmpty) {
    const Variant rows =
        SimpleSql("SELECT MA001, MA003, MA028 FROM $$ACTMA WHERE MA001 IN ('6001', '6603') ORDER BY MA001",
                  " MA028 , ma003,MA001 ");
    ASSERT_TRUE(rows.IsArray());
    ASSERT_EQ(rows.HighBound(), 1);
    EXPECT_EQ(rows[0], VarArrayOf({"Y", "主营业务收入", "6001"}));
    EXPECT_EQ(rows[1], VarArrayOf({"Y", "财务费用", "6603"}));

    EXPECT_TRUE(SimpleSql("SELECT MA001 FROM $$ACTMA WHERE 1=0", "MA001").IsEmpty());

    // The two-element form of the portal settings, on the system database.
    Variant args = VarArrayOf({"SELECT MA003 FROM KMBINTMA WHERE MA001='StartupPortal' ", "MA003"});
    const Variant portal = server.Call("GetCounter", "SIMPLESQL", args, VarArrayOf({"DEMO", "DEMO"}));
    EXPECT_EQ(portal, VarArrayOf({VarArrayOf({"N"})}));

    EXPECT_THROW(SimpleSql("SELECT MA001 FROM $$ACTMA", "MA001,NOSUCH"), EOleException);
    EXPECT_NE(ErrorText().find("NOSUCH"), std::string::npos) << ErrorText();
}

TEST_F(ServerTest, PreconditionsOfTheCarryForwardHoldOnTheDemoCompany) {
    // Accounts marked for either kind, no unposted voucher in the period, something to
    // carry forward, and the open period equal to the transfer period.
    EXPECT_FALSE(SimpleSql(" SELECT MA001 FROM $$ACTMA ACTMA  WHERE MA028='Y' ", "MA001").IsEmpty());
    EXPECT_FALSE(SimpleSql(" SELECT MA001 FROM $$ACTMA ACTMA  WHERE MA027='Y' ", "MA001").IsEmpty());
    const std::string unposted =
        " SELECT TA001,TA002 FROM $$ACTTA ACTTA INNER JOIN $$ACTMH ACTMH ON TA003>=MH003 AND "
        "TA003<=MH004  WHERE MH001+MH002='202612' AND TA011='N' AND TA010<>'V' ";
    EXPECT_TRUE(SimpleSql(unposted, "TA001").IsEmpty());
    EXPECT_EQ(SimpleSql("SELECT MC023 FROM $$ACTMC", "MC023"), VarArrayOf({VarArrayOf({"202612"})}));

    // One unposted, non-void voucher dated inside the period is enough to stop it.
    ExecuteDirect(
        "INSERT INTO DEMO..ACTTA VALUES ('ZZ', '20261200011', '20261231', 'x', 'KM01', '', 0, 1, 1, 'N',"
        " 'N', '')");
    EXPECT_EQ(SimpleSql(unposted, "TA001, TA002"), VarArrayOf({VarArrayOf({"ZZ", "20261200011"})}));
}

TEST_F(ServerTest, RevaluationOfTheDemoBalancesGivesTheHandCalculatedDifferences) {
    EXPECT_EQ(RevaluationDifferences(
                  [this](const std::string& s, const std::string& f) { return SimpleSql(s, f); }),
              DemoRevaluationDifferences());
}

TEST_F(ServerTest, ProfitAndLossPreviewRowsCarryTheirProfitAccount) {
    const std::string sql =
        " SELECT LE001,ACTMA1.MA003 AS ACTMA1003,ACTMA1.MA020 AS ACTMA1020,LE004,ACTMA2.MA001 AS "
        "ACTMA2001,ACTMA2.MA003 AS ACTMA2003,  ACTMA2.MA009 AS ACTMA2009,ACTMA2.MA039 AS "
        "ACTMA2039,ACTMA2.MA041 AS "
        "ACTMA2041,ACTMA2.MA040 AS ACTMA2040,  ACTMA2.MA012 AS ACTMA2012,ACTMA2.MA014 AS "
        "ACTMA2014,ACTMA2.MA020 AS "
        "ACTMA2020,ACTMA2.MA031 AS ACTMA2031,LE006,LE007,LE008,  ME002,LE009,MV002,LE010,MF1.MF003 AS "
        "MF1003,LE011,MF2.MF003 AS MF2003,  SUM(LE014) AS MONEYDB,  SUM(LE017) AS MONEYCB,  SUM(LE013) AS "
        "MONEYDF,  SUM(LE016) AS MONEYCF,  SUM(LE012) AS NUMD,  SUM(LE026) AS NUMC  ,COPMA.MA003 AS "
        "FCOPMA,PURMA.MA003 AS FPURMA  ,ACTMA1.MA019 AS ACTMA1019 ,LE034,CMSNO.NO002 AS "
        "CMSNO002,ACTMA2.MA045 AS "
        "ACTMA2045  FROM $$ACTLE ACTLE  INNER JOIN $$ACTMA ACTMA1 ON LE001= ACTMA1.MA001 AND "
        "ACTMA1.MA028='Y' AND "
        "ACTMA1.MA006=2 AND ACTMA1.MA010='Y'  LEFT JOIN $$COPMA COPMA ON LE006= COPMA.MA001  LEFT JOIN "
        "$$PURMA "
        "PURMA ON LE007= PURMA.MA001  LEFT JOIN $$CMSME CMSME ON LE008= CMSME.ME001  LEFT JOIN $$CMSMV CMSMV "
        "ON "
        "LE009= CMSMV.MV001  LEFT JOIN $$ACTMF MF1 ON LE010= MF1.MF002  LEFT JOIN $$ACTMF MF2 ON LE011= "
        "MF2.MF002  LEFT JOIN $$ACTMA ACTMA2 ON ACTMA1.MA029= ACTMA2.MA001 AND ACTMA2.MA010='Y' AND "
        "ACTMA2.MA016='Y'  LEFT JOIN $$CMSNO CMSNO ON LE034= CMSNO.NO001  WHERE LE002+LE003 BETWEEN 202600 "
        "AND "
        "202612  GROUP BY LE001,LE004,LE006,LE007,LE008,LE009,LE010,LE011, ACTMA1.MA003,ACTMA1.MA020,  "
        "ACTMA2.MA001,ACTMA2.MA003,ACTMA2.MA009,ACTMA2.MA039,ACTMA2.MA041,ACTMA2.MA040,ACTMA2.MA012, "
        "ACTMA2.MA014,ACTMA2.MA020,ACTMA2.MA031, "
        "ME002,MV002,MF1.MF003,MF2.MF003,COPMA.MA003,PURMA.MA003,ACTMA1.MA019 "
        ",LE034,CMSNO.NO002,ACTMA2.MA045  "
        "HAVING SUM(LE014-LE017)<>0  ";
    const Variant rows =
        SimpleSql(sql, " LE001,ACTMA1003,LE006,FCOPMA,LE007,FPURMA,LE008,ME002,LE009,MV002,LE010,"
                       "MF1003,LE011,MF2003,ACTMA2001,ACTMA2003, MONEYDF,MONEYCF,MONEYDB,MONEYCB,NUMD,"
                       "NUMC,ACTMA2009,ACTMA2012,ACTMA2014,ACTMA2039,ACTMA2040,ACTMA2041,LE004 ,LE034,"
                       "CMSNO002,ACTMA2045 ");
    ASSERT_TRUE(rows.IsArray());
    std::map<std::string, std::string> byRow;
    for (int i = rows.LowBound(); i <= rows.HighBound(); ++i) {
        const Variant& r = rows[i];
        ASSERT_EQ(r.HighBound(), 31);
        byRow[VarToStr(r[0]) + "/" + VarToStr(r[28]) + "/" + VarToStr(r[2]) + VarToStr(r[8])] =
            VarToStr(r[14]) + " " + VarToStr(r[18]) + "-" + VarToStr(r[19]) + " q" + VarToStr(r[20]);
    }
    const std::map<std::string, std::string> expected = {
        {"6001/RMB/C001", "4103 0-80000 q0"}, {"6001/USD/C002", "4103 0-7000 q0"},
        {"6051/RMB/", " 0-1234.5 q0"}, // its profit account 4199 does not exist
        {"6111/RMB/", " 0-2000 q0"},   // 4104 may not receive balances
        {"6401/RMB/", "4103 45000-0 q100"},   {"6602/RMB/E001", "4103 5950-2000 q0"},
        {"6602/RMB/E002", "4103 7150-0 q0"},  {"6603/RMB/", "4103 400.25-50 q0"},
    };
    EXPECT_EQ(byRow, expected);
}

TEST_F(ServerTest, SimpleSqlRefusesAnythingButOneQueryAndChangesNothing) {
    const std::int64_t accounts = Count("SELECT COUNT(*) FROM $$ACTMA");
    const std::int64_t programs = Count("SELECT COUNT(*) FROM ADMMB");
    const char* const statements[] = {
        "DELETE FROM $$ACTMA",
        "UPDATE $$ACTMA SET MA003 = 'x'",
        "SELECT MA001 FROM $$ACTMA; DELETE FROM $$ACTMA",
        "SELECT MA001 INTO ACTMA_COPY FROM $$ACTMA",
        "INSERT INTO ADMMB SELECT * FROM ADMMB",
        "DROP TABLE ADMMB",
        "PRAGMA query_only = 0",
        "ATTACH DATABASE '/tmp/x.db' AS X",
        "WITH x AS (SELECT 1 A) SELECT A FROM x",
        "  ",
        "SELECT 'unterminated FROM $$ACTMA",
    };
    for (const char* statement : statements) {
        SCOPED_TRACE(statement);
        EXPECT_THROW(SimpleSql(statement, "MA001"), EOleException);
        EXPECT_FALSE(ErrorText().empty());
    }
    EXPECT_EQ(Count("SELECT COUNT(*) FROM $$ACTMA"), accounts);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM ADMMB"), programs);
    // The connection is writable again for the server's own work.
    Variant scheme = VarArrayOf({"S1", "KM01", "20261231", "ZORB71", "f;", "v", false});
    EXPECT_EQ(server.Call("InsertConTable", scheme), Variant(""));
}

TEST_F(ServerTest, ADatabaseErrorRaisesWithTheDatabasesMessage) {
    try {
        SimpleSql("SELECT XX001 FROM $$NOSUCHTABLE", "XX001");
        FAIL() << "no error";
    } catch (const EOleException& e) {
        EXPECT_NE(std::string(e.what()).find("no such table"), std::string::npos) << e.what();
    }
    EXPECT_NE(ErrorText().find("no such table"), std::string::npos) << ErrorText();

    Variant args = VarArrayOf({"SELECT 1 X", "X"});
    EXPECT_THROW(server.Call("GetCounter", "SIMPLESQL", args, VarArrayOf({"NOCOMPANY", ""})), EOleException);
    EXPECT_NE(ErrorText().find("NOCOMPANY"), std::string::npos);
    EXPECT_THROW(server.Call("GetCounter", "NOSUCHFUNCTION", args, VarArrayOf({"DEMO", "DEMO"})),
                 EOleException);
}

TEST_F(ServerTest, NoticeConnectionReachesTheNoticeTablesAndTheCompanysTemplates) {
    Variant args = VarArrayOf({""});
    const std::string connectString =
        server.Call("GetCounter", "RESULTCONNECTSTRING", args, VarArrayOf({"DEMO", "DEMO"})).AsString();
    TDatabase db;
    db.Open(connectString);
    TQuery query(db);
    query.SetSQL(" SELECT MD001, MD002, MD003, MD006, ISNULL(MD007, '') MD007  FROM DEMO..TMCMD  LEFT JOIN "
                 "DEMO..TMCMC "
                 "ON MC001 = MD001 AND MC002 = MD002  WHERE UPPER(MC005) = :MC005  AND MD004 = :MD004 ");
    query.SetParam("MC005", "ZORB71");
    query.SetParam("MD004", "6");
    std::vector<std::string> templates;
    for (query.Open(); !query.Eof(); query.Next())
        templates.push_back(query.FieldByName("MD002").AsString() + ":" +
                            Trim(query.FieldByName("MD007").AsString()).substr(0, 7));
    std::sort(templates.begin(), templates.end());
    EXPECT_EQ(templates, (std::vector<std::string>{"ZORB71A:<MD007>", "ZORB71B:"}));
    query.SetSQL("SELECT COUNT(*) FROM ADMTC");
    query.Open();
    EXPECT_EQ(query.Field(0).AsInteger(), 0);
}

TEST_F(ServerTest, SystemInformationIsTwoRowsOfNamesAndValues) {
    Variant company = "DEMO";
    const Variant info = server.Call("GetSysInfo", company);
    ASSERT_EQ(info.DimCount(), 2);
    EXPECT_EQ(info.LowBound(1), 0);
    EXPECT_EQ(info.HighBound(1), 1);
    std::map<std::string, std::string> parameters;
    for (int i = info.LowBound(2); i <= info.HighBound(2); ++i)
        parameters[VarToStr(info.At({0, i}))] = VarToStr(info.At({1, i}));
    EXPECT_EQ(parameters["Sys003"], "RMB");
    EXPECT_EQ(parameters["Sys015"], "12");
    EXPECT_EQ(parameters["Sys019"], "2026");
    EXPECT_EQ(parameters["KMB002"], "DEMO");

    company = "NOSUCH";
    EXPECT_THROW(server.Call("GetSysInfo", company), EOleException);
}

} // namespace
} // namespace vondrel
