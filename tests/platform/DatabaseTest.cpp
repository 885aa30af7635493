#include "platform/Database.h"

#include "support/DemoInstall.h"
#include "support/PostgresCluster.h"

#include "platform/PlatformServices.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vondrel {
namespace {

namespace fs = std::filesystem;

class DatabaseOnSQLite : public testing::Test {
protected:
    void SetUp() override {
        db.Open(SqliteConnectString((fs::path(folder.Path()) / "main.db").string()));
        db.ExecuteScript(
            "CREATE TABLE T (CODE VARCHAR(10) PRIMARY KEY, NAME VARCHAR(60), AMOUNT NUMERIC(18,4),"
            " QTY INTEGER, NOTE TEXT);"
            "INSERT INTO T VALUES ('A', '现金', 1234.5, 3, NULL);"
            "INSERT INTO T VALUES ('B', 'Bank', -0.25, 4, 'x')");
    }
    TTempFolder folder;
    TDatabase db;
};

TEST_F(DatabaseOnSQLite, ReadsTheKindFromTheDriver) {
    EXPECT_EQ(db.Kind(), TDatabaseKind::SQLite);
    EXPECT_EQ(db.DbmsName(), "SQLite");
}

TEST_F(DatabaseOnSQLite, ReadsFieldsByNameInTheirKinds) {
    TQuery query(db);
    query.SetSQL("SELECT code, Name, AMOUNT, QTY, NOTE FROM T WHERE CODE = :CODE");
    query.SetParam("code", "A");
    query.Open();
    ASSERT_FALSE(query.Eof());
    EXPECT_EQ(query.FieldByName("CODE").AsString(), "A");
    EXPECT_EQ(query.FieldByName("name").Value(), Variant("现金"));
    EXPECT_EQ(query.FieldByName("Amount").Value().Type(), VarType::Double);
    EXPECT_DOUBLE_EQ(query.FieldByName("AMOUNT").AsFloat(), 1234.5);
    EXPECT_EQ(query.FieldByName("QTY").Value(), Variant(3));
    EXPECT_TRUE(query.FieldByName("NOTE").IsNull());
    EXPECT_EQ(query.FindField("MISSING"), nullptr);
    EXPECT_THROW(query.FieldByName("MISSING"), EDatabaseError);
    query.Next();
    EXPECT_TRUE(query.Eof());
}

TEST_F(DatabaseOnSQLite, BindsTextIntegerFloatAndNull) {
    TQuery query(db);
    query.SetSQL("INSERT INTO T (CODE, NAME, AMOUNT, QTY, NOTE) VALUES (:CODE, :NAME, :AMOUNT, :QTY, :NOTE)");
    const std::string longText(20000, 'z');
    query.SetParam("CODE", "C");
    query.SetParam("NAME", "O'Brien; DROP TABLE T --");
    query.SetParam("AMOUNT", Variant(0.1));
    query.SetParam("QTY", static_cast<std::int64_t>(5000000000LL));
    query.SetParam("NOTE", longText);
    EXPECT_EQ(query.ExecSQL(), 1);

    query.SetSQL("SELECT NAME, AMOUNT, QTY, NOTE FROM T WHERE CODE = :CODE AND QTY > :LIMIT");
    query.SetParam("CODE", "C");
    query.SetParam("LIMIT", 4);
    query.Open();
    ASSERT_FALSE(query.Eof());
    EXPECT_EQ(query.FieldByName("NAME").AsString(), "O'Brien; DROP TABLE T --");
    EXPECT_DOUBLE_EQ(query.FieldByName("AMOUNT").AsFloat(), 0.1);
    EXPECT_EQ(query.FieldByName("QTY").AsInteger(), 5000000000LL);
    EXPECT_EQ(query.FieldByName("NOTE").AsString(), longText);

    query.SetSQL("UPDATE T SET NOTE = :NOTE WHERE CODE = 'C'");
    query.SetParam("NOTE", Variant::Null());
    EXPECT_EQ(query.ExecSQL(), 1);
    query.SetSQL("SELECT COUNT(*) N FROM T WHERE NOTE IS NULL");
    query.Open();
    EXPECT_EQ(query.FieldByName("N").AsInteger(), 2);
}

TEST_F(DatabaseOnSQLite, UsesOneValueForEveryUseOfAParameter) {
    TQuery query(db);
    query.SetSQL("SELECT CODE FROM T WHERE CODE = :X OR (NAME = :X AND :X <> '')");
    query.SetParam("X", "Bank");
    query.Open();
    ASSERT_FALSE(query.Eof());
    EXPECT_EQ(query.Field(0).AsString(), "B");
}

TEST_F(DatabaseOnSQLite, ReportsTheDriversDiagnostics) {
    try {
        db.Execute("SELECT * FROM NO_SUCH_TABLE");
        FAIL() << "no error";
    } catch (const EDatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("no such table"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("NO_SUCH_TABLE"), std::string::npos) << e.what();
    }
    TQuery query(db);
    query.SetSQL("SELECT * FROM T WHERE CODE = :MISSING");
    try {
        query.Open();
        FAIL() << "no error";
    } catch (const EDatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find(":MISSING"), std::string::npos) << e.what();
    }
    query.SetSQL("SELECT * FROM T WHERE CODE = :P");
    query.SetParam("P", VarArrayOf({1}));
    EXPECT_THROW(query.Open(), EDatabaseError);
}

