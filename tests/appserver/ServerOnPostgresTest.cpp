#include "ServerFixture.h"

#include "dmReportCounter.h"
#include "support/PostgresCluster.h"

#include <filesystem>
#include <fstream>

namespace vondrel {
namespace {

// The same server on PostgreSQL: the system tables in the schema public, the demo
// company in the schema DEMO of the same database.
TEST(ServerOnPostgreSQL, AnswersTheJobsCallsFromACompanySchema) {
    std::string reason;
    const auto cluster = TPostgresCluster::Start(reason);
    if (!cluster)
        GTEST_SKIP() << reason;
    {
        TDatabase db;
        db.Open(cluster->ConnectString());
        db.TranslateSql = false;
        db.Execute("CREATE SCHEMA DEMO");
        db.Execute("CREATE SEQUENCE DEMO.NUMBERS");
        db.Execute("SET search_path TO demo");
        RunDemoScripts(db, DemoSqlFolder(), TDemoPart::Company);
        db.Execute("SET search_path TO public");
        RunDemoScripts(db, DemoSqlFolder(), TDemoPart::System);
    }
    TTempFolder folder;
    const std::string ini = (std::filesystem::path(folder.Path()) / "Quorvex.ini").string();
    std::ofstream(ini) << "[Database]\nConnectString=" << cluster->ConnectString()
                       << "\n[Companies]\nDEMO=DEMO\n";
    const Variant server(
        std::static_pointer_cast<Dispatch>(std::make_shared<TdmReportCounter>(TServerSettings::Load(ini))));
    auto simpleSql = [&](const std::string& statement, const std::string& fields) {
        Variant args = VarArrayOf({Variant(statement), Variant(fields), "", "N"});
        return server.Call("GetCounter", "SIMPLESQL", args, VarArrayOf({"DEMO", "DEMO"}));
    };

    EXPECT_EQ(server.Call("SQLType"), Variant(3));
    EXPECT_EQ(RevaluationDifferences(simpleSql), DemoRevaluationDifferences());
    // A query that would change something is stopped by the database itself.
    EXPECT_THROW(simpleSql("SELECT nextval('demo.numbers') X", "X"), EOleException);
    EXPECT_NE(server.Call("ErrorDescript").AsString().find("read-only"), std::string::npos)
        << server.Call("ErrorDescript").AsString();
    EXPECT_EQ(simpleSql("SELECT CASE WHEN is_called THEN 'Y' ELSE 'N' END X FROM $$NUMBERS", "X"),
              VarArrayOf({VarArrayOf({"N"})}));
    EXPECT_THROW(simpleSql("DELETE FROM $$ACTMA", "X"), EOleException);
    // Quotes that only PostgreSQL reads (dollar quotes, escape strings) and a comment ended by
    // a lone carriage return must not hide further statements from the check.
    const Variant accounts = simpleSql("SELECT COUNT(*) N FROM $$ACTMA", "N");
    for (const char* statement :
         {"SELECT $q$'$q$ X; SET SESSION CHARACTERISTICS AS TRANSACTION READ WRITE; COMMIT;"
          " DELETE FROM demo.actma; SELECT $q$'$q$ X",
          "SELECT E'\\'' X; SET SESSION CHARACTERISTICS AS TRANSACTION READ WRITE; COMMIT;"
          " DELETE FROM demo.actma; SELECT 'x' X --'",
          "SELECT 'x' X --\r; SET SESSION CHARACTERISTICS AS TRANSACTION READ WRITE; COMMIT;"
          " DELETE FROM demo.actma; SELECT 'x' X"}) {
        SCOPED_TRACE(statement);
        EXPECT_THROW(simpleSql(statement, "X"), EOleException);
    }
    EXPECT_EQ(simpleSql("SELECT COUNT(*) N FROM $$ACTMA", "N"), accounts);

    Variant table = "ACTMA", number = "13", database = "DEMO", values = VarArrayOf({"6603"}), result;
    EXPECT_EQ(server.Call("CheckValue", table, number, database, values, result), Variant(true));
    EXPECT_EQ(VarToStr(result[1]), "财务费用");
    EXPECT_EQ(Column(server.Call("LookupRows", "CMSMQ", "47", "DEMO", VarArrayOf({"1", "KM02"})), 0),
              (std::vector<std::string>{"FK", "JZ", "SK", "ZZ"}));

    // The connection is writable again after the read-only queries.
    const Variant options = DemoOptionArray(true);
    const Variant job = server.Call("Request", options);
    ASSERT_NE(job, Variant("ERROR")) << server.Call("ErrorDescript").AsString();
    EXPECT_EQ(server.Call("GetJob", job)[12], options);
    Variant scheme = VarArrayOf({"月末", "KM01", "20261231", "ZORB71", "f;", "v", false});
    EXPECT_EQ(server.Call("InsertConTable", scheme), Variant(""));
    Variant key = VarArrayOf({"KM01", "ZORB71"});
    server.Call("LoadTable", key);
    Variant params;
    EXPECT_EQ(Column(server.Call("AS_GetRecords", "pvdConSave", params)[1], 0),
              (std::vector<std::string>{"月末"}));
}

} // namespace
} // namespace vondrel
