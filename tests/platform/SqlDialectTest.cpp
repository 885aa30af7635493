#include "platform/SqlDialect.h"

#include <gtest/gtest.h>

namespace vondrel {
namespace {

// The column types of a few ledger tables, as the connection reads them.
TSqlSchema LedgerSchema() {
    TSqlSchema schema;
    for (const char* column : {"LE001", "LE002", "LE003", "LE004"})
        schema.AddColumn("ACTLE", column, TSqlType::Text);
    for (const char* column : {"LE013", "LE014", "LE016", "LE017"})
        schema.AddColumn("ACTLE", column, TSqlType::Number);
    for (const char* column : {"MA001", "MA003", "MA006"})
        schema.AddColumn("ACTMA", column, TSqlType::Text);
    schema.AddColumn("ACTMA", "MA008", TSqlType::Number);
    for (const char* column : {"MH001", "MH002"})
        schema.AddColumn("ACTMH", column, TSqlType::Text);
    // The same name with another type in another table: only a qualifier can tell.
    schema.AddColumn("KMBMA", "MA008", TSqlType::Text);
    return schema;
}

struct RewriteCase {
    const char* Name;
    const char* TSql;
    const char* SQLite;
    const char* PostgreSQL;
};

const RewriteCase kRewrites[] = {
    {"database prefix", "SELECT MC023 FROM $$ACTMC", "SELECT MC023 FROM DEMO.ACTMC",
     "SELECT MC023 FROM DEMO.ACTMC"},
    {"database..table", "SELECT * FROM DEMO..TMCMD LEFT JOIN DEMO.dbo.TMCMC ON 1=1",
     "SELECT * FROM DEMO.TMCMD LEFT JOIN DEMO.TMCMC ON 1=1",
     "SELECT * FROM DEMO.TMCMD LEFT JOIN DEMO.TMCMC ON 1=1"},
    {"ISNULL", "SELECT ISNULL(MD007, '') MD007", "SELECT COALESCE(MD007, '') MD007",
     "SELECT COALESCE(MD007, '') MD007"},
    {"GETDATE", " SELECT GETDATE() DATEX ", " SELECT STRFTIME('%Y-%m-%d %H:%M:%f','now','localtime') DATEX ",
     " SELECT LOCALTIMESTAMP(3) DATEX "},
    {"CONVERT to CHAR pads", "SELECT CONVERT(CHAR(14), CAST(MAX(TC001) AS BIGINT) + 1)",
     "SELECT PRINTF('%-14s', CAST(MAX(TC001) AS BIGINT) + 1)",
     "SELECT CAST(CAST(MAX(TC001) AS BIGINT) + 1 AS CHAR(14))"},
    {"CONVERT to other types", "SELECT CONVERT(NVARCHAR(10), a), CONVERT(DATETIME, b), CONVERT(INT, c)",
     "SELECT CAST(a AS TEXT), CAST(b AS TEXT), CAST(c AS INT)",
     "SELECT CAST(a AS VARCHAR(10)), CAST(b AS TIMESTAMP), CAST(c AS INT)"},
    {"CONVERT a date with a style", "SELECT CONVERT(VARCHAR(8), GETDATE(), 112)",
     "SELECT STRFTIME('%Y%m%d', STRFTIME('%Y-%m-%d %H:%M:%f','now','localtime'))",
     "SELECT TO_CHAR(LOCALTIMESTAMP(3), 'YYYYMMDD')"},
    {"TOP", "SELECT TOP 1 MG007 FROM $$CMSMG WHERE MG001='USD' ORDER BY MG002 DESC",
     "SELECT MG007 FROM DEMO.CMSMG WHERE MG001='USD' ORDER BY MG002 DESC LIMIT 1",
     "SELECT MG007 FROM DEMO.CMSMG WHERE MG001='USD' ORDER BY MG002 DESC LIMIT 1"},
    {"TOP in a subquery", "SELECT a FROM (SELECT DISTINCT TOP (2) a FROM t) x;",
     "SELECT a FROM (SELECT DISTINCT a FROM t LIMIT (2)) x;",
     "SELECT a FROM (SELECT DISTINCT a FROM t LIMIT (2)) x;"},
    {"text + text", "SELECT a FROM ACTMH WHERE MH001+MH002='202612'",
     "SELECT a FROM ACTMH WHERE MH001||MH002='202612'", "SELECT a FROM ACTMH WHERE MH001||MH002='202612'"},
    {"joined periods compared with numbers", " WHERE LE002+LE003 BETWEEN 202600 AND 202612 ",
     " WHERE CAST(LE002||LE003 AS NUMERIC) BETWEEN 202600 AND 202612 ",
     " WHERE CAST(LE002||LE003 AS NUMERIC) BETWEEN 202600 AND 202612 "},
    {"text column compared with a number",
     "SELECT 1 FROM ACTMA ACTMA1 WHERE ACTMA1.MA006=2 AND ACTMA1.MA006='2'",
     "SELECT 1 FROM ACTMA ACTMA1 WHERE CAST(ACTMA1.MA006 AS NUMERIC)=2 AND ACTMA1.MA006='2'",
     "SELECT 1 FROM ACTMA ACTMA1 WHERE CAST(ACTMA1.MA006 AS NUMERIC)=2 AND ACTMA1.MA006='2'"},
    {"number + number stays an addition", "SELECT SUM(LE014-LE017)+LE013 FROM ACTLE",
     "SELECT SUM(LE014-LE017)+LE013 FROM ACTLE", "SELECT SUM(LE014-LE017)+LE013 FROM ACTLE"},
    {"alias decides between same-named columns", "SELECT a.MA008+b.MA008 FROM ACTMA a, KMBMA b",
     "SELECT a.MA008+CAST(b.MA008 AS NUMERIC) FROM ACTMA a, KMBMA b",
     "SELECT a.MA008+CAST(b.MA008 AS NUMERIC) FROM ACTMA a, KMBMA b"},
    {"literals and parameters", "SELECT 'a'+:P1+'%', N'中'+'x' FROM t",
     "SELECT 'a'||?||'%', '中'||'x' FROM t", "SELECT 'a'||?||'%', '中'||'x' FROM t"},
    {"texts joined then added to a number", "SELECT MH001+MH002+1 FROM ACTMH",
     "SELECT CAST((MH001||MH002) AS NUMERIC)+1 FROM ACTMH",
     "SELECT CAST((MH001||MH002) AS NUMERIC)+1 FROM ACTMH"},
    {"CASE result type", "SELECT CASE WHEN x=1 THEN MH001 ELSE '' END + MH002 FROM ACTMH",
     "SELECT CASE WHEN x=1 THEN MH001 ELSE '' END || MH002 FROM ACTMH",
     "SELECT CASE WHEN x=1 THEN MH001 ELSE '' END || MH002 FROM ACTMH"},
    {"IN with numbers", "SELECT 1 FROM ACTMA WHERE MA006 IN (1, 2) AND MA001 NOT IN ('1')",
     "SELECT 1 FROM ACTMA WHERE CAST(MA006 AS NUMERIC) IN (1, 2) AND MA001 NOT IN ('1')",
     "SELECT 1 FROM ACTMA WHERE CAST(MA006 AS NUMERIC) IN (1, 2) AND MA001 NOT IN ('1')"},
    {"assignments are not comparisons", "UPDATE ACTMA SET MA006 = 2 WHERE MA006 = 1",
     "UPDATE ACTMA SET MA006 = 2 WHERE CAST(MA006 AS NUMERIC) = 1",
     "UPDATE ACTMA SET MA006 = 2 WHERE CAST(MA006 AS NUMERIC) = 1"},
    {"LEN counts without trailing blanks", "SELECT LEN(MA003) FROM ACTMA",
     "SELECT LENGTH(RTRIM(MA003)) FROM ACTMA", "SELECT LENGTH(RTRIM(MA003)) FROM ACTMA"},
    {"bracketed names", "SELECT [LE001], [Order Date] FROM [ACTLE]",
     "SELECT [LE001], [Order Date] FROM [ACTLE]", "SELECT LE001, \"order date\" FROM ACTLE"},
    {"nothing changes inside strings and comments", "SELECT '$$X a+b GETDATE()' -- ISNULL(x,y) $$T\n FROM t",
     "SELECT '$$X a+b GETDATE()' -- ISNULL(x,y) $$T\n FROM t",
     "SELECT '$$X a+b GETDATE()' -- ISNULL(x,y) $$T\n FROM t"},
};

TEST(SqlDialect, RewritesTSqlForSQLiteAndPostgreSQL) {
    const TSqlSchema schema = LedgerSchema();
    for (const RewriteCase& c : kRewrites) {
        SCOPED_TRACE(c.Name);
        for (const auto& [kind, expected] : {std::pair{TDatabaseKind::SQLite, c.SQLite},
                                             std::pair{TDatabaseKind::PostgreSQL, c.PostgreSQL}}) {
            TSqlDialect dialect(kind);
            dialect.CompanyDatabase = "DEMO";
            dialect.Schema = &schema;
            EXPECT_EQ(dialect.Translate(c.TSql).Sql, expected) << DatabaseKindName(kind);
        }
    }
}

TEST(SqlDialect, PassesSqlServerStatementsThroughButForPrefixAndParameters) {
    TSqlDialect dialect(TDatabaseKind::SqlServer);
    dialect.CompanyDatabase = "DEMO";
    const TSqlTranslation t = dialect.Translate("SELECT TOP 1 ISNULL(a,'')+b FROM $$T WHERE c=:C AND d=:D");
    EXPECT_EQ(t.Sql, "SELECT TOP 1 ISNULL(a,'')+b FROM DEMO..T WHERE c=? AND d=?");
    EXPECT_EQ(t.Parameters, (std::vector<std::string>{"C", "D"}));
}

TEST(SqlDialect, ReportsParametersInMarkerOrderAndDatabasesOnce) {
    TSqlDialect dialect(TDatabaseKind::SQLite);
    dialect.CompanyDatabase = "DEMO";
    const TSqlTranslation t = dialect.Translate(
        "SELECT CONVERT(CHAR(4), :B) FROM $$A, OTHER..B WHERE x=:A AND y=:A AND z IN (SELECT 1 FROM $$C)");
    EXPECT_EQ(t.Parameters, (std::vector<std::string>{"B", "A", "A"}));
    EXPECT_EQ(t.Databases, (std::vector<std::string>{"DEMO", "OTHER"}));
}

TEST(SqlDialect, MovesTheMarkerOfATopParameterWithItsLimit) {
    TSqlDialect dialect(TDatabaseKind::SQLite);
    const TSqlTranslation t = dialect.Translate("SELECT TOP (:N) a FROM t WHERE b = :B ORDER BY a");
    EXPECT_EQ(t.Sql, "SELECT a FROM t WHERE b = ? ORDER BY a LIMIT (?)");
    EXPECT_EQ(t.Parameters, (std::vector<std::string>{"B", "N"}));
}

TEST(SqlDialect, DatabaseQualifierMayDropTheConnectionsOwnDatabase) {
    TSqlDialect dialect(TDatabaseKind::SQLite);
    dialect.CompanyDatabase = "SYSTEM";
    dialect.DatabaseQualifier = [](const std::string& name) {
        return name == "SYSTEM" ? std::string() : name;
    };
    EXPECT_EQ(dialect.Translate("SELECT 1 FROM $$ADMTC, DEMO..ACTLE").Sql, "SELECT 1 FROM ADMTC, DEMO.ACTLE");
}

TEST(SqlDialect, PrefixWithoutCompanyDatabaseMeansTheConnectionsOwn) {
    TSqlDialect dialect(TDatabaseKind::PostgreSQL);
    EXPECT_EQ(dialect.Translate("SELECT 1 FROM $$ACTMA").Sql, "SELECT 1 FROM ACTMA");
}

TEST(SqlDialect, RefusesFormsWithoutEquivalent) {
    const char* const statements[] = {
        "SELECT TOP 10 PERCENT a FROM t",
        "SELECT TOP 1 a FROM t UNION SELECT b FROM u",
        "SELECT CONVERT(VARCHAR(10), GETDATE(), 999)",
        "SELECT (a FROM t",
        "SELECT CASE WHEN a=1 THEN 2 FROM t",
        "SELECT 'open",
    };
    TSqlDialect dialect(TDatabaseKind::SQLite);
    for (const char* statement : statements) {
        SCOPED_TRACE(statement);
        EXPECT_THROW(dialect.Translate(statement), ESqlError);
    }
}

TEST(SqlSchema, TypesColumnsByDeclarationAndAgreement) {
    EXPECT_EQ(TSqlSchema::TypeFromDeclaration("VARCHAR(20)"), TSqlType::Text);
    EXPECT_EQ(TSqlSchema::TypeFromDeclaration("character varying"), TSqlType::Text);
    EXPECT_EQ(TSqlSchema::TypeFromDeclaration("NUMERIC(18,4)"), TSqlType::Number);
    EXPECT_EQ(TSqlSchema::TypeFromDeclaration("integer"), TSqlType::Number);
    EXPECT_EQ(TSqlSchema::TypeFromDeclaration("BLOB"), TSqlType::Unknown);

    const TSqlSchema schema = LedgerSchema();
    EXPECT_EQ(schema.ColumnType("", "le002"), TSqlType::Text);
    EXPECT_EQ(schema.ColumnType("", "MA008"), TSqlType::Unknown); // tables disagree
    EXPECT_EQ(schema.ColumnType("ACTMA", "MA008"), TSqlType::Number);
    EXPECT_EQ(schema.ColumnType("NOSUCH", "LE014"), TSqlType::Number);
    EXPECT_EQ(schema.ColumnType("ACTMA", "LE014"), TSqlType::Unknown);
}

TEST(SqlDialect, KindFollowsTheDriversName) {
    EXPECT_EQ(DatabaseKindFromDbmsName("SQLite"), TDatabaseKind::SQLite);
    EXPECT_EQ(DatabaseKindFromDbmsName("PostgreSQL"), TDatabaseKind::PostgreSQL);
    EXPECT_EQ(DatabaseKindFromDbmsName("Microsoft SQL Server"), TDatabaseKind::SqlServer);
    EXPECT_EQ(DatabaseKindFromDbmsName("Oracle"), TDatabaseKind::Other);
}

} // namespace
} // namespace vondrel
