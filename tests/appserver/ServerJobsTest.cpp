#include "ServerFixture.h"

#include "platform/DateTime.h"
#include "platform/PlatformServices.h"

#include <vondrel/Dispatch.h>

#include <cmath>
#include <functional>

namespace vondrel {
namespace {

class Stub : public TAutoObject {
public:
    Stub() : TAutoObject("Stub") {}
};

class JobTest : public ServerTest {
protected:
    Variant Request(Variant options) { return server.Call("Request", options); }
    Variant Jobs() { return server.Call("GetJobs"); }
    std::string Today() { return FormatDateTime("yyyymmdd", Now()); }
};

TEST_F(JobTest, RequestQueuesTheJobWithItsOptionArrayIntact) {
    const Variant options = DemoOptionArray(false);
    const Variant first = Request(options);
    EXPECT_EQ(first, Variant(Today() + "0001"));
    EXPECT_EQ(Request(options), Variant(Today() + "0002"));

    const Variant jobs = Jobs();
    ASSERT_EQ(jobs.HighBound(), 1);
    const Variant& job = jobs[0];
    EXPECT_EQ(Texts(job), (std::vector<std::string>{Today() + "0001", "ZORB71", "DEMO", "KM01", "DEMO",
                                                    "ZORB71S.Class1", "B", "0", "20261231183000000", "N", "",
                                                    "W", "<array>", "Request", "", Texts(job)[15]}));
    // Kinds survive: wide texts stay wide, integers integers, dates dates.
    EXPECT_EQ(job[12], options);
    EXPECT_EQ(job[12][0][11].Type(), VarType::Date);
    EXPECT_EQ(job[12][2][1].Type(), VarType::WideString);
    EXPECT_EQ(job[12][2][12][0].Type(), VarType::Integer);
    EXPECT_EQ(job[12][0].LowBound(), 1);

    EXPECT_EQ(server.Call("GetJob", first), job);
    EXPECT_TRUE(server.Call("GetJob", "19990101").IsEmpty());
}

TEST_F(JobTest, RecurringJobsKeepTheirScheduleAndRules) {
    const Variant options = DemoOptionArray(true);
    const Variant number = Request(options);
    ASSERT_NE(number, Variant("ERROR")) << ErrorText();
    const Variant job = server.Call("GetJob", number);
    EXPECT_EQ(VarToStr(job[6]), "b");
    EXPECT_EQ(VarToStr(job[7]), "2");
    EXPECT_EQ(VarToStr(job[9]), "Y");
    EXPECT_EQ(job[12], options);
    EXPECT_EQ(job[12][3][2][1].Type(), VarType::Double);
}

TEST_F(JobTest, Request1RegistersARunNowJobWithTheComputer) {
    Variant options = DemoOptionArray(false);
    const Variant number = server.Call("Request1", options, "PC-ACCOUNTS");
    const Variant job = server.Call("GetJob", number);
    EXPECT_EQ(VarToStr(job[10]), "PC-ACCOUNTS");
    EXPECT_EQ(VarToStr(job[11]), "I");
    EXPECT_EQ(VarToStr(job[13]), "Request1");
}

TEST_F(JobTest, MalformedRequestsAnswerErrorAndStoreNothing) {
    struct Malformed {
        const char* Name;
        std::function<void(Variant&)> Spoil;
        const char* Reason;
    };
    const Malformed cases[] = {
        {"not an array", [](Variant& o) { o = "options"; }, "elements 0 to 2"},
        {"two elements", [](Variant& o) { o.Redim(1); }, "elements 0 to 2"},
        {"four elements", [](Variant& o) { o.Redim(3); }, "recurring"},
        {"short environment", [](Variant& o) { o[0] = VarArrayOf({"ZORB71"}); }, "environment"},
        {"names and values differ", [](Variant& o) { o[2].Redim(17); }, "same bounds"},
        {"option count", [](Variant& o) { o[0][3] = 16; }, "16 options"},
        {"unknown company", [](Variant& o) { o[0][4] = u"ACME"; }, "ACME"},
        {"other company's database", [](Variant& o) { o[0][6] = u"OTHER"; }, "OTHER"},
        {"unknown user", [](Variant& o) { o[0][5] = u"NOBODY"; }, "NOBODY"},
        {"unknown program", [](Variant& o) { o[0][1] = u"ZORX99"; }, "ZORX99"},
        {"run mode", [](Variant& o) { o[0][10] = 7; }, "run mode"},
        {"start time", [](Variant& o) { o[0][11] = u"tomorrow"; }, "tomorrow"},
        {"start day beyond the calendar", [](Variant& o) { o[0][11] = Variant::FromDate(1e9); },
         "start time"},
        {"start day not a number", [](Variant& o) { o[0][11] = std::nan(""); }, "start time"},
        {"schedule record",
         [](Variant& o) {
             o = DemoOptionArray(true);
             o[3] = VarArrayOf({"N", "08:30"});
         },
         "schedule"},
        {"object in the options",
         [](Variant& o) { o[2][3] = Variant(std::static_pointer_cast<Dispatch>(std::make_shared<Stub>())); },
         "object"},
    };
    for (const Malformed& c : cases) {
        SCOPED_TRACE(c.Name);
        Variant options = DemoOptionArray(false);
        c.Spoil(options);
        EXPECT_EQ(Request(options), Variant("ERROR"));
        EXPECT_NE(ErrorText().find(c.Reason), std::string::npos) << ErrorText();
    }
    EXPECT_EQ(Jobs().HighBound(), -1);
}

TEST_F(JobTest, DatabaseFailureAnswersErrorWithTheDatabasesMessage) {
    ExecuteDirect("DROP TABLE ADMJQ");
    Variant options = DemoOptionArray(false);
    EXPECT_EQ(Request(options), Variant("ERROR"));
    EXPECT_NE(ErrorText().find("no such table"), std::string::npos) << ErrorText();
    EXPECT_EQ(server.Call("Request1", options, "PC"), Variant("ERROR"));
}

// The job's server half as an in-process class: records the run array it is given.
class ServerHalf : public TAutoObject {
public:
    ServerHalf(Variant& runArray, bool fail) : TAutoObject("ZORB71S.Class1") {
        RegisterMethod("Run", [&runArray, fail](std::span<Variant> args) -> Variant {
            if (fail)
                throw Exception("The voucher numbers ran out");
            runArray = args[0];
            return {};
        });
        RegisterMethod("MessageText", [](std::span<Variant>) -> Variant { return u"生成凭证 2 张"; });
    }
};

class RunTest : public JobTest {
protected:
    void TearDown() override { RegisterOleClass("ZORB71S.Class1", {}); }
    Variant Exec(Variant& number) {
        Variant values = DemoOptionArray(false)[2];
        return server.Call("ExecSvrDLL", number, "ZORB71", "", "DEMO", "KM01", "ZORB71S.Class1", "B", "DEMO",
                           values, 1, VarToStr(number).substr(0, 8) + "0001", 3);
    }
    std::vector<std::string> Log(const Variant& number) {
        TDatabase db;
        db.Open(SqliteConnectString(demo.Install().SystemFile));
        TQuery query(db);
        query.SetSQL("SELECT JL003, JL004 FROM ADMJL WHERE JL001 = :JOB ORDER BY JL002");
        query.SetParam("JOB", VarToStr(number));
        std::vector<std::string> lines;
        for (query.Open(); !query.Eof(); query.Next())
            lines.push_back(query.Field(0).AsString() + ": " + query.Field(1).AsString());
        return lines;
    }
};

TEST_F(RunTest, WithoutTheServerHalfTheRunIsRecorded) {
    Variant options = DemoOptionArray(false);
    Variant number = server.Call("Request1", options, "PC");
    EXPECT_NO_THROW(Exec(number));
    EXPECT_EQ(VarToStr(server.Call("GetJob", number)[11]), "R");
    const auto log = Log(number);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].find("not installed"), std::string::npos) << log[0];
}

