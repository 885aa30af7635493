#include "ServerFixture.h"

#include "platform/DateTime.h"
#include "platform/PlatformServices.h"

#include <vondrel/Dispatch.h>

#include <functional>

namespace vondrel {
namespace {

TDateTime At(int year, int month, int day, int hour = 0, int minute = 0) {
    return *TryEncodeDate(year, month, day) + (hour * 60 + minute) / 1440.0;
}

// An option array as the job form sends it: texts already wide, the job's sixteen
// options, the log switch and the print date, and for a recurring job the schedule.
Variant OptionArray(bool recurring) {
    Variant environment = VarArrayCreate({{1, 12}});
    environment[1] = u"ZORB71";
    environment[2] = 12;
    environment[3] = 18;
    environment[4] = u"DEMO";
    environment[5] = u"KM01";
    environment[6] = u"DEMO";
    environment[7] = Variant::FromDate(At(2026, 12, 31, 9, 15));
    environment[8] = u"ZORB71S.Class1";
    environment[9] = recurring ? u"b" : u"B";
    environment[10] = recurring ? 2 : 0;
    environment[11] = Variant::FromDate(At(2026, 12, 31, 18, 30));
    environment[12] =
        u"<?xml version=\"1.0\" encoding=\"GB2312\"?><Root><R1 ID=\"KM01\" Name=\"\" Type=\"5\" "
        u"Msg=\"YNN\"/></Root>";

    const char16_t* const captions[18][2] = {
        {u"凭证单别", u"ed03"},
        {u"凭证日期", u"me06"},
        {u"摘要", u"ed07"},
        {u"汇兑损益入账科目", u"ed08"},
        {u"部门编号", u"ed09"},
        {u"客户编号", u"ed10"},
        {u"人员编号", u"ed11"},
        {u"供应商编号", u"ed12"},
        {u"核算项目一编号", u"ed13"},
        {u"核算项目二编号", u"ed14"},
        {u"选择币种", u"sp05"},
        {u"转账类型", u"rg01"},
        {u"按科目余额方向反向结转", u"chk04"},
        {u"转账年期", u"me02"},
        {u"凭证自动过账", u"chk15"},
        {u"项目编号", u"ed15"},
        {u"生成Log文档", u"chkLog"},
        {u"制表日期", u"edPrintDate"},
    };
    Variant names = VarArrayCreate({{1, 18}});
    for (int i = 0; i < 18; ++i)
        names[i + 1] = VarArrayOf({captions[i][0], captions[i][1]});
    Variant values = VarArrayCreate({{1, 18}});
    const char16_t* const texts[] = {u"TH", u"20261231", u"期末汇兑损益结转", u"6603", u"D01", u"", u"", u"",
                                     u"",   u""};
    for (int i = 0; i < 10; ++i)
        values[i + 1] = texts[i];
    values[11] = VarArrayOf({u"\x05", VarArrayOf({u"USD", u"美元"}), VarArrayOf({u"EUR", u"欧元"})});
    values[12] = VarArrayOf({1, u"汇兑损益结转"});
    values[13] = u"N";
    values[14] = u"202612";
    values[15] = u"Y";
    values[16] = u"P01";
    values[17] = u"Y";
    values[18] = u"20261231";
    if (!recurring)
        return VarArrayOf({environment, names, values});
    const Variant schedule =
        VarArrayOf({"Y", "08:30", VarArrayOf({3, 1.5}), VarArrayOf({"20261201", 1, "12"})});
    const Variant rules = VarArrayOf({u"1\x03me06\x03Y\x03"
                                      u"0\x03"
                                      u"1\x03"
                                      u"2\x03"
                                      u"0\x03D"});
    return VarArrayOf({environment, names, values, schedule, rules});
}

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
    const Variant options = OptionArray(false);
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
    const Variant options = OptionArray(true);
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
    Variant options = OptionArray(false);
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
        {"schedule record",
         [](Variant& o) {
             o = OptionArray(true);
             o[3] = VarArrayOf({"N", "08:30"});
         },
         "schedule"},
        {"object in the options",
         [](Variant& o) { o[2][3] = Variant(std::static_pointer_cast<Dispatch>(std::make_shared<Stub>())); },
         "object"},
    };
    for (const Malformed& c : cases) {
        SCOPED_TRACE(c.Name);
        Variant options = OptionArray(false);
        c.Spoil(options);
        EXPECT_EQ(Request(options), Variant("ERROR"));
        EXPECT_NE(ErrorText().find(c.Reason), std::string::npos) << ErrorText();
    }
    EXPECT_EQ(Jobs().HighBound(), -1);
}

TEST_F(JobTest, DatabaseFailureAnswersErrorWithTheDatabasesMessage) {
    ExecuteDirect("DROP TABLE ADMJQ");
    Variant options = OptionArray(false);
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
        Variant values = OptionArray(false)[2];
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
    Variant options = OptionArray(false);
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
    Variant options = OptionArray(false);
    Variant number = server.Call("Request1", options, "PC");
    Exec(number);
    ASSERT_TRUE(runArray.IsArray());
    EXPECT_EQ(runArray.HighBound(), 6);
    EXPECT_EQ(runArray[0], number);
    EXPECT_EQ(Texts(runArray)[1], "DEMO");
    EXPECT_EQ(Texts(runArray)[2], "KM01");
    EXPECT_EQ(runArray[3], OptionArray(false)[2]);
    EXPECT_EQ(Texts(runArray)[5], VarToStr(number).substr(0, 8) + "0001");
    EXPECT_EQ(runArray[6], Variant(3));
    EXPECT_EQ(Log(number), (std::vector<std::string>{"RUN: 生成凭证 2 张"}));
}

TEST_F(RunTest, AFailingRunRaisesAndMarksTheJob) {
    Variant runArray;
    RegisterOleClass("ZORB71S.Class1", [&] { return std::make_shared<ServerHalf>(runArray, true); });
    Variant options = OptionArray(false);
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
    Variant options = OptionArray(false);
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