TEST(Database, ConnectionFailureCarriesTheDiagnosticsWithoutThePassword) {
    TDatabase db;
    try {
        db.Open("Driver=/no/such/driver.so;Database=x;PWD=secret");
        FAIL() << "connected";
    } catch (const EDatabaseError& e) {
        const std::string text = e.what();
        EXPECT_NE(text.find("Cannot connect"), std::string::npos) << text;
        EXPECT_NE(text.find("[01000]"), std::string::npos) << text;
        EXPECT_EQ(text.find("secret"), std::string::npos) << text;
    }
    EXPECT_FALSE(db.Connected());
    EXPECT_THROW(db.Execute("SELECT 1"), EDatabaseError);
}

TEST_F(DatabaseOnSQLite, RollsBackAndCommits) {
    db.StartTransaction();
    db.Execute("DELETE FROM T");
    db.Rollback();
    db.StartTransaction();
    db.Execute("DELETE FROM T WHERE CODE = 'B'");
    db.Commit();
    TQuery query(db);
    query.SetSQL("SELECT CODE FROM T");
    query.Open();
    ASSERT_FALSE(query.Eof());
    EXPECT_EQ(query.Field(0).AsString(), "A");
    query.Next();
    EXPECT_TRUE(query.Eof());
}

TEST_F(DatabaseOnSQLite, ReachesDatabasesBesideItByName) {
    {
        TDatabase other;
        other.Open(SqliteConnectString((fs::path(folder.Path()) / "Books.db").string()));
        other.Execute("CREATE TABLE LEDGER (CODE VARCHAR(4), Y VARCHAR(4), P VARCHAR(2))");
        other.Execute(
            "INSERT INTO LEDGER VALUES ('A', '2026', '03'), ('B', '2026', '11'), ('C', '2027', '01')");
    }
    db.CompanyDatabase = "BOOKS";
    TQuery query(db);
    // The column types of the attached file decide that "+" joins texts here.
    query.SetSQL("SELECT L.CODE, T.NAME FROM $$LEDGER L LEFT JOIN main..T T ON T.CODE = L.CODE"
                 " WHERE L.Y+L.P BETWEEN 202600 AND 202612 ORDER BY L.CODE");
    query.Open();
    std::vector<std::string> codes;
    for (; !query.Eof(); query.Next())
        codes.push_back(query.Field(0).AsString() + "/" + query.Field(1).AsString());
    EXPECT_EQ(codes, (std::vector<std::string>{"A/现金", "B/Bank"}));
}

TEST_F(DatabaseOnSQLite, ReadsDatesFromTimeTexts) {
    TQuery query(db);
    query.SetSQL(" SELECT GETDATE() DATEX, '2026-12-31 23:59:58.5' D2, 'x' BAD ");
    query.Open();
    const TDateTime now = Now();
    EXPECT_NEAR(query.FieldByName("DATEX").AsDateTime(), now, 2.0 / 86400);
    const TDateTime d2 = query.FieldByName("D2").AsDateTime();
    EXPECT_EQ(FormatDateTime("yyyymmddhhnnsszzz", d2), "20261231235958500");
    EXPECT_THROW(query.FieldByName("BAD").AsDateTime(), EDatabaseError);
}

TEST_F(DatabaseOnSQLite, SendsStatementsUnchangedWhenAsked) {
    db.TranslateSql = false;
    EXPECT_THROW(db.Execute("SELECT ISNULL(NOTE, '') FROM T"), EDatabaseError);
    db.TranslateSql = true;
    EXPECT_NO_THROW(db.Execute("SELECT ISNULL(NOTE, '') FROM T"));
}

TEST(DatabaseOnPostgreSQL, FoldsNamesAndKeepsTypes) {
    std::string reason;
    const auto cluster = TPostgresCluster::Start(reason);
    if (!cluster)
        GTEST_SKIP() << reason;
    TDatabase db;
    db.Open(cluster->ConnectString());
    EXPECT_EQ(db.Kind(), TDatabaseKind::PostgreSQL);
    db.ExecuteScript(
        "CREATE SCHEMA BOOKS;"
        "CREATE TABLE BOOKS.T (CODE VARCHAR(10), NAME VARCHAR(60), AMOUNT NUMERIC(18,4), Y VARCHAR(4),"
        " P VARCHAR(2));"
        "INSERT INTO BOOKS.T VALUES ('A', '现金', 1234.5, '2026', '03'), ('B', 'Bank', 2, '2027', '01')");
    db.CompanyDatabase = "BOOKS";
    TQuery query(db);
    query.SetSQL("SELECT TOP 1 CODE, NAME + '!' NAME, AMOUNT, GETDATE() DATEX FROM $$T"
                 " WHERE Y+P BETWEEN 202600 AND 202612 AND ISNULL(CODE, '') = :CODE");
    query.SetParam("CODE", "A");
    query.Open();
    ASSERT_FALSE(query.Eof());
    EXPECT_EQ(query.FieldByName("code").AsString(), "A");
    EXPECT_EQ(query.FieldByName("NAME").AsString(), "现金!");
    EXPECT_EQ(query.FieldByName("Amount").Value(), Variant(1234.5));
    EXPECT_NEAR(query.FieldByName("DATEX").AsDateTime(), Now(), 60.0 / 86400);
    query.Next();
    EXPECT_TRUE(query.Eof());
    try {
        db.Execute("SELECT * FROM NO_SUCH_TABLE");
        FAIL() << "no error";
    } catch (const EDatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("no_such_table"), std::string::npos) << e.what();
    }
}

} // namespace
} // namespace vondrel