TEST_F(RunTest, TheServerHalfGetsTheRunArrayOfABatchJob) {
    Variant runArray;
    RegisterOleClass("ZORB71S.Class1", [&] { return std::make_shared<ServerHalf>(runArray, false); });
    Variant options = DemoOptionArray(false);
    Variant number = server.Call("Request1", options, "PC");
    Exec(number);
    ASSERT_TRUE(runArray.IsArray());
    EXPECT_EQ(runArray.HighBound(), 6);
    EXPECT_EQ(runArray[0], number);
    EXPECT_EQ(Texts(runArray)[1], "DEMO");
    EXPECT_EQ(Texts(runArray)[2], "KM01");
    EXPECT_EQ(runArray[3], DemoOptionArray(false)[2]);
    EXPECT_EQ(Texts(runArray)[5], VarToStr(number).substr(0, 8) + "0001");
    EXPECT_EQ(runArray[6], Variant(3));
    EXPECT_EQ(Log(number), (std::vector<std::string>{"RUN: 生成凭证 2 张"}));
}

TEST_F(RunTest, AFailingRunRaisesAndMarksTheJob) {
    Variant runArray;
    RegisterOleClass("ZORB71S.Class1", [&] { return std::make_shared<ServerHalf>(runArray, true); });
    Variant options = DemoOptionArray(false);
    Variant number = server.Call("Request1", options, "PC");
    EXPECT_THROW(Exec(number), EOleException);
    EXPECT_NE(ErrorText().find("ran out"), std::string::npos) << ErrorText();
    EXPECT_EQ(VarToStr(server.Call("GetJob", number)[11]), "E");
}

TEST_F(RunTest, UnknownJobNumbersRaise) {
    Variant number = "202612310099";
    EXPECT_THROW(Exec(number), EOleException);
    EXPECT_NE(ErrorText().find("202612310099"), std::string::npos);
}

TEST_F(RunTest, UpdateStatusRecordsTheMessagesAlsoOfAFailedSubmission) {
    Variant options = DemoOptionArray(false);
    Variant number = server.Call("Request1", options, "PC");
    server.Call("UpdateStatus1", number, "I;000004;ok", Variant::FromDate(At(2026, 12, 31, 19, 0)));
    const Variant job = server.Call("GetJob", number);
    EXPECT_EQ(VarToStr(job[11]), "D");
    EXPECT_EQ(VarToStr(job[14]), "I;000004;ok");
    Variant failed = "ERROR";
    server.Call("UpdateStatus1", failed, "E;000013;no room", Variant::FromDate(At(2026, 12, 31, 19, 5)));
    EXPECT_EQ(Log(failed), (std::vector<std::string>{"STATUS: E;000013;no room"}));
}

} // namespace
} // namespace vondrel
